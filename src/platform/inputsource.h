#pragma once
// Where key and pad states come from: the machine's keyboard and game pads, or a script
// (tests, the headless runner). A source hands over raw values in the form the game's
// input code was written against: a 256-byte key state indexed by the game's key codes
// (bit 7 = down), pad axes in 0..65535, the hat in hundredths of a degree clockwise from
// up. Dead zones, control numbers and clamping belong to the engine's input object.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

union SDL_Event;

namespace input {

constexpr int KeyStateSize = 256;
using KeyState = std::array<uint8_t, KeyStateSize>;
constexpr uint8_t KeyDownBit = 0x80;

// X, Y, Z, X rotation, Y rotation, Z rotation.
constexpr int PadAxisCount = 6;
constexpr int32_t AxisMinimum = 0;
constexpr int32_t AxisCentre = 32767;
constexpr int32_t AxisMaximum = 65535;
constexpr int32_t HatCentred = -1;
// Room for every button a pad may report; the game itself looks at the first 32.
constexpr int PadButtonSlots = 128;

struct PadDescription {
    std::string name;
    std::array<bool, PadAxisCount> hasAxis{};
    int hats = 0;
    int buttons = 0;
    // False when the device is listed but could not be opened: it is known by name only.
    bool opened = false;
};

struct PadReading {
    std::array<int32_t, PadAxisCount> axes{AxisCentre, AxisCentre, AxisCentre,
                                           AxisCentre, AxisCentre, AxisCentre};
    int32_t firstHat = HatCentred;
    std::array<uint8_t, PadButtonSlots> buttons{}; // non-zero = pressed
};

class InputSource {
  public:
    virtual ~InputSource() = default;

    // Called once at the start of every poll: takes in what happened since the last one
    // (device events, or the next frame of a script).
    virtual void Pump() = 0;
    // True once after pads were plugged in or pulled out.
    virtual bool TakePadsChanged() = 0;
    // (Re)opens every attached pad; the index in the answer addresses ReadPad.
    virtual std::vector<PadDescription> EnumeratePads() = 0;
    // False when the pad cannot be read now (pulled out since the last enumeration).
    virtual bool ReadPad(int index, PadReading& reading) = 0;
    // False when the keyboard cannot be read; the caller then keeps its old state.
    virtual bool ReadKeyboard(KeyState& keys) = 0;
    // The keys that went down since the last call, whether or not they are still held:
    // a tap shorter than one poll is seen here and nowhere else. Key repeats are no presses.
    virtual void ReadKeyPresses(KeyState& presses) { presses.fill(0); }
    // The buttons and hat directions of one pad that went down since the last call, in the
    // reading's form (axes stay centred); false when there were none to tell.
    virtual bool ReadPadPresses(int /*index*/, PadReading& /*presses*/) { return false; }
    // Takes in device events without counting a pass: the window stays served while the
    // program is busy (loading), and presses wait for the next poll.
    virtual void KeepAlive() {}
    // True when nothing will ever change any more (a script that has run out), so that
    // waiting for a key to be let go would wait for ever.
    virtual bool Exhausted() const { return false; }
    // True once after the desktop asked the program to end (the window's close button).
    virtual bool TakeCloseRequest() { return false; }
    // True once after the game window lost the keyboard focus.
    virtual bool TakeFocusLost() { return false; }
};

// The machine's keyboard and game pads through SDL. nullptr when SDL's event system
// cannot be started. Pads are optional: without a joystick subsystem there are just none.
std::unique_ptr<InputSource> OpenSystemInput();

// The system source drains SDL's event queue on every pump (a queue nobody empties fills
// up and starts dropping device events). Events it has no use for go to this handler, so
// that the window code can still see them; nullptr drops them.
using OtherEventHandler = void (*)(const SDL_Event& event);
void SetOtherEventHandler(OtherEventHandler handler);

} // namespace input

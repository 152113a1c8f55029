#pragma once
// The keyboard and the game pads, read by polling: every loop of the game calls Poll once
// a pass and then asks whether a key is down or a pad control is on. Pads are reduced to
// 48 numbered on/off controls: 1..12 axis directions, 13..16 hat directions, 17..48
// buttons 1..32; 50 asks for any button of any pad.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dinputnames.h"
#include "platform/inputsource.h"

constexpr int AnyPadButton = 50;
constexpr int32_t DefaultPadSensitivity = 70;

// One attached game pad.
class tgamepad {
  public:
    static constexpr int MaxHats = 4;
    static constexpr int MaxButtons = 32;
    static constexpr size_t MaxNameLength = 260;

    std::array<bool, input::PadAxisCount> hasAxis{};
    std::string name;
    int hats = 0;
    int buttons = 0;
    // Index in the input source; -1 when the device could not be opened and the pad is
    // known by name only.
    int device = -1;
    int32_t low = 0, high = 0;
    std::array<uint8_t, dinput::PadControlCount> controls{};

    tgamepad(const input::PadDescription& description, int sourceIndex);
    void Poll(input::InputSource& source, int32_t sensitivity);

  private:
    // Turns on the controls the reading shows (dead zone from the last poll's thresholds).
    void SetControls(const input::PadReading& state);
};

class TDInput {
  public:
    TDInput();
    ~TDInput();
    TDInput(const TDInput&) = delete;
    TDInput& operator=(const TDInput&) = delete;

    // Opens the keyboard and the pads, on the machine's own devices unless a source is
    // given. On failure shows "Unable to initialize DirectX8" and answers false: the caller
    // ends the run.
    [[nodiscard]] bool Init(std::unique_ptr<input::InputSource> source = nullptr);
    void EnumeratePads();
    // Every pad, then the keyboard. Pads plugged in or pulled out since the last poll are
    // picked up first. A key or button pressed and let go since the last poll reads as
    // down for this one poll.
    void Poll();
    // Serves the window while the program is busy between polls; presses keep for the
    // next poll.
    void KeepAlive();

    bool IsKeyDown(int key) const;
    // The highest code 1..237 that is down, 0 when none (capturing a new binding).
    int HighestKeyDown() const;
    // Polls until the key is up (or a script has run out with it still held).
    void WaitKeyReleased(int key);

    bool IsPadControlOn(int control) const;
    // The highest control on, taken from the last pad in the list that has one; 0 when none.
    int HighestPadControl() const;
    void WaitPadReleased(int control);
    int32_t PadCount() const { return static_cast<int32_t>(pads_.size()); }
    const tgamepad& Pad(int index) const { return pads_[index]; }

    static std::string_view PadControlName(int control);
    static std::string_view KeyName(int key);

    // Sticky once the desktop asked the program to end: every loop then leaves as with Esc.
    bool CloseRequested() const { return closeRequested_; }
    void RequestClose() { closeRequested_ = true; }
    // True once after the window lost the keyboard focus or a game pad was pulled out:
    // a level in play pauses then.
    bool TakeFocusLost();
    // A level starting now: a focus loss or a pad pulled out before this moment (at the
    // window's creation, in a menu) is no reason to pause it.
    void ForgetFocusLoss();

    // Sees every poll once it has been read: a level being written down as a replay.
    // Empty: nobody watches.
    void SetPollObserver(std::function<void(const TDInput&)> observer) {
        pollObserver_ = std::move(observer);
    }
    // Plays from another source (a replay's keys) and hands back the one used until now;
    // the pads are those of the new source.
    std::unique_ptr<input::InputSource> SwapSource(std::unique_ptr<input::InputSource> source);

    void SetSensitivity(int32_t sensitivity);
    int32_t GetSensitivity() const { return sensitivity_; }

    // Player-name entry: appends the typed letters, digits and spaces up to maximum
    // characters, deletes on BACK SPACE; true while ENTER is down. A held key types once.
    bool TypeText(std::string& text, int maximum);

    void Release();

  private:
    input::KeyState WithPresses(input::KeyState held, const input::KeyState& presses);

    std::unique_ptr<input::InputSource> source_;
    std::function<void(const TDInput&)> pollObserver_;
    input::KeyState keys_{};
    // Presses of each key not shown yet (see WithPresses); a burst of more taps than a
    // player could mean is cut short.
    static constexpr uint8_t MaxPendingPresses = 4;
    std::array<uint8_t, input::KeyStateSize> pendingPresses_{};
    int lastTypedKey_ = 0;
    std::vector<tgamepad> pads_;
    int32_t sensitivity_ = DefaultPadSensitivity;
    bool closeRequested_ = false;
    bool focusLost_ = false;
};

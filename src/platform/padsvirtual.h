#pragma once
// A pad made in software that SDL lists like a plugged-in one, so the system input
// source can be driven without hardware (tests, demonstrations of plugging a pad in
// while the game runs). Values take effect at the next pump of the event queue.
#include <cstdint>

struct _SDL_Joystick;

namespace input {

class VirtualPad {
  public:
    enum class Kind { Joystick, GameController };
    // SDL's hat bits.
    static constexpr uint8_t HatUp = 1, HatRight = 2, HatDown = 4, HatLeft = 8;

    // A game controller has SDL's standard layout (axes and buttons numbered as SDL's
    // controller axes and buttons, the D-pad among the buttons) and ignores the counts; a
    // joystick has the counts given.
    VirtualPad(Kind kind, int axes, int buttons, int hats, const char* name);
    ~VirtualPad(); // pulls it out
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool Attached() const { return joystick_ != nullptr; }
    void SetAxis(int axis, int16_t value);
    void SetButton(int button, bool down);
    // The button pressed and let go again before the next pump.
    void TapButton(int button);
    void SetHat(int hat, uint8_t bits);

  private:
    _SDL_Joystick* joystick_ = nullptr;
    int32_t instance_ = -1;
};

} // namespace input

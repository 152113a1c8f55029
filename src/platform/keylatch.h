#pragma once
// What the keyboard did between two polls, gathered from the key events: the game reads the
// keys held at the moment of a poll, and a tap shorter than one poll would fall between
// two readings. Enter pressed with Alt held is the window's full-screen switch, never the
// game's Enter.
#include "platform/inputsource.h"

namespace input {

class KeyLatch {
  public:
    // A key event by SDL scancode; repeats of a held key are no presses.
    void KeyDown(int scancode, bool repeat, bool altHeld);
    void KeyUp(int scancode);
    // The keys that went down since the last call; forgets them.
    void TakePresses(KeyState& presses);
    // Drops from a held-key state what the game must not see (Enter of an Alt+Enter).
    void Filter(KeyState& keys) const;

  private:
    KeyState presses_{};
    uint8_t enterWithAlt_ = 0; // the Enter (main or keypad) held since it went down with Alt
};

} // namespace input

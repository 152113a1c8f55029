#include "platform/keylatch.h"

#include <SDL_scancode.h>

#include "platform/keys.h"

namespace input {

void KeyLatch::KeyDown(int scancode, bool repeat, bool altHeld) {
    if (repeat) return;
    if (altHeld && scancode != SDL_SCANCODE_F11 && IsFullScreenKey(scancode, altHeld)) {
        enterWithAlt_ = KeyCodeOfScancode(scancode);
        return;
    }
    if (const uint8_t key = KeyCodeOfScancode(scancode)) presses_[key] = KeyDownBit;
}

void KeyLatch::KeyUp(int scancode) {
    if (enterWithAlt_ && KeyCodeOfScancode(scancode) == enterWithAlt_) enterWithAlt_ = 0;
}

void KeyLatch::TakePresses(KeyState& presses) {
    presses = presses_;
    presses_.fill(0);
}

void KeyLatch::Filter(KeyState& keys) const {
    if (enterWithAlt_) keys[enterWithAlt_] = 0;
}

} // namespace input

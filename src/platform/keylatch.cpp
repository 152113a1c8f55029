#include "platform/keylatch.h"

#include <SDL_scancode.h>

#include "platform/keys.h"

namespace input {
namespace {

constexpr uint8_t EnterKey = 28;

} // namespace

void KeyLatch::KeyDown(int scancode, bool repeat, bool altHeld) {
    if (repeat) return;
    if (scancode == SDL_SCANCODE_RETURN && altHeld) {
        enterWithAlt_ = true;
        return;
    }
    if (const uint8_t key = KeyCodeOfScancode(scancode)) presses_[key] = KeyDownBit;
}

void KeyLatch::KeyUp(int scancode) {
    if (scancode == SDL_SCANCODE_RETURN) enterWithAlt_ = false;
}

void KeyLatch::TakePresses(KeyState& presses) {
    presses = presses_;
    presses_.fill(0);
}

void KeyLatch::Filter(KeyState& keys) const {
    if (enterWithAlt_) keys[EnterKey] = 0;
}

} // namespace input

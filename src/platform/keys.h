#pragma once
// The one table from SDL scancodes (physical key positions) to the game's key codes, the
// keyboard scan codes 1..255 of the PC keyboard the game's bindings are stored in
// (Esc 1, Enter 28, Space 57, F1 59, ...).
#include <cstdint>
#include <span>

#include "platform/inputsource.h"

namespace input {

struct KeyMapping {
    int scancode; // SDL_Scancode
    uint8_t key;  // game key code
};

std::span<const KeyMapping> KeyMappings();

// The game key code of an SDL scancode; 0 when the key has none.
uint8_t KeyCodeOfScancode(int scancode);

// Whether a key belongs to the window rather than to the game or the widgets: F11, or
// Enter (either) with Alt held, switch between the window and full screen.
bool IsFullScreenKey(int scancode, bool altHeld);

// Turns SDL's pressed-key array (indexed by scancode) into the game's key state.
void TranslateKeyboard(const uint8_t* sdlPressed, int sdlCount, KeyState& keys);

} // namespace input

#pragma once
// Reading the hero's controls: the keyboard bindings and the pad bindings of the settings.
#include "engine/dinput.h"

#include <cstdint>

// This frame's walking direction 0..8 from the four direction controls.
int32_t DirectionFromControls(const TDInput& input);
bool JumpHeld(const TDInput& input);

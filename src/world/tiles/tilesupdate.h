#pragma once
// The cells that change by themselves: spikes, crumbling floors, rising and lowering walls,
// closing pits, timed traps, humming conveyors; and the switch plates that set off walls
// and traps of their channel.
#include <cstdint>

// Once per frame (frame step 2), with the frame counter: every cell, column by column,
// then the trap, belt and spike sounds, each at most once at the loudest distance reached.
void UpdateTiles(int32_t frameCounter);

// The hero stands on the plate at (column, row): the plate is used up and every wall and
// trap of its channel reacts.
void PressSwitch(int32_t column, int32_t row);

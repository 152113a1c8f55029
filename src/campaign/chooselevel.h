#pragma once
// The rules of the level choice, apart from its drawing: which levels may be started, which
// eleven names are on view and where the cursor keys take the selection.
#include "campaign/progress.h"

#include <cstdint>

inline constexpr int32_t LevelWindowRows = 11;

// LevelStateOf for every catalogue entry, kept in the entry.
void ComputeLevelStates();

// The entries on view, first..last (inclusive, within 0..count - 1), around `selected`.
struct tlevelwindow {
    int32_t first = 0;
    int32_t last = -1;
};
tlevelwindow LevelWindow(int32_t selected, int32_t count);

// The selection after a move of `step` entries (+1 down, -1 up, +10 page down, -10 page
// up) in a list of `count`: forwards wraps round, backwards past the top lands on the last
// entry.
int32_t MoveLevelCursor(int32_t selected, int32_t step, int32_t count);

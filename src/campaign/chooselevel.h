#pragma once
// The rules of the level choice, apart from its drawing: which levels may be started, which
// eleven names are on view and where the cursor keys take the selection.
#include <cstdint>

// The state each catalogue entry gets when the level choice opens (tlvl::state).
inline constexpr int32_t LevelOpen = 0;
inline constexpr int32_t LevelCompleted = 1; // by the current player; not again
inline constexpr int32_t LevelLocked = 2;    // its area is not open yet

inline constexpr int32_t LevelWindowRows = 11;

// The state of catalogue entry `index` for the current player and HighestLevelPassed.
int32_t LevelStateOf(int32_t index);
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

#pragma once
// The player's way through the campaign: which levels he has passed, which areas stand open
// and when the campaign is done. The areas are ten levels each; HighestLevelPassed
// (players.h), shared by all slots, is the last level of the open areas.
#include <cstdint>

inline constexpr int32_t AreaSize = 10;

// The state each catalogue entry gets when the level choice opens (tlvl::state).
inline constexpr int32_t LevelOpen = 0;
inline constexpr int32_t LevelCompleted = 1; // by the current player; not again
inline constexpr int32_t LevelLocked = 2;    // its area is not open yet

// True when the current player's Levels list holds the Id of catalogue entry levelIndex.
bool LevelPassed(int levelIndex);

// The state of catalogue entry `index` for the current player and HighestLevelPassed.
int32_t LevelStateOf(int32_t index);

// After a level is passed: an area of which six levels are passed opens the next one
// (up to the eighth), by raising HighestLevelPassed to the area's last level.
void OpenAreas();

// Every campaign level passed by the current player.
bool CampaignCompleted();

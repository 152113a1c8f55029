#pragma once
// "--play-level FILE": one level file played straight away (TForm1::PlayLevelFile).
#include "world/playerrecord.h"

// Rounds the test player carries for each gun.
inline constexpr int32_t TestRounds = 200;

// The player a tried-out level is played with: slot `slot` (1..10) of the players file, or,
// for any other number, a test player with every gun and TestRounds rounds for each. Always
// a copy, so playing it changes no slot.
tplayer TestPlayer(int slot);

#pragma once
// Watching a kept run from the level choice: the player's best run of a level, or its par
// run from the game folder, played through the real game loop with the recorded keys.
// Watching settles nothing: no money, lives, score, records or times change, and the
// settings and the random state are as they were afterwards.
#include "render/services.h"

#include <string>

struct tlvl;

// Plays the replay at the game path (the user folder's or the game folder's) on the level.
// Esc (the player's own, not the run's) ends it at once. False when the replay is missing
// or refused (its reason is logged); nothing was played then.
bool WatchRun(tservices& services, const tlvl& level, const std::string& replayPath);

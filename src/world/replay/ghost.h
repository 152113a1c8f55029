#pragma once
// The ghost of a kept run: the hero of a replay, drawn translucent beside the player step
// for step. His path is worked out before the level starts by playing the replay through
// the game loop without a picture; during play he is only drawn, so nothing in the world
// can tell he is there.
#include "engine/xmlparser.h"
#include "world/replay/replayform.h"

#include <cstdint>
#include <optional>
#include <vector>

// The path drawn in the level being played (index: the frame of the level); empty: none.
extern std::vector<theroplace> ghostpath;

// The hero after every frame of the replay played on the level, which must be the one the
// replay was made on. The program and the world's record are left as they were found (the
// world tables are rebuilt by the next attempt anyway).
std::vector<theroplace> GhostPath(const treplay& replay, const tnode& level);

// The ghost as drawn in the frame being played, the fraction of the way from his step
// before (as the hero is drawn between steps); nothing when his run is over.
std::optional<theroplace> GhostNow(float fraction);

#pragma once
// The runs the game keeps in the user folder: the last level played whatever its end, and
// each player's fastest completion of each level. Keeping a run is never part of the
// settlement: a replay that cannot be written costs nothing but itself.
#include "world/replay/replayform.h"

#include <cstdint>
#include <optional>
#include <string>

struct tplayer;

// "replays\last"
inline constexpr const char* LastRunPath = "replays\\last";
// "replays\<player Id>\<level Id>.best", or "" when the Id cannot name a folder.
std::string BestRunPath(const tplayer& player, const std::string& levelId);

// The par run of campaign level index 0..79 in the game folder: "par\NN.replay".
std::string ParRunPath(int32_t levelIndex);

// The frames of the par run of campaign level index 0..79; -1 when there is none.
int64_t ParFrames(int32_t levelIndex);

// Keeps the run as the last one, and as the player's best when it completed the level in
// fewer frames than the best kept (or none was kept). One best per player and level, so the
// folder grows only with the levels played. False when a write failed.
bool KeepRun(const treplay& run, const tplayer& player);

// A kept run read back; nullopt when there is none or it is not a replay.
std::optional<treplay> ReadKeptRun(const std::string& gamePath);

#pragma once
// A replay: one played level written down so that it plays again exactly. The world is
// deterministic, so what a run needs is where it began (the player's record as he entered
// the level, the bindings the keys meant, the guide, the random state and the frame
// counter), which frames the recording game had to leave undrawn (the reload runs only in
// drawn frames), and the keys of every poll in the key-script form. The outcome and the
// counters at the end are kept too, so a replay can tell when it no longer plays the same.
// The text form is described in docs/replays.md.
#include "engine/scriptedinput.h"
#include "world/heroplace.h"
#include "world/playerrecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* ReplayFirstLine = "tarnhollow replay 1";
// A replay is a few kilobytes a minute of play; this is hours of busy fingers.
inline constexpr size_t LargestReplayFile = size_t{8} << 20;
// No level takes anybody this long (about eight hours at 35 frames a second).
inline constexpr int64_t MostReplayFrames = 1'000'000;
// The hero's path is written down for runs up to this long (about 48 minutes); a longer
// run's ghost is worked out by playing it, and its file stays small.
inline constexpr int64_t MostPathFrames = 100'000;

// The bindings a run was played with, in the order of BindingNames.
inline constexpr std::array<const char*, 17> BindingNames = {
    "KeyLeft",   "KeyRight", "KeyUp",     "KeyDown",  "KeyJump",       "KeyFire",
    "KeyChange", "KeyGuide", "PadLeft",   "PadRight", "PadUp",         "PadDown",
    "PadJump",   "PadFire",  "PadChange", "PadGuide", "PadSensitivity"};

// What the level left behind: the play tool's final line in numbers.
struct treplayresult {
    int32_t LevelOutcome = -1;
    int64_t frames = 0;
    int64_t time = 0; // milliseconds on the game's clock
    int32_t Score = 0, Lives = 0, Money = 0;
    int32_t MonstersKilled = 0, PotionsFound = 0, TreasuresFound = 0, RoundsFired = 0;
    bool operator==(const treplayresult&) const = default;
};

struct treplay {
    std::string game;    // the version line of the game that recorded it
    std::string levelId; // the level's Id
    uint64_t levelHash = 0;
    tplayer player; // as he entered the level (his list of completed levels is not kept)
    std::array<int32_t, BindingNames.size()> bindings{};
    bool guideOn = false;
    uint32_t seed = 0;
    uint16_t frameCounter = 0;
    treplayresult result;
    std::vector<int64_t> undrawn; // game frames the recording game did not draw, rising
    // The hero after every frame as the recording game played it (one per frame), so his
    // ghost needs no second playing; empty when not written down.
    std::vector<theroplace> path;
    std::vector<InputStep> keys; // one script frame per poll of the input
};

// FNV-1a over 64 bits: short to write, fast enough for a 100 kB level at every start, and
// any changed byte changes it; it only has to tell versions of one level apart, not resist
// someone forging a collision.
uint64_t LevelHash(std::string_view bytes);

// A run's frames on its clock as "mm:ss.cc" (minutes, seconds, hundredths): the par line
// and the clock of a run being watched.
std::string FramesClock(int64_t frames);

std::string ReplayText(const treplay& replay);
// nullopt with a one-line reason naming the line when the text is not a replay we can play.
std::optional<treplay> ParseReplay(std::string_view text, std::string& error);

// The bindings of the settings, and the settings given a replay's.
std::array<int32_t, BindingNames.size()> CurrentBindings();
void UseBindings(const std::array<int32_t, BindingNames.size()>& bindings);

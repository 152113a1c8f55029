// The autopilot plays a campaign level through the real game loop, and the keys it wrote
// play the same run again through `play`: same outcome, same frames, same final line.
#include "support/commandline.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string GameDir() {
    if (const char* game = std::getenv("TARNHOLLOW_GAME_DIR")) return game;
    return TARNHOLLOW_GAME_DIR;
}

tcommandrun Tool(const std::string& arguments) {
    return RunCommandLine("'" + GameDir() + "/tarnhollow-tool' " + arguments + " 2>/dev/null");
}

TEST(Autoplay, KeysOutReplayExactlyThroughPlay) {
    ScratchFolder folder;
    // Spikes, zombies among pillars, a jump and treasure, finished without a gun.
    const std::string level = GameDir() + "/lvl/14.dat";
    if (!std::filesystem::exists(level)) GTEST_SKIP() << "no campaign levels in " << GameDir();
    const tcommandrun pilot = Tool("autoplay '" + level + "' --keys-out run.keys");
    ASSERT_EQ(pilot.exitCode, 0);
    ASSERT_EQ(pilot.lines.size(), 1u);
    EXPECT_NE(pilot.lines[0].find("\"LevelOutcome\": 2"), std::string::npos) << pilot.lines[0];

    const tcommandrun replay = Tool("play '" + level + "' --keys run.keys");
    ASSERT_EQ(replay.exitCode, 0);
    ASSERT_EQ(replay.lines.size(), 1u);
    EXPECT_EQ(replay.lines[0], pilot.lines[0]);
}

} // namespace

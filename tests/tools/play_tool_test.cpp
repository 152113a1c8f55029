// tarnhollow-tool play: a level played headless from a key script, as scripts and bug
// reports use it.
#include "campaign/players.h"
#include "levelonekeys.h"
#include "support/commandline.h"
#include "support/fakedata.h"
#include "support/scratch_folder.h"
#include "world/levelfile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

namespace {

std::string Tool() {
    if (const char* game = std::getenv("TARNHOLLOW_GAME_DIR"))
        return std::string(game) + "/tarnhollow-tool";
    auto self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path() / "../../game/tarnhollow-tool").lexically_normal().string();
}

using trun = tcommandrun;

trun RunTool(const std::string& command, const std::string& arguments) {
    return RunCommandLine("'" + Tool() + "' " + command + " " + arguments + " 2>/dev/null");
}

trun Play(const std::string& arguments) {
    return RunTool("play", arguments);
}

class PlayTool : public ::testing::Test {
  protected:
    ScratchFolder folder;

    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(Tool())) << Tool();
        ASSERT_TRUE(fakedata::Write("gfx1024\\"));
        // A zombie two cells ahead of the hero on an open floor.
        testlevel::tlevelplan level;
        level.SX = "10";
        level.SY = std::to_string(49 - 10);
        level.World(10, 12).M = 0;
        ASSERT_TRUE(testlevel::WriteLevelFile("level.dat", level));
        WriteBytes("escape.keys", "0: 1  # Escape\n");
    }
    std::string Data() const { return " --data '" + folder.path + "'"; }
};

TEST_F(PlayTool, EscapeEndsTheRunWithTheSummary) {
    const trun run = Play("level.dat --keys escape.keys" + Data());
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0],
              "{\"LevelOutcome\": 0, \"frames\": 1, \"Score\": 0, \"Lives\": 6, \"Money\": 0, "
              "\"MonstersKilled\": 0, \"PotionsFound\": 0, \"TreasuresFound\": 0, "
              "\"RoundsFired\": 0}");
}

TEST_F(PlayTool, TraceGivesOneLinePerFrame) {
    const trun run = Play("level.dat --frames 3 --trace --seed 7" + Data());
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), 4u);
    EXPECT_EQ(run.lines[0].rfind("{\"frame\": 0, \"attempt\": 1, \"column\": 10, \"row\": 10, "
                                 "\"height\": 0, \"climb\": 0, \"Facing\": 1, \"Energy\": 100, "
                                 "\"Lives\": 7, \"Score\": 0, \"Jump\": 100, \"Gun\": 0, "
                                 "\"AmmoCurrent\": [0, 0, 0], \"AmmoAll\": [0, 0, 0], "
                                 "\"DeathFade\": 0, \"ExitFade\": 0, \"SpeedTimer\": 0, "
                                 "\"BlessingTimer\": 0, \"InvincibilityTimer\": 0, "
                                 "\"InvisibilityTimer\": 0, \"TreasureBonus\": 0, "
                                 "\"creatures\": [{\"kind\": \"zombie\", \"column\": 10, \"row\": ",
                                 0),
              0u)
        << run.lines[0];
    EXPECT_EQ(run.lines[2].rfind("{\"frame\": 2, ", 0), 0u);
    // Cut short by --frames: the level has no outcome yet.
    EXPECT_EQ(run.lines[3].rfind("{\"LevelOutcome\": -1, \"frames\": 3, ", 0), 0u) << run.lines[3];

    // The same seed and keys play the same game.
    EXPECT_EQ(Play("level.dat --frames 3 --trace --seed 7" + Data()).lines, run.lines);
}

TEST_F(PlayTool, PlaysThePlayerOfASlot) {
    CreateDefaultPlayers();
    PlayerProfiles[4].Name = "ANNA";
    ResetPlayer(4);
    PlayerProfiles[4].Lives = 4;
    PlayerProfiles[4].Score = 1234;
    ASSERT_TRUE(SavePlayersTo("players.dat"));
    const trun run = Play("level.dat --keys escape.keys --players players.dat --slot 4" + Data());
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0].rfind("{\"LevelOutcome\": 0, \"frames\": 1, \"Score\": 1234, "
                                 "\"Lives\": 3, ",
                                 0),
              0u)
        << run.lines[0];
    // An empty slot cannot be played.
    EXPECT_EQ(Play("level.dat --players players.dat --slot 5" + Data()).exitCode, 1);
}

TEST_F(PlayTool, RefusesBadInputAndBadUsage) {
    WriteBytes("bad.keys", "5: 1\n2: 1\n"); // frames must rise
    WriteBytes("broken.dat", "not a level\r\n");
    EXPECT_EQ(Play("level.dat --keys bad.keys" + Data()).exitCode, 1);
    EXPECT_EQ(Play("missing.dat" + Data()).exitCode, 1);
    EXPECT_EQ(Play("broken.dat" + Data()).exitCode, 1);
    EXPECT_EQ(Play("level.dat --players players.dat" + Data()).exitCode, 2);
    EXPECT_EQ(Play("level.dat --frames 0" + Data()).exitCode, 2);
    EXPECT_EQ(Play("level.dat --slot 11 --players p.dat" + Data()).exitCode, 2);
    EXPECT_EQ(Play("level.dat --colour red" + Data()).exitCode, 2);
    EXPECT_EQ(Play("").exitCode, 2);
    // A game folder without the data cannot start.
    EXPECT_EQ(Play("level.dat --data /nonexistent").exitCode, 1);
}

TEST_F(PlayTool, RenderSavesTheLastFrameAndEveryKth) {
    EXPECT_EQ(RunTool("render", "level.dat out.png --size 800").exitCode, 2);
    EXPECT_EQ(RunTool("render", "level.dat out.png --texture 512").exitCode, 2);
    EXPECT_EQ(RunTool("render", "level.dat out.png --every 0").exitCode, 2);
    EXPECT_EQ(RunTool("render", "level.dat").exitCode, 2);
    EXPECT_EQ(RunTool("render", "level.dat out.png --players players.dat").exitCode, 2);

    // The pictures come from the game folder the tool sits in.
    const char* game = std::getenv("TARNHOLLOW_GAME_DIR");
    if (!game || !std::filesystem::exists(std::string(game) + "/gfx1024/3dhahmobin.exp"))
        GTEST_SKIP() << "no game data built";
    const trun run = RunTool("render", "level.dat out.png --frames 3 --every 2 --size 320x240");
    if (run.exitCode == 1 && run.lines.empty()) GTEST_SKIP() << "no OpenGL 3.3 device here";
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(FileExists("out.png"));
    EXPECT_TRUE(FileExists("out-0.png"));
    EXPECT_FALSE(FileExists("out-1.png"));
    EXPECT_TRUE(FileExists("out-2.png"));

    // A picture of an armed hero needs a player who owns a gun: the slot of a players file.
    CreateDefaultPlayers();
    PlayerProfiles[4].Name = "ANNA";
    ResetPlayer(4);
    PlayerProfiles[4].Own[1] = true;
    PlayerProfiles[4].Gun = 1;
    PlayerProfiles[4].AmmoCurrent[1] = 8;
    ASSERT_TRUE(SavePlayersTo("players.dat"));
    const trun armed = RunTool("render", "level.dat armed.png --frames 2 --size 320x240 "
                                         "--players players.dat --slot 4");
    EXPECT_EQ(armed.exitCode, 0);
    EXPECT_TRUE(FileExists("armed.png"));
    EXPECT_EQ(RunTool("render", "level.dat x.png --players players.dat --slot 5").exitCode, 1);
}

// The first campaign level walked from its start to its exit.
TEST_F(PlayTool, TheFirstCampaignLevelCanBeWalkedToItsExit) {
    const char* game = std::getenv("TARNHOLLOW_GAME_DIR");
    const std::string level = std::string(game ? game : "") + "/lvl/01.dat";
    if (!game || !std::filesystem::exists(level)) GTEST_SKIP() << "no campaign levels built";
    WriteBytes("route.keys", LevelOneKeys);
    const trun run = Play("'" + level + "' --keys route.keys --trace" + Data());
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_GE(run.lines.size(), 2u);
    // Completed, no life lost, the treasure on the way; the exit fade took its 32 frames.
    EXPECT_EQ(run.lines.back().rfind("{\"LevelOutcome\": 2, \"frames\": 721, \"Score\": 4050, "
                                     "\"Lives\": 7, ",
                                     0),
              0u)
        << run.lines.back();
    int fadeFrames = 0;
    for (const std::string& line : run.lines)
        fadeFrames +=
            line.find("\"ExitFade\": 0,") == std::string::npos && line.rfind("{\"frame\"", 0) == 0;
    EXPECT_EQ(fadeFrames, 32);
}

} // namespace

// The par runs of the game folder: each plays its campaign level to the end in the par
// frames the level README lists, and a run tampered with is refused or still a run.
#include "playrun.h"
#include "support/commandline.h"

#include "world/loop/gameloop.h"
#include "world/replay/replayplay.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string GameFolder() {
    const char* game = std::getenv("TARNHOLLOW_GAME_DIR");
    return fs::absolute(game ? game : TARNHOLLOW_GAME_DIR).string();
}

std::string Text(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Number(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// Plays the replay on campaign level n headless; the run's result.
treplayresult Play(const treplay& replay, int n) {
    playrun::tsetup setup;
    setup.data = GameFolder();
    setup.level = setup.data + "/lvl/" + Number(n) + ".dat";
    setup.replay = &replay;
    playrun::tlevelrun run;
    std::string why;
    EXPECT_TRUE(run.Prepare(setup, why)) << why;
    run.Play(nullptr);
    return ResultNow(run.Outcome(), 0);
}

class ParRuns : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(GameFolder() + "/par/80.replay"))
            GTEST_SKIP() << "no par runs in " << GameFolder();
    }
    static treplay Read(int n) {
        std::string why;
        auto replay = ParseReplay(Text(GameFolder() + "/par/" + Number(n) + ".replay"), why);
        EXPECT_TRUE(replay) << why;
        return replay ? *replay : treplay{};
    }
};

TEST_F(ParRuns, EveryCampaignLevelIsCompletedInItsParFrames) {
    // "| 07 | Name | 10 % | 91 | 882 | 0:25 | 1 |" rows of the README's par table.
    std::map<int, long> parFrames;
    const std::string readme = Text(std::string(TARNHOLLOW_SOURCE_DIR) + "/tools/levels/README.md");
    static const std::regex row(
        R"((?:^|\n)\| (\d\d) \| [^|\n]+ \| [^|\n]+ \| [^|\n]+ \| (\d+) \| \d+:\d\d \| \d+ \|)");
    for (auto it = std::sregex_iterator(readme.begin(), readme.end(), row);
         it != std::sregex_iterator(); ++it)
        parFrames[std::stoi((*it)[1])] = std::stol((*it)[2]);
    ASSERT_EQ(parFrames.size(), 80u);

    // All 80 in one run of the tool, as a player's machine plays them; it refuses (exit 1)
    // a run that does not end as its file says.
    std::string files;
    for (int n = 1; n <= 80; ++n) files += " '" + GameFolder() + "/par/" + Number(n) + ".replay'";
    const tcommandrun run = RunCommandLine("'" + GameFolder() + "/tarnhollow-tool' replay" + files +
                                           " --data '" + GameFolder() + "'");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), 80u);
    for (int n = 1; n <= 80; ++n) {
        SCOPED_TRACE("level " + Number(n));
        const std::string& line = run.lines[size_t(n - 1)];
        EXPECT_NE(line.find("/par/" + Number(n) + ".replay\", \"LevelOutcome\": 2, \"frames\": " +
                            std::to_string(parFrames[n]) + ","),
                  std::string::npos)
            << line;
    }
}

TEST_F(ParRuns, AChangedKeyLineIsStillARunOfTheLevelOrRefused) {
    const treplay par = Read(5);
    ASSERT_GT(par.keys.size(), 20u);
    // Each changed line a different way: a key let go, another key held, the line's frame
    // moved later, a pad control held.
    for (size_t k = 3; k < par.keys.size(); k += par.keys.size() / 6) {
        treplay changed = par;
        InputStep& step = changed.keys[k];
        switch (k % 4) {
        case 0:
            step.codes.clear();
            break;
        case 1:
            step.codes = {203, 57};
            break;
        case 2:
            if (k + 1 < changed.keys.size() && step.frame + 1 < changed.keys[k + 1].frame)
                ++step.frame;
            break;
        default:
            step.codes = {ScriptPadCodeBase + 19};
            break;
        }
        std::string why;
        const auto read = ParseReplay(ReplayText(changed), why);
        if (!read) continue; // refused: fine
        const treplayresult played = Play(*read, 5);
        EXPECT_GE(played.LevelOutcome, OutcomeStopped);
        EXPECT_LE(played.LevelOutcome, OutcomeCompleted);
        EXPECT_LE(played.frames, ReplayFrameLimit(*read));
    }
}

} // namespace

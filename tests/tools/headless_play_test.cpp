// Runs that draw nothing go through the null device; what the player sees happen must be
// the same as through the recording device, frame by frame.
#include "playrun.h"

#include "engine/dgraphics.h"
#include "support/fakedata.h"
#include "support/scratch_folder.h"
#include "world/levelfile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct tplayed {
    std::vector<std::string> trace; // one line per frame
    std::string summary;
    uint64_t drawCalls = 0;
};

tplayed PlayThrough(playrun::tsetup setup, bool record) {
    setup.record = record;
    tplayed played;
    playrun::tlevelrun run;
    std::string error;
    if (!run.Prepare(setup, error)) {
        ADD_FAILURE() << error;
        return played;
    }
    run.Play([&] { played.trace.push_back(playrun::tlevelrun::TraceLine()); });
    played.summary = run.Summary();
    played.drawCalls = run.Services().graphics->Device()->Stats().drawCalls;
    return played;
}

// Walks up to the zombie, turns, jumps and walks back: fights, falls and the hero's own
// animation all in a few hundred frames.
constexpr const char* Walk = "0: 200\n"
                             "80: 205 200\n"
                             "120: 57\n"
                             "130: 203 200\n"
                             "200:\n"
                             "230: 208 57\n"
                             "300: 200\n";

TEST(HeadlessPlay, TheNullDeviceChangesNothingThePlayerSees) {
    ScratchFolder folder;
    ASSERT_TRUE(fakedata::Write("gfx1024\\"));
    testlevel::tlevelplan plan;
    plan.SX = "10";
    plan.SY = std::to_string(49 - 10);
    plan.World(10, 12).M = 0;
    ASSERT_TRUE(testlevel::WriteLevelFile("level.dat", plan));
    WriteBytes("walk.keys", Walk);

    struct tcase {
        std::string what, data, level;
    };
    std::vector<tcase> cases = {{"stand-in data", folder.path, folder.path + "/level.dat"}};
    // With the real data: real picture sizes and real models on a campaign level.
    if (const char* game = std::getenv("TARNHOLLOW_GAME_DIR")) {
        const std::string real = std::filesystem::absolute(game).string();
        if (std::filesystem::exists(real + "/lvl/01.dat"))
            cases.push_back({"campaign level 1", real, real + "/lvl/01.dat"});
    }

    for (const tcase& c : cases) {
        SCOPED_TRACE(c.what);
        playrun::tsetup setup;
        setup.level = c.level;
        setup.keys = folder.path + "/walk.keys";
        setup.data = c.data;
        setup.frames = 400;
        setup.seed = 11;
        const tplayed recorded = PlayThrough(setup, true);
        const tplayed headless = PlayThrough(setup, false);
        ASSERT_EQ(recorded.trace.size(), 400u);
        EXPECT_GT(recorded.drawCalls, 0u) << "the recorder was not the device drawn on";
        EXPECT_EQ(headless.drawCalls, 0u);
        for (size_t frame = 0; frame < recorded.trace.size(); ++frame)
            ASSERT_EQ(headless.trace.at(frame), recorded.trace[frame]) << "frame " << frame;
        EXPECT_EQ(headless.summary, recorded.summary);
    }
}

} // namespace

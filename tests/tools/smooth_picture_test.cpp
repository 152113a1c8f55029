// Play drawn between its steps at the display's rate, on a virtual clock: the hero glides at
// an even pace on any display, what jumps is drawn at its new place at once, and the game
// itself runs exactly as it does with one picture a step.
#include "playrun.h"

#include "support/fakedata.h"
#include "support/scratch_folder.h"
#include "world/levelfile.h"
#include "world/loop/gameloop.h"
#include "world/tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct tstepseen {
    int32_t attempt = 0;
    float column = 0, row = 0;
    float slide = 0; // the start picture's place
};

struct tsmoothrun {
    std::vector<std::string> trace;   // the step trace, one line a step
    std::vector<tstepseen> steps;     // the hero of each step as the game has him
    std::vector<tdrawnpicture> drawn; // every picture, as drawn
    std::vector<float> slideDrawn;    // the start picture's place in every picture
};

tsmoothrun PlayAt(playrun::tsetup setup, int displayHz) {
    setup.displayHz = displayHz;
    tsmoothrun seen;
    playrun::tlevelrun run;
    std::string error;
    if (!run.Prepare(setup, error)) {
        ADD_FAILURE() << error;
        return seen;
    }
    run.Services().afterDraw = [&] {
        seen.drawn.push_back(drawnpicture);
        seen.slideDrawn.push_back(inlevel.overlay.IntroSlide);
    };
    run.Play([&] {
        seen.trace.push_back(playrun::tlevelrun::TraceLine());
        seen.steps.push_back(
            {inlevel.loopstate.attempt, hero.column, hero.row, inlevel.overlay.IntroSlide});
    });
    return seen;
}

std::string CampaignLevel(int number) {
    const char* game = std::getenv("TARNHOLLOW_GAME_DIR");
    char name[16];
    std::snprintf(name, sizeof name, "/lvl/%02d.dat", number);
    const std::string level = std::string(game ? game : "") + name;
    return game && std::filesystem::exists(level) ? level : "";
}

// Level 1 from its start: left along the first room, down the corridor, left at its foot;
// the hero walks at his one speed the whole way.
TEST(SmoothPicture, WalkingIsDrawnAtAnEvenPaceAtEveryRefreshRate) {
    ScratchFolder folder;
    const std::string level = CampaignLevel(1);
    if (level.empty()) GTEST_SKIP() << "no campaign levels built";
    WriteBytes("walk.keys", "0: 203\n34: 208\n103: 203\n");
    playrun::tsetup setup;
    setup.level = level;
    setup.keys = folder.path + "/walk.keys";
    setup.data = std::filesystem::path(level).parent_path().parent_path().string();
    setup.frames = 110;

    const tsmoothrun classic = PlayAt(setup, 0);
    ASSERT_EQ(classic.trace.size(), 110u);
    EXPECT_EQ(classic.drawn.size(), 110u) << "one picture a step";
    for (const int hz : {60, 144}) {
        SCOPED_TRACE(std::to_string(hz) + " Hz");
        const tsmoothrun smooth = PlayAt(setup, hz);
        // The game never reads what was drawn: step for step it is the game drawn classically.
        ASSERT_EQ(smooth.trace, classic.trace);
        // 3 seconds of walking (steps 2..107), each picture as many refreshes as the
        // display gives it.
        std::vector<float> moves;
        const tdrawnpicture* last = nullptr;
        for (const tdrawnpicture& p : smooth.drawn) {
            if (p.frame < 2 || p.frame > 107) continue;
            // The walk turns corners along the grid: the distance walked is the sum of both.
            if (last)
                moves.push_back(std::fabs(p.hero[0] - last->hero[0]) +
                                std::fabs(p.hero[2] - last->hero[2]));
            last = &p;
        }
        const double expected = 3.0 * hz;
        ASSERT_NEAR(static_cast<double>(moves.size()), expected, expected * 0.02);
        double mean = 0;
        for (float m : moves) mean += m;
        mean /= static_cast<double>(moves.size());
        EXPECT_NEAR(mean, 0.16 * 35 / hz, 0.002);
        for (size_t i = 0; i < moves.size(); ++i)
            ASSERT_NEAR(moves[i], mean, mean * 0.15) << "picture " << i;
    }
}

// A teleport and then a fall into a pit: the picture after the jump and the first picture of
// the new attempt show the hero where the game has him, not part of the way there.
TEST(SmoothPicture, JumpsAreDrawnAtTheNewPlaceAtOnce) {
    ScratchFolder folder;
    ASSERT_TRUE(fakedata::Write("gfx1024\\"));
    testlevel::tlevelplan plan;
    plan.SX = "10";
    plan.SY = std::to_string(49 - 10);
    plan.World(10, 12) = {15, -1, -1, 1, 100, 0, 0};               // teleport of link 1
    plan.World(30, 12) = {15, -1, -1, 1, 100, 0, 0};               // its partner
    for (int row = 15; row < 25; ++row) plan.World(30, row).E = 0; // a long pit beyond it
    ASSERT_TRUE(testlevel::WriteLevelFile("level.dat", plan));
    // Onto the teleport and wait there; then off it, up to the pit and jump in.
    WriteBytes("jumps.keys", "0: 200\n12:\n60: 200\n76: 200 57\n78: 200\n");
    playrun::tsetup setup;
    setup.level = folder.path + "/level.dat";
    setup.keys = folder.path + "/jumps.keys";
    setup.data = folder.path;
    setup.frames = 180;

    const tsmoothrun run = PlayAt(setup, 60);
    ASSERT_EQ(run.steps.size(), 180u);
    // The step of each jump: the teleport moves the hero 20 cells, the new attempt puts
    // him back at the start.
    std::vector<int64_t> jumps;
    for (size_t f = 1; f < run.steps.size(); ++f) {
        const tstepseen &was = run.steps[f - 1], &now = run.steps[f];
        if (now.attempt != was.attempt || std::fabs(now.column - was.column) > 5.0f)
            jumps.push_back(static_cast<int64_t>(f));
    }
    ASSERT_EQ(jumps.size(), 2u) << "a teleport, then a new attempt";
    EXPECT_EQ(run.steps[static_cast<size_t>(jumps[1])].attempt, 2);

    for (const int64_t jump : jumps) {
        SCOPED_TRACE("step " + std::to_string(jump));
        const tstepseen& at = run.steps[static_cast<size_t>(jump)];
        const tdrawnpicture* first = nullptr;
        for (const tdrawnpicture& p : run.drawn)
            if (p.frame == jump) {
                first = &p;
                break;
            }
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->hero[0], at.column);
        EXPECT_EQ(first->hero[2], at.row);
        EXPECT_EQ(first->camera[0], at.column) << "the camera jumps with him";
    }
    // The mirror: a step of plain walking is drawn part of the way from the step before.
    const int64_t walking = 65;
    for (const tdrawnpicture& p : run.drawn)
        if (p.frame == walking && p.alpha > 0.0f) {
            EXPECT_NE(p.hero[2], run.steps[static_cast<size_t>(walking)].row);
            break;
        }
}

// The start picture rises and falls away in the first second whatever the display's rate:
// step for step where the classic picture has it, and drawn between those places.
TEST(SmoothPicture, TheStartPictureSlidesAwayAtEveryRate) {
    ScratchFolder folder;
    ASSERT_TRUE(fakedata::Write("gfx1024\\"));
    testlevel::tlevelplan plan;
    plan.SX = "10";
    plan.SY = std::to_string(49 - 10);
    ASSERT_TRUE(testlevel::WriteLevelFile("level.dat", plan));
    playrun::tsetup setup;
    setup.level = folder.path + "/level.dat";
    setup.data = folder.path;
    setup.frames = 70;

    std::vector<float> classic;
    for (const tstepseen& step : PlayAt(setup, 0).steps) classic.push_back(step.slide);
    ASSERT_EQ(classic.size(), 70u);
    ASSERT_LE(classic.back(), 0.0f) << "gone within two seconds";
    for (const int hz : {60, 144}) {
        SCOPED_TRACE(std::to_string(hz) + " Hz");
        const tsmoothrun smooth = PlayAt(setup, hz);
        std::vector<float> steps;
        for (const tstepseen& step : smooth.steps) steps.push_back(step.slide);
        EXPECT_EQ(steps, classic);
        // Every picture while it shows lies between the places of the steps around it.
        for (size_t i = 0; i < smooth.drawn.size(); ++i) {
            const size_t frame = static_cast<size_t>(smooth.drawn[i].frame);
            if (frame == 0 || frame >= classic.size() || classic[frame] <= 0.0f) continue;
            const float a = classic[frame - 1], b = classic[frame];
            EXPECT_GE(smooth.slideDrawn[i], std::min(a, b) - 1e-3f) << "picture " << i;
            EXPECT_LE(smooth.slideDrawn[i], std::max(a, b) + 1e-3f) << "picture " << i;
        }
    }
}

} // namespace

// A level written down as the game writes it plays again exactly: every way a level can end,
// and the things a replay cannot see (slow frames, bindings, the guide, a focus pause, a
// window closed) reproduced or left out as they must be.
#include "gameloopfixture.h"

#include "engine/random.h"
#include "render/assetorder.h"
#include "world/creaturebase.h"
#include "world/replay/ghost.h"
#include "world/replay/replayplay.h"
#include "world/replay/replayrecorder.h"

namespace looptest {
namespace {

using playfield::tmap;

class ReplayTest : public GameLoopTest {
  protected:
    std::vector<theroplace> heroPath; // the hero after every frame of the last Replay

    void NewPlayer(int32_t lives) {
        player = tplayer{};
        player.Name = "TEST";
        player.Lives = lives;
        player.Energy = 100;
        player.Own[0] = true;
        player.Score = 300;
    }

    // The pistol with sixty rounds, on a display that shows one picture in `waits` ticks.
    void ArmedOnASlowDisplay(int64_t waits) {
        player.Own[1] = true;
        player.Gun = 1;
        player.AmmoAll[1] = 60;
        ticksPerWait = waits;
    }

    treplay Record(int64_t frames) {
        onFrame = [frames](int64_t frame) { return frames == 0 || frame + 1 < frames; };
        treplayrecorder recorder;
        recorder.Begin(*form.input, "test", "20260101000000000000001", 42);
        Play();
        return recorder.Finish(*form.input, LevelOutcome, 0);
    }

    // Plays the replay in a program that has been busy with other things meanwhile.
    treplayresult Replay(const treplay& replay) {
        settings = tsettings{};
        inlevel.GuideOn = false;
        Randomize(777);
        inlevel.loopstate.frameCounter = 1234;
        player = tplayer{};
        player.Name = "SOMEONE";
        player.Lives = 9;
        player.Money = 5;
        EnterReplayStart(replay, player);
        form.input->Release();
        form.input = std::make_unique<TDInput>();
        auto scripted = std::make_unique<ScriptedInput>(replay.keys);
        script = scripted.get();
        EXPECT_TRUE(form.input->Init(std::move(scripted)));
        form.frameUndrawn = UndrawnLike(replay);
        ticksPerWait = 1;
        heroPath.clear();
        // A replay that went astray stops where the recording ended.
        const int64_t last = replay.result.frames - (replay.result.LevelOutcome == OutcomeStopped);
        onFrame = [this, last](int64_t frame) {
            heroPath.push_back({hero.column, hero.height, hero.row, inlevel.Facing});
            return frame < last;
        };
        Play();
        form.frameUndrawn = nullptr;
        return ResultNow(LevelOutcome, 0);
    }
};

TEST_F(ReplayTest, EveryKindOfRunPlaysAgainAsItWasPlayed) {
    struct tcase {
        const char* what;
        std::vector<std::string> map;
        std::string keys;
        int32_t lives, outcome;
        std::function<void()> before = [] {};
        long closeAt = -1, focusLostAt = -1;
        int64_t frames = 0; // stop the level after so many frames; 0: play it to its end
    };
    const std::vector<tcase> cases = {
        {"completed", {"E", ".", "H"}, "0: 200\n", 3, OutcomeCompleted},
        {"retreated", {"...", ".H.", "..."}, "0: 203\n30: 1\n33:\n", 3, OutcomeRetreated},
        {"game over", {"z", "H"}, "", 1, OutcomeGameOver},
        {"several attempts", {"z", "H"}, "0: 205\n50: 203\n", 3, OutcomeGameOver},
        {"fighting on a slow display: the reload runs only in drawn frames",
         {"..z..", ".....", "..H.."},
         "0: 157\n",
         2,
         OutcomeStopped,
         [this] { ArmedOnASlowDisplay(3); },
         -1,
         -1,
         300},
        {"fighting drawn between steps on a slow display",
         {"..z..", ".....", "..H.."},
         "0: 157\n",
         2,
         OutcomeStopped,
         [this] {
             ArmedOnASlowDisplay(8);
             form.displayHz = 60;
             form.waitCounts = [this](int64_t counts) { clock.Advance(counts * ticksPerWait); };
         },
         -1,
         -1,
         300},
        {"other bindings and the guide on",
         {"E", ".", "H"},
         "0: 17\n",
         3,
         OutcomeCompleted,
         [] {
             settings.KeyUp = 17;
             inlevel.GuideOn = true;
         }},
        {"a focus pause and a closed window",
         {"E", ".", ".", ".", ".", "H"},
         "0: 205\n20: 203\n60: 25\n61:\n80: 200\n",
         3,
         OutcomeRetreated,
         [] {},
         90,
         10},
    };
    for (const tcase& c : cases) {
        SCOPED_TRACE(c.what);
        settings = tsettings{};
        inlevel.GuideOn = false;
        ticksPerWait = 1;
        form.displayHz = 0;
        form.waitCounts = nullptr;
        Level(tmap(c.map, 20, 20));
        KeysAndEvents(c.keys, c.closeAt, c.focusLostAt);
        NewPlayer(c.lives);
        c.before();
        Randomize(5);
        const treplay recorded = Record(c.frames);
        ASSERT_EQ(recorded.result.LevelOutcome, c.outcome);
        if (ticksPerWait > 1) {
            EXPECT_FALSE(recorded.undrawn.empty());
            EXPECT_GT(recorded.result.RoundsFired, 0);
        }

        std::string why;
        const auto read = ParseReplay(ReplayText(recorded), why);
        ASSERT_TRUE(read) << why;
        EXPECT_EQ(ReplayText(*read), ReplayText(recorded));
        EXPECT_EQ(Replay(*read), recorded.result);
        // The hero's path written down is where the run played again has him, frame by frame.
        EXPECT_EQ(read->path, heroPath);
    }
}

// Everything of the world a ghost could disturb, as one line.
std::string WorldLine() {
    std::string line =
        std::to_string(hero.column) + " " + std::to_string(hero.row) + " " +
        std::to_string(hero.height) + " " + std::to_string(Player().Energy) + " " +
        std::to_string(Player().Score) + " " + std::to_string(Player().AmmoCurrent[1]) + " " +
        std::to_string(RandomSeed()) + " " + std::to_string(inlevel.loopstate.frameCounter) + " " +
        std::to_string(inlevel.MonstersKilled) + " " + std::to_string(inlevel.ReloadTimer[1]) +
        " |";
    for (const auto& c : creatures)
        line += " " + std::to_string(c->column) + "," + std::to_string(c->row);
    return line;
}

TEST_F(ReplayTest, TheGhostWalksTheKeptRunAndTouchesNothing) {
    Level(tmap({".......", "...z...", ".......", ".......", "...H..."}, 20, 20));
    auto armed = [this] {
        NewPlayer(3);
        player.Own[1] = true;
        player.Gun = 1;
        player.AmmoAll[1] = 60;
        settings = tsettings{};
        Randomize(3);
        inlevel.loopstate.frameCounter = 0;
    };
    armed();
    Keys("0: 200 157\n30: 205\n70: 203 157\n120:\n");
    const treplay kept = Record(250);
    ASSERT_EQ(Replay(kept), kept.result);
    ASSERT_EQ(heroPath.size(), 250u);

    // His path, read from the kept run or worked out by playing it without a picture, is
    // the kept run's hero step for step.
    const treplay unwritten = [&] {
        treplay run = kept;
        run.path.clear();
        return run;
    }();
    for (const treplay* run : {&kept, &unwritten}) {
        armed();
        const std::vector<theroplace> path = GhostPath(*run, *leveldoc);
        ASSERT_EQ(path.size(), heroPath.size());
        for (size_t frame = 0; frame < path.size(); ++frame)
            ASSERT_EQ(path[frame], heroPath[frame]) << "frame " << frame;
    }
    const std::vector<theroplace>& path = kept.path;

    // Another run of the level, once with him beside the player and once without: the same
    // world every frame, and with him a see-through hero drawn where his path has him.
    auto playAgainst = [&](bool ghost) {
        armed();
        Keys("0: 203\n20: 200 157\n90: 205\n");
        ghostpath = ghost ? GhostPath(kept, *leveldoc) : std::vector<theroplace>{};
        std::vector<std::string> world;
        size_t ghostsDrawn = 0;
        log->draws.clear();
        onFrame = [&](int64_t frame) {
            world.push_back(WorldLine());
            for (const drawing::tdraw& d : log->DrawsOf(models::Hero)) {
                if (d.srcBlend != static_cast<uint32_t>(gpu::Blend::SrcColour)) continue;
                ++ghostsDrawn;
                EXPECT_FLOAT_EQ(d.X(), path.at(size_t(frame)).column) << "frame " << frame;
                EXPECT_FLOAT_EQ(d.Z(), path.at(size_t(frame)).row) << "frame " << frame;
            }
            log->draws.clear();
            return frame < 299;
        };
        Play();
        ghostpath.clear();
        EXPECT_EQ(ghostsDrawn, ghost ? path.size() : 0u);
        return world;
    };
    const std::vector<std::string> alone = playAgainst(false);
    const std::vector<std::string> beside = playAgainst(true);
    ASSERT_EQ(alone.size(), beside.size());
    for (size_t frame = 0; frame < alone.size(); ++frame)
        ASSERT_EQ(beside[frame], alone[frame]) << "frame " << frame;
}

} // namespace
} // namespace looptest

namespace looptest {
namespace {

// Between two steps the ghost is drawn part of the way, as the hero is, except where he
// jumped (a teleport, a new attempt); before his first step and after his last he is as
// the path has him, or gone.
TEST(GhostBetweenSteps, SlidesLikeTheHeroAndJumpsWhereHeJumped) {
    const theroplace start{10.0f, 0.0f, 20.0f, 3}, walked{10.4f, 0.2f, 20.0f, 3},
        teleported{30.0f, 0.0f, 5.0f, 7};
    struct tcase {
        const char* what;
        int64_t frame;
        float fraction;
        std::optional<theroplace> drawn;
    };
    const std::vector<tcase> cases = {
        {"the first step is drawn where it is", 0, 0.5f, start},
        {"halfway between two steps", 1, 0.5f, theroplace{10.2f, 0.1f, 20.0f, 3}},
        {"the step itself", 1, 1.0f, walked},
        {"a jump is drawn at its new place", 2, 0.25f, teleported},
        {"after his run there is no ghost", 3, 0.5f, std::nullopt},
    };
    ghostpath = {start, walked, teleported};
    for (const tcase& c : cases) {
        SCOPED_TRACE(c.what);
        inlevel.loopstate.frames = c.frame;
        const std::optional<theroplace> drawn = GhostNow(c.fraction);
        ASSERT_EQ(drawn.has_value(), c.drawn.has_value());
        if (!drawn) continue;
        EXPECT_FLOAT_EQ(drawn->column, c.drawn->column);
        EXPECT_FLOAT_EQ(drawn->height, c.drawn->height);
        EXPECT_FLOAT_EQ(drawn->row, c.drawn->row);
        EXPECT_EQ(drawn->facing, c.drawn->facing);
    }
    ghostpath.clear();
    inlevel.loopstate.frames = 0;
}

} // namespace
} // namespace looptest

// A level written down as the game writes it plays again exactly: every way a level can end,
// and the things a replay cannot see (slow frames, bindings, the guide, a focus pause, a
// window closed) reproduced or left out as they must be.
#include "gameloopfixture.h"

#include "engine/random.h"
#include "world/replay/replayplay.h"
#include "world/replay/replayrecorder.h"

namespace looptest {
namespace {

using playfield::tmap;

class ReplayTest : public GameLoopTest {
  protected:
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
        loopstate.frameCounter = 1234;
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
        // A replay that went astray stops where the recording ended.
        const int64_t last = replay.result.frames - (replay.result.LevelOutcome == OutcomeStopped);
        onFrame = [last](int64_t frame) { return frame < last; };
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
         [this] {
             player.Own[1] = true;
             player.Gun = 1;
             player.AmmoAll[1] = 60;
             ticksPerWait = 3;
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
        Level(tmap(c.map, 20, 20));
        KeysAndEvents(c.keys, c.closeAt, c.focusLostAt);
        player = tplayer{};
        player.Name = "TEST";
        player.Lives = c.lives;
        player.Energy = 100;
        player.Own[0] = true;
        player.Score = 300;
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
    }
}

} // namespace
} // namespace looptest

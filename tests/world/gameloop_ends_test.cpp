// How a level ends: Escape, death and retry, the exit.
#include "gameloopfixture.h"

#include "world/worldops.h"

namespace looptest {
namespace {

using playfield::tmap;

TEST_F(GameLoopTest, EscapeCostsALifeAndEndsTheLevel) {
    Level(tmap({"...", ".H.", "..."}, 10, 10));
    Keys("0: 1\n3:\n"); // Escape held for three polls
    player.Lives = 3;
    Play();
    EXPECT_EQ(LevelOutcome, 0);
    EXPECT_EQ(player.Lives, 2);
    EXPECT_EQ(inlevel.loopstate.frames, 1);
    // The loop waits for Escape to be let go, so the menu after it does not see the press.
    EXPECT_GE(script->Frame(), 3);

    // With the last life, retreating is the end of the game.
    Keys("0: 1\n");
    player.Lives = 1;
    Play();
    EXPECT_EQ(LevelOutcome, 1);
    EXPECT_EQ(player.Lives, 0);
}

TEST_F(GameLoopTest, DeathStartsTheLevelAgainFromItsScore) {
    // A treasure under the hero's feet and a zombie beside him: he scores at once, then
    // the zombie beats him to death.
    tmap map({"z", "H"}, 20, 20);
    map.Cell(20, 20).I = 7; // treasure
    Level(map);
    player.Lives = 2;
    player.Score = 500;
    player.Own[1] = true;
    player.Gun = 1;
    player.AmmoAll[1] = 40;

    struct tseen {
        int32_t attempt, score, lives, energy, treasures, magazine;
    };
    std::vector<tseen> seen;
    onFrame = [&](int64_t) {
        seen.push_back({inlevel.loopstate.attempt, player.Score, player.Lives, player.Energy,
                        inlevel.TreasuresFound, player.AmmoCurrent[1]});
        return inlevel.loopstate.attempt < 2; // stop at the first frame of the second attempt
    };
    Play();

    ASSERT_GE(seen.size(), 2u);
    const tseen& first = seen.front();
    const tseen& lastOfFirst = seen[seen.size() - 2];
    const tseen& retry = seen.back();
    EXPECT_EQ(first.score, 650);
    EXPECT_EQ(first.treasures, 1);
    EXPECT_GT(first.magazine, 0); // the magazine is filled from the spare rounds
    EXPECT_EQ(lastOfFirst.attempt, 1);
    EXPECT_LT(lastOfFirst.energy, 1);
    EXPECT_EQ(inlevel.DeathFade, 0); // cleared for the new attempt

    // The new attempt starts from the score the level was entered with, so the treasure
    // is worth the same again rather than counted twice.
    EXPECT_EQ(retry.attempt, 2);
    EXPECT_EQ(retry.lives, 1);
    EXPECT_EQ(retry.score, 650);
    EXPECT_EQ(retry.treasures, 1);
    EXPECT_EQ(LevelOutcome, -1); // stopped by the test, not ended
}

TEST_F(GameLoopTest, LosingTheLastLifeIsGameOver) {
    Level(tmap({"z", "H"}, 20, 20));
    player.Lives = 1;
    Play();
    EXPECT_EQ(LevelOutcome, 1);
    EXPECT_EQ(player.Lives, 0);
    EXPECT_EQ(inlevel.loopstate.attempt, 1);
    EXPECT_EQ(inlevel.DeathFade, FadeEnd);
}

TEST_F(GameLoopTest, TheExitFadeCompletesTheLevel) {
    Level(tmap({"E", ".", "H"}, 10, 10));
    Keys("0: 200\n"); // walk forward onto the exit
    player.Lives = 3;
    int64_t exitFrame = -1;
    onFrame = [&](int64_t frame) {
        if (inlevel.ExitFade > 0 && exitFrame < 0) exitFrame = frame;
        return true;
    };
    Play();
    EXPECT_EQ(LevelOutcome, 2);
    EXPECT_EQ(player.Lives, 3);
    ASSERT_GE(exitFrame, 0);
    // 1 at the exit, then 2 more each frame from that same frame on: the frame that
    // reached the exit and 31 more.
    EXPECT_EQ(inlevel.loopstate.frames - 1 - exitFrame, 31);
    EXPECT_GE(inlevel.ExitFade, FadeEnd);
}

TEST_F(GameLoopTest, WhicheverFadeEndsFirstDecidesBetweenExitAndDeath) {
    // Struck down on the frame he reaches the exit: the exit fade is ahead and wins.
    Level(tmap({"E", "H"}, 10, 10));
    Keys("0: 200\n");
    player.Lives = 3;
    onFrame = [&](int64_t) {
        if (inlevel.ExitFade > 0 && inlevel.DeathFade == 0) player.Energy = 0;
        return inlevel.loopstate.attempt < 2;
    };
    Play();
    EXPECT_EQ(LevelOutcome, 2);
    EXPECT_EQ(player.Lives, 3);
    EXPECT_EQ(inlevel.DeathFade, FadeEnd - 2);

    // Dying before he gets there: the death fade wins, the life is lost and the level
    // starts again; the exit he reached counts for nothing.
    Keys("0: 200\n");
    player.Lives = 3;
    onFrame = [&](int64_t frame) {
        if (frame == 0) player.Energy = 0;
        return inlevel.loopstate.attempt < 2;
    };
    Play();
    EXPECT_EQ(inlevel.loopstate.attempt, 2);
    EXPECT_EQ(player.Lives, 2);
    EXPECT_EQ(LevelOutcome, -1);

    // With the last life it is game over, though the exit fade had begun.
    Keys("0: 200\n");
    player.Lives = 1;
    int32_t exitFadeAtEnd = 0;
    onFrame = [&](int64_t frame) {
        if (frame == 0) player.Energy = 0;
        exitFadeAtEnd = inlevel.ExitFade;
        return true;
    };
    Play();
    EXPECT_EQ(LevelOutcome, 1);
    EXPECT_EQ(player.Lives, 0);
    EXPECT_GT(exitFadeAtEnd, 0);
    EXPECT_LT(exitFadeAtEnd, FadeEnd);
}

TEST_F(GameLoopTest, ClosingTheWindowLeavesTheLevelAsEscapeDoes) {
    Level(tmap({"...", ".H.", "..."}, 10, 10));
    KeysAndEvents("", 3, -1);
    player.Lives = 3;
    Play();
    EXPECT_EQ(LevelOutcome, 0);
    EXPECT_EQ(player.Lives, 2);
    EXPECT_EQ(inlevel.loopstate.frames, 4);
}

TEST_F(GameLoopTest, LosingTheFocusPausesAfterAFrameThatSaysSo) {
    Level(tmap({"H"}, 10, 10));
    // The focus goes at poll 2; P pressed at 10 and let go at 12 continues.
    KeysAndEvents("10: 25\n12:\n", -1, 2);
    std::vector<long> polls;
    int presentsBeforePause = -1;
    onFrame = [&](int64_t frame) {
        polls.push_back(script->Frame());
        if (frame == 1) presentsBeforePause = log->Count("Present");
        return frame < 3;
    };
    Play();
    ASSERT_EQ(polls.size(), 4u);
    EXPECT_EQ(polls[1], 1);
    EXPECT_EQ(polls[2], 12); // frame 2 was shown, then the game waited for P
    EXPECT_EQ(polls[3], 13);
    EXPECT_EQ(log->Count("Present"), presentsBeforePause + 2);
}

TEST_F(GameLoopTest, ALevelThatCannotBeLoadedCostsThePlayerNothing) {
    tmap map({"H"}, 10, 10);
    map.plan.cellCount = 100; // far too few cells
    Level(map);
    player.Lives = 3;
    player.Money = 900;
    Play();
    EXPECT_EQ(player.Lives, 3);
    EXPECT_EQ(player.Money, 900);
    EXPECT_EQ(LevelOutcome, 0); // stepped back, never what an earlier level left there
    EXPECT_EQ(inlevel.loopstate.frames, 0);
}

TEST(GameLoopCamera, ZoomMovesTheCameraBackAndUp) {
    EXPECT_FLOAT_EQ(CameraHeight(0, 0), 9.0f);
    EXPECT_FLOAT_EQ(CameraBack(0, 0), 3.0f);
    EXPECT_FLOAT_EQ(CameraHeight(100, 0), 13.5f);
    EXPECT_FLOAT_EQ(CameraBack(100, 0), 4.5f);
    // Leaving through the exit, the camera rises and draws back 0.1 a frame (ExitFade + 2).
    EXPECT_NEAR(CameraHeight(0, 21) - CameraHeight(0, 19), 0.1f, 1e-5f);
    EXPECT_NEAR(CameraBack(0, 21) - CameraBack(0, 19), 0.1f, 1e-5f);
}

TEST_F(GameLoopTest, QuickTapsPauseResumeAndLeave) {
    Level(tmap({"H"}, 10, 10));
    // P tapped between polls 0 and 1 pauses, tapped again before 6 goes on; ESC tapped before
    // poll 9 leaves the level.
    Keys("1: 25*\n6: 25*\n9: 1*\n");
    std::vector<long> polls;
    onFrame = [&](int64_t) {
        polls.push_back(script->Frame());
        return true;
    };
    player.Lives = 3;
    Play();
    EXPECT_EQ(polls, (std::vector<long>{0, 7, 8, 9})); // the pause took polls 2 to 6
    EXPECT_EQ(LevelOutcome, 0);
    EXPECT_EQ(player.Lives, 2);
}

TEST_F(GameLoopTest, AFocusLossBeforeTheLevelStartedDoesNotPauseIt) {
    Level(tmap({"H"}, 10, 10));
    for (const bool pauseLeftFromTheLastLevel : {false, true}) {
        // The focus went at poll 0, a menu's poll before the level; P at 50 would end a pause.
        KeysAndEvents("50: 25\n52:\n", -1, 0);
        form.input->Poll();
        inlevel.loopstate.focusPause = pauseLeftFromTheLastLevel;
        std::vector<long> polls;
        onFrame = [&](int64_t frame) {
            polls.push_back(script->Frame());
            return frame < 3;
        };
        Play();
        EXPECT_EQ(polls, (std::vector<long>{1, 2, 3, 4})) << pauseLeftFromTheLastLevel;
    }
}

} // namespace
} // namespace looptest

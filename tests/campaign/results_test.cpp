#include "campaign/results.h"

#include "campaign/players.h"
#include "campaign/screens.h"
#include "support/screenrig.h"
#include "world/loop/gameloop.h"
#include "world/tables.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Results, StatisticTextsCountUp) {
    struct tcase {
        Statistic statistic;
        int32_t count;
        std::vector<std::string> shown; // at steps 1..10
    };
    auto same = [](const char* text) { return std::vector<std::string>(10, text); };
    const std::vector<tcase> cases{
        {Statistic::Monsters, 0, same("No Monsters Killed")},
        {Statistic::Monsters, 1, same("1 Monster Killed")},
        {Statistic::Monsters,
         12,
         {"1 Monsters Killed", "2 Monsters Killed", "3 Monsters Killed", "4 Monsters Killed",
          "6 Monsters Killed", "7 Monsters Killed", "8 Monsters Killed", "9 Monsters Killed",
          "10 Monsters Killed", "12 Monsters Killed"}},
        {Statistic::Potions, 0, same("No Potions Found")},
        {Statistic::Potions, 1, same("1 Potion Found")},
        {Statistic::Treasures, 1, same("1 Treasure Found")},
        {Statistic::Treasures, 0, same("No Treasures Found")},
        {Statistic::Rounds, 1, same("1 Round Fired")},
        {Statistic::Rounds, 0, same("No Rounds Fired")},
    };
    for (const tcase& c : cases)
        for (int32_t step = 1; step <= CountUpSteps; ++step)
            EXPECT_EQ(StatisticText(c.statistic, c.count, step), c.shown[step - 1])
                << "count " << c.count << ", step " << step;
    EXPECT_EQ(StatisticText(Statistic::Rounds, 40, 10), "40 Rounds Fired");
}

TEST(Results, RewardOfThreeTreasuresCountsUpTo315) {
    const int32_t reward = RewardFor(3 * 5);
    const std::vector<int64_t> expected{31, 63, 94, 126, 157, 189, 220, 252, 283, 315};
    for (int32_t step = 1; step <= CountUpSteps; ++step)
        EXPECT_EQ(CountedValue(reward, step), expected[step - 1]) << "step " << step;
    // A large score does not overflow on the way up.
    EXPECT_EQ(CountedValue(2'000'000'000, 9), 1'800'000'000);
}

TEST(Results, TicksOnlyWhileSomethingIsStillCounting) {
    struct tcase {
        int64_t largest;
        int ticks;
    };
    const tcase cases[]{{0, 0}, {1, 1}, {3, 3}, {12, 10}, {250, 10}};
    for (const tcase& c : cases) {
        int ticks = 0;
        for (int32_t step = 1; step <= CountUpSteps; ++step) ticks += TicksAt(step, c.largest);
        EXPECT_EQ(ticks, c.ticks) << "largest " << c.largest;
    }
}

TEST(Results, EscGoesBackAndConfirmGoesOn) {
    struct tcase {
        const char* what;
        int32_t outcome;
        const char* script;
        bool goOn;
        bool heldBefore = false; // the script's first line is already down on entry
    };
    const tcase cases[]{
        {"retreated, Esc", OutcomeRetreated, "0:\n1: 1\n", false},
        {"retreated, Space", OutcomeRetreated, "0:\n1: 57\n", true},
        {"completed, Enter", OutcomeCompleted, "0: 28\n", true},
        {"completed, Esc", OutcomeCompleted, "0: 1\n", false},
        {"game over, Space", OutcomeGameOver, "0: 57\n", true},
        {"game over, Esc", OutcomeGameOver, "0: 1\n", false},
        // Space still held from the level is let go first; the next press counts.
        {"held Space", OutcomeCompleted, "0: 57\n1:\n2: 1\n", false, true},
    };
    CreateDefaultPlayers();
    CurrentPlayer = 1;
    ResetPlayer(1);
    SelectedLevel = 0; // no catalogue: the times are simply left out
    inlevel.TreasureBonus = 15;
    inlevel.MonstersKilled = 12;
    for (const tcase& c : cases) {
        tresults results;
        results.LevelOutcome = c.outcome;
        results.TimeRank = 10;
        results.LevelTime = 83456;
        screenrig::trig rig(c.script, 50);
        if (c.heldBefore) rig.services.input->Poll();
        EXPECT_EQ(LevelResults(rig.services, results), c.goOn) << c.what;
        EXPECT_LT(rig.Frame(), 50) << c.what << ": left by a key, not by the closed window";
    }
    inlevel.TreasureBonus = 0;
    inlevel.MonstersKilled = 0;
}

#include "campaign/chooselevel.h"

#include "campaign/levels.h"
#include "campaign/leveltimes.h"
#include "campaign/players.h"
#include "campaign/screens.h"
#include "support/screenrig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The 80 campaign levels and three user levels, ids "id0".."id82"; level 0 has one time.
class ChooseLevelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetLevelCatalogue();
        for (int i = 0; i < 83; ++i) {
            tlvl level;
            level.name = "Level " + std::to_string(i);
            level.id = "id" + std::to_string(i);
            ClearFastestTimes(level.times);
            levels.push_back(level);
        }
        levels[0].times[0] = {"ACE", "x", 83456};
        CreateDefaultPlayers();
        CurrentPlayer = 1;
        ResetPlayer(1);
        HighestLevelPassed = 0;
    }
    void TearDown() override {
        ResetLevelCatalogue();
        CreateDefaultPlayers();
        HighestLevelPassed = 0;
        SelectedLevel = 0;
    }
    void Pass(const std::vector<int>& indices) {
        for (int i : indices) CurrentProfile().Levels.push_back(levels[i].id);
    }
};

} // namespace

TEST_F(ChooseLevelTest, StatesFollowProgressAndTheCompletedList) {
    struct tcase {
        int32_t highest;
        std::vector<int> passed;
        std::vector<std::pair<int, int32_t>> expected; // index, state
    };
    const std::vector<tcase> cases{
        {0,
         {},
         {{0, LevelOpen},
          {9, LevelOpen},
          {10, LevelLocked},
          {79, LevelLocked},
          {80, LevelOpen},
          {82, LevelOpen}}},
        {9, {}, {{19, LevelOpen}, {20, LevelLocked}}},
        {19, {}, {{29, LevelOpen}, {30, LevelLocked}}},
        {29, {}, {{39, LevelOpen}, {40, LevelLocked}}},
        {100, {}, {{70, LevelOpen}, {79, LevelOpen}}},
        // Nonsense progress from a damaged file still leaves the first area open.
        {-25, {}, {{0, LevelOpen}, {9, LevelOpen}, {10, LevelLocked}}},
        // Completed levels, campaign, locked area or user level, cannot be played again.
        {9,
         {5, 50, 81},
         {{5, LevelCompleted},
          {6, LevelOpen},
          {50, LevelCompleted},
          {81, LevelCompleted},
          {82, LevelOpen}}},
    };
    for (const tcase& c : cases) {
        SetUp();
        HighestLevelPassed = c.highest;
        Pass(c.passed);
        ComputeLevelStates();
        for (auto [index, state] : c.expected)
            EXPECT_EQ(levels[index].state, state) << "highest " << c.highest << ", level " << index;
    }
}

TEST(LevelWindow, ElevenEntriesAroundTheSelection) {
    struct tcase {
        int32_t selected, count, first, last;
    };
    const tcase cases[]{
        {40, 83, 35, 45},
        {82, 83, 72, 82},
        {0, 83, 0, 10},
        {4, 83, 0, 10},
        {5, 83, 0, 10},
        {6, 83, 1, 11},
        {77, 83, 72, 82},
        {78, 83, 72, 82},
        {2, 5, 0, 4}, // a catalogue shorter
                      // than the window
        {4, 8, 0, 7},
    };
    for (const tcase& c : cases) {
        const tlevelwindow window = LevelWindow(c.selected, c.count);
        EXPECT_EQ(window.first, c.first) << c.selected << " of " << c.count;
        EXPECT_EQ(window.last, c.last) << c.selected << " of " << c.count;
    }
}

TEST_F(ChooseLevelTest, KeysMoveTheCursorAndOnlyOpenLevelsStart) {
    struct tcase {
        const char* what;
        const char* script;
        int32_t start;
        std::vector<int> passed;
        bool chosen;
        int32_t selected;
        bool heldBefore = false; // the script's first line is already down on entry
    };
    const std::vector<tcase> cases{
        {"page up from 3", "0: 201\n1:\n2: 1\n", 3, {}, false, 82},
        {"page up from 10", "0: 201\n1:\n2: 1\n", 10, {}, false, 0},
        {"page down from 75", "0: 209\n1:\n2: 209\n3:\n4: 1\n", 75, {}, false, 12},
        {"up from the top", "0: 200\n1:\n2: 28\n", 0, {}, true, 82},
        {"down into a locked area", "0: 208\n1:\n2: 57\n3:\n4: 1\n", 9, {}, false, 10},
        {"completed level", "0: 57\n1:\n2: 1\n", 3, {3}, false, 3},
        {"open level", "0:\n1: 57\n", 3, {}, true, 3},
        {"user level", "0: 28\n", 81, {}, true, 81},
        {"held keys on entry do nothing", "0: 28 209\n1: 1\n", 4, {}, false, 4, true},
    };
    for (const tcase& c : cases) {
        SetUp();
        Pass(c.passed);
        SelectedLevel = c.start;
        screenrig::trig rig(c.script, 50);
        if (c.heldBefore) rig.services.input->Poll();
        EXPECT_EQ(ChooseLevel(rig.services), c.chosen) << c.what;
        EXPECT_EQ(SelectedLevel, c.selected) << c.what;
        EXPECT_LT(rig.Frame(), 50) << c.what << ": left by a key, not by the closed window";
    }
}

#include "campaign/players.h"
#include "campaign/records.h"
#include "campaign/screens.h"
#include "support/keypresses.h"
#include "support/screenrig.h"

#include <array>

using namespace keypresses;

namespace {

class ShopScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        HighestLevelPassed = 0;
        CreateDefaultPlayers();
        ClearRecordTables();
        CurrentPlayer = 4;
        PlayerProfiles[4].Name = "buyer";
        ResetPlayer(4);
    }
    void TearDown() override {
        CreateDefaultPlayers();
        ClearRecordTables();
        CurrentPlayer = 1;
    }
    static tplayer& Buyer() { return PlayerProfiles[4]; }
    // The shop opens on "Continue -->"; Down goes round to row 0 first.
    static tpresses ToRow(int row) { return tpresses().Press(Down, row + 1); }
    static bool Run(const tpresses& presses) {
        screenrig::trig rig(presses.Script());
        return Shop(rig.services);
    }
};

TEST_F(ShopScreen, NewPlayerCanOnlyContinueOrGoBack) {
    for (int row = 0; row < 6; ++row) {
        EXPECT_FALSE(Run(ToRow(row).Press(Space).Press(Enter).Press(Esc))) << "row " << row;
        EXPECT_EQ(Buyer().Money, 0);
        EXPECT_EQ(Buyer().Own, (std::array<bool, 4>{true, false, false, false}));
        EXPECT_EQ(Buyer().AmmoAll, (std::array<int32_t, 4>{}));
    }
    EXPECT_TRUE(Run(tpresses().Press(Space)));
}

TEST_F(ShopScreen, ExactPriceBuysOnceAndLeavesNothing) {
    struct tcase {
        int row;
        int32_t money;
        int gun;
        bool owned; // before buying
        int32_t rounds;
    };
    for (const tcase c :
         {tcase{0, 1000, 1, false, 0}, tcase{1, 4, 1, true, 8}, tcase{2, 3000, 2, false, 0},
          tcase{3, 25, 2, true, 50}, tcase{4, 3500, 3, false, 0}, tcase{5, 15, 3, true, 30}}) {
        SetUp();
        Buyer().Money = c.money;
        Buyer().Own[static_cast<size_t>(c.gun)] = c.owned;
        // The second press finds the row out of reach: owned, or no money left.
        EXPECT_FALSE(Run(ToRow(c.row).Press(Space).Press(Space).Press(Esc))) << "row " << c.row;
        SCOPED_TRACE(c.row);
        EXPECT_EQ(Buyer().Money, 0);
        EXPECT_TRUE(Buyer().Own[static_cast<size_t>(c.gun)]);
        EXPECT_EQ(Buyer().AmmoAll[static_cast<size_t>(c.gun)], c.rounds);
    }
}

TEST_F(ShopScreen, HeldSpaceBuysOnePackAndTheMoneyTableFollows) {
    Buyer().Money = 100;
    Buyer().Own[1] = true;
    EnterRecord(MoneyTable, Buyer().Money);
    EXPECT_FALSE(Run(ToRow(1).Press({Space}, 10).Press(Space).Press(Esc)));
    EXPECT_EQ(Buyer().AmmoAll[1], 16);
    EXPECT_EQ(Buyer().Money, 92);
    EXPECT_EQ(MoneyTable[0].Id, Buyer().Id);
    EXPECT_EQ(MoneyTable[0].Value, 92);
    EXPECT_EQ(MoneyTable[1].Value, 0);
}

TEST_F(ShopScreen, RowsWrapBetweenPistolAndContinue) {
    Buyer().Money = 1000;
    // Up from the pistol reaches "Continue -->", Down from it the pistol again; then Up from
    // the pistol and Space leave the shop.
    EXPECT_TRUE(
        Run(tpresses().Press(Down).Press(Up).Press(Down).Press(Space).Press(Up).Press(Space)));
    EXPECT_TRUE(Buyer().Own[1]);
    EXPECT_EQ(Buyer().Money, 0);
}

TEST(StatusPanel, ShowsOnlyTheLinesThatSaySomething) {
    tplayer p;
    p.Name = "ace 7";
    p.Money = 1234;
    p.Score = -5;
    p.Lives = 2;
    p.Own = {true, true, false, true};
    p.AmmoCurrent = {0, 0, 10, 3};
    p.AmmoAll = {0, 0, 40, 27};
    struct tline {
        const char* text;
        int32_t dx, line;
    };
    const tline expected[] = {
        {"ACE 7 - STATUS", 0, 0},  {"Money: 1234.00 e", 50, 2}, {"Score: -5", 50, 3},
        {"Lives: 2", 50, 4},       {"Equipment", 50, 5},        {"Pistol", 100, 6},
        {"50 SMG Rounds", 125, 7}, {"Assault Rifle", 100, 8},   {"30 AR Rounds", 125, 9},
    };
    const std::vector<tstatusline> lines = StatusLines(p);
    ASSERT_EQ(lines.size(), std::size(expected));
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, expected[i].text);
        EXPECT_EQ(lines[i].dx, expected[i].dx) << expected[i].text;
        EXPECT_EQ(lines[i].line, expected[i].line) << expected[i].text;
    }
}

} // namespace

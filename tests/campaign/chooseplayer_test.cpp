#include "campaign/players.h"
#include "campaign/screens.h"
#include "support/keypresses.h"
#include "support/screenrig.h"

#include <tuple>

using namespace keypresses;

namespace {

class ChoosePlayerScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        HighestLevelPassed = 0;
        CurrentPlayer = 1;
        CreateDefaultPlayers();
    }
    void TearDown() override { SetUp(); }

    // A living player with something to lose.
    static void Settle(int slot, const std::string& name) {
        PlayerProfiles[slot].Name = name;
        ResetPlayer(slot);
        PlayerProfiles[slot].Score = 500;
        PlayerProfiles[slot].Money = 77;
        PlayerProfiles[slot].Lives = 3;
    }
    static bool Run(const tpresses& presses, long limit = 2000) {
        screenrig::trig rig(presses.Script(), limit);
        return ChoosePlayer(rig.services);
    }
};

TEST_F(ChoosePlayerScreen, OnFirstStartNoEmptySlotCanBeChosen) {
    EXPECT_FALSE(Run(tpresses().Press(Space).Press(Enter).Press(Down).Press(Space).Press(Esc)));
    EXPECT_EQ(CurrentPlayer, 2);
    for (const tplayer& p : PlayerProfiles) EXPECT_EQ(p.Lives, 0);
}

TEST_F(ChoosePlayerScreen, TypedNameMakesANewPlayerThatCanBeChosen) {
    tpresses presses;
    presses.Press(Down, 2).Press(Delete).Type("ac").Press({KeyOf('e')}, 6).Type("7");
    presses.Press(Enter).Press(Space);
    EXPECT_TRUE(Run(presses));
    EXPECT_EQ(CurrentPlayer, 3);
    const tplayer& p = PlayerProfiles[3];
    EXPECT_EQ(p.Name, "ace7"); // the held "e" typed once
    EXPECT_EQ(p.Lives, 7);
    EXPECT_EQ(p.Energy, 100);
    EXPECT_EQ(p.Money, 0);
    EXPECT_FALSE(p.Id.empty());
    EXPECT_EQ(PlayerProfiles[2].Name, "PLAYER 2");
    EXPECT_EQ(PlayerProfiles[2].Lives, 0);
}

TEST_F(ChoosePlayerScreen, EscWhileTypingBringsTheOldPlayerBack) {
    Settle(2, "OLD");
    const std::string id = PlayerProfiles[2].Id;
    CurrentPlayer = 2;
    // The first Esc only undoes; Space then still finds the old player.
    EXPECT_TRUE(Run(tpresses().Press(Delete).Type("xy").Press(Down).Press(Esc).Press(Space)));
    EXPECT_EQ(CurrentPlayer, 2);
    const tplayer& p = PlayerProfiles[2];
    EXPECT_EQ(p.Name, "OLD");
    EXPECT_EQ(p.Id, id);
    EXPECT_EQ(std::tuple(p.Score, p.Money, p.Lives), std::tuple(500, 77, 3));
}

TEST_F(ChoosePlayerScreen, ClosingTheWindowMidNameKeepsTheOldName) {
    Settle(1, "OLD");
    EXPECT_FALSE(Run(tpresses().Press(Delete).Type("xy"), 20));
    EXPECT_EQ(PlayerProfiles[1].Name, "OLD");
    EXPECT_EQ(PlayerProfiles[1].Lives, 3);
}

TEST_F(ChoosePlayerScreen, NameStopsAtTenCharactersAndBackspaceRemoves) {
    EXPECT_TRUE(Run(tpresses()
                        .Press(Delete)
                        .Type("abcdefghijk")
                        .Press(Backspace)
                        .Type("z")
                        .Press(Enter)
                        .Press(Space)));
    EXPECT_EQ(PlayerProfiles[1].Name, "abcdefghiz");
}

TEST_F(ChoosePlayerScreen, ANameTypedInTapsShorterThanAPollLosesNoLetter) {
    // A fast typist: every key pressed and let go between two polls, letters one poll
    // apart, the same letter twice in a row, then BACK SPACE and ENTER as quick.
    tpresses presses;
    presses.Press(Delete).Tap({KeyOf('a'), KeyOf('b'), KeyOf('b'), KeyOf('c'), Backspace});
    presses.Tap({KeyOf('d'), Enter}).Press({}).Press(Space); // ENTER waits for its release
    EXPECT_TRUE(Run(presses));
    EXPECT_EQ(PlayerProfiles[1].Name, "abbd");
}

TEST_F(ChoosePlayerScreen, ArrowsWrapAroundTheTenSlots) {
    struct tcase {
        int start, key, times, end;
    };
    for (const tcase c :
         {tcase{1, Up, 1, 10}, tcase{10, Down, 1, 1}, tcase{4, Up, 2, 2}, tcase{9, Down, 3, 2}}) {
        CurrentPlayer = c.start;
        EXPECT_FALSE(Run(tpresses().Press(c.key, c.times).Press(Esc)));
        EXPECT_EQ(CurrentPlayer, c.end) << "from " << c.start;
    }
}

TEST_F(ChoosePlayerScreen, HiddenNamesOnlyInCapitals) {
    struct tcase {
        const char* name;
        int32_t money;
        int32_t highestLevel;
    };
    for (const tcase c : {tcase{"RAVENOX", 10000000, 0}, tcase{"ravenox", 0, 0},
                          tcase{"GATESOPEN", 0, 100}, tcase{"Gatesopen", 0, 0}}) {
        SetUp();
        EXPECT_TRUE(Run(tpresses().Press(Delete).Type(c.name).Press(Enter).Press(Space)));
        EXPECT_EQ(PlayerProfiles[1].Name, c.name);
        EXPECT_EQ(PlayerProfiles[1].Money, c.money) << c.name;
        EXPECT_EQ(PlayerProfiles[1].Lives, 7) << c.name;
        EXPECT_EQ(HighestLevelPassed, c.highestLevel) << c.name;
    }
}

} // namespace

#include "campaign/screens.h"
#include "support/screenrig.h"
TEST(MainMenu, DownFiveTimesWrapsAndEscLeaves) {
    screenrig::trig rig(
        "0: 208\n1:\n2: 208\n3:\n4: 208\n5:\n6: 208\n7:\n8: 208\n9:\n10: 208\n11:\n12: 1\n");
    MainMenuItem = 0;
    EXPECT_EQ(MainMenu(rig.services), MainMenuChoice::Quit);
    EXPECT_EQ(MainMenuItem, 1);
    EXPECT_EQ(rig.Frame(), 12);
}

TEST(MainMenu, TapsShorterThanAPollEachMoveOnce) {
    // Three taps of DOWN in three polls, then one of ESC: none is lost, none counts twice.
    screenrig::trig rig("0: 208*\n1: 208*\n2: 208*\n12: 1*\n");
    MainMenuItem = 0;
    EXPECT_EQ(MainMenu(rig.services), MainMenuChoice::Quit);
    EXPECT_EQ(MainMenuItem, 3);
    EXPECT_EQ(rig.Frame(), 12);
}

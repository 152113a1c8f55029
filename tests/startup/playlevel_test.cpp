// The player a tried-out level is played with.
#include "startup/playlevel.h"

#include "campaign/players.h"
#include "world/guns/guntables.h"

#include <gtest/gtest.h>

namespace {

TEST(PlayLevel, TheTestPlayerOrACopyOfASlot) {
    CreateDefaultPlayers();
    ResetPlayer(3);
    PlayerProfiles[3].Money = 1234;
    PlayerProfiles[3].Own[2] = true;
    PlayerProfiles[3].AmmoAll[2] = 17;

    struct Case {
        int slot;
        int32_t money, lives;
        bool everyGun;
    };
    const Case cases[] = {
        {0, 0, 7, true},     // no slot: the test player
        {11, 0, 7, true},    // no such slot: the same
        {3, 1234, 7, false}, // slot 3 as it is
        {5, 0, 1, false},    // an empty slot still gets a life to play with
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        tplayer player = TestPlayer(c.slot);
        EXPECT_EQ(player.Money, c.money);
        EXPECT_EQ(player.Lives, c.lives);
        EXPECT_GT(player.Energy, 0);
        EXPECT_TRUE(player.Own[0]);
        for (int gun = 1; gun <= GunCount; ++gun) {
            if (!c.everyGun) continue;
            EXPECT_TRUE(player.Own[gun]);
            EXPECT_EQ(player.AmmoCurrent[gun] + player.AmmoAll[gun], TestRounds);
            EXPECT_EQ(player.AmmoCurrent[gun], Guns[gun].MagazineSize) << "loaded, ready to fire";
        }
        player.Money = 99; // a copy: the slot keeps its own
    }
    EXPECT_EQ(TestPlayer(3).AmmoAll[2], 17);
    EXPECT_EQ(PlayerProfiles[3].Money, 1234);
    EXPECT_EQ(PlayerProfiles[5].Lives, 0);
}

} // namespace

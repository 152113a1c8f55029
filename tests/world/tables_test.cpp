#include "creatures/creature.h"
#include "creatures/projectiles.h"
#include "engine/random.h"
#include "render/assetorder.h"
#include "world/playerrecord.h"
#include "world/worldops.h"

#include <gtest/gtest.h>

namespace {

struct WorldTables : ::testing::Test {
    void SetUp() override {
        ResetWorldTables();
        ClearWorld();
    }
};

TEST(CellOf, RoundsHalvesUpAndTruncatesTowardZero) {
    EXPECT_EQ(CellOf(-0.5f), 0);
    EXPECT_EQ(CellOf(0.49f), 0);
    EXPECT_EQ(CellOf(0.49999997f), 0); // the float sum would round up to 1
    EXPECT_EQ(CellOf(0.5f), 1);
    EXPECT_EQ(CellOf(49.49f), 49);
    EXPECT_EQ(CellOf(-1.6f), -1);
    // Diagonal steps move on both axes in the direction's own sense.
    EXPECT_GT(Direction(2).column, 0.0f);
    EXPECT_GT(Direction(2).row, 0.0f);
    EXPECT_LT(Direction(4).row, 0.0f);
    EXPECT_LT(Direction(6).column, 0.0f);
    EXPECT_GT(Direction(8).row, 0.0f);
    EXPECT_EQ(Direction(9).column, 0.0f);
    EXPECT_EQ(Opposite(1), 5);
    EXPECT_EQ(Opposite(6), 2);
}

TEST_F(WorldTables, ClearWorldKeepsOnlyTheDesigns) {
    tiles[3][4] = ttile{7, 2, -50.0f, -1, 2, 1, 5, 0.5f, -0.2f, 3, 40, 9, 6, 1};
    Player().Energy = 12;
    hero.height = 3.0f;
    inlevel.DeathFade = inlevel.ExitFade = 10;
    AddBlob(1, 1);
    SpawnEffect(models::Blood, 1, 1, 1, {}, {}, {});
    ClearWorld();
    ttile expected;
    expected.block = models::FirstFloor;
    expected.design = 9;
    expected.floordesign = 6;
    EXPECT_TRUE(tiles[3][4] == expected);
    EXPECT_EQ(Player().Energy, 100);
    EXPECT_EQ(hero.height, 0.0f);
    EXPECT_EQ(inlevel.DeathFade + inlevel.ExitFade, 0);
    EXPECT_TRUE(creatures.empty());
    EXPECT_TRUE(effects.empty());
}

TEST_F(WorldTables, ScoreIsHalvedTowardZeroInGuideMode) {
    AddScore(150);
    EXPECT_EQ(Player().Score, 150);
    inlevel.GuideOn = true;
    AddScore(150);
    AddScore(25);
    AddScore(-25);
    EXPECT_EQ(Player().Score, 150 + 75 + 12 - 12);
}

TEST_F(WorldTables, ReloadTakesWhatTheSpareRoundsAllow) {
    tplayer& p = Player();
    p.AmmoAll[1] = 3;
    Reload(1);
    EXPECT_EQ(p.AmmoCurrent[1], 3);
    EXPECT_EQ(p.AmmoAll[1], 0);
    p.AmmoCurrent[1] = 0;
    p.AmmoAll[1] = 20;
    Reload(1);
    EXPECT_EQ(p.AmmoCurrent[1], 8);
    EXPECT_EQ(p.AmmoAll[1], 12);
    p.AmmoCurrent[2] = 45;
    p.AmmoAll[2] = 100;
    Reload(2);
    EXPECT_EQ(p.AmmoCurrent[2], 50);
    EXPECT_EQ(p.AmmoAll[2], 95);
}

TEST_F(WorldTables, HurtHeroTakesHalfToAllOfTheAmountAndBleedsByTheDamage) {
    bool sawLeast = false, sawMost = false;
    for (uint32_t seed = 1; seed < 400; ++seed) {
        Randomize(seed * 7919u);
        effects.clear();
        Player().Energy = 100;
        HurtHero(30);
        const int damage = 100 - Player().Energy;
        ASSERT_GE(damage, 15);
        ASSERT_LE(damage, 30);
        ASSERT_EQ(effects.size(), static_cast<size_t>(damage / 2));
        for (const teffect& e : effects) {
            EXPECT_EQ(e.model, models::Blood);
            EXPECT_GE(e.scale, 0.2f);
            EXPECT_LE(e.scale, 0.6f + 1e-6f);
        }
        sawLeast |= damage == 15;
        sawMost |= damage == 30;
    }
    EXPECT_TRUE(sawLeast);
    EXPECT_TRUE(sawMost);
}

TEST_F(WorldTables, RemovingKeepsTheOrderOfTheRest) {
    for (int i = 0; i < 4; ++i) SpawnEffect(i, 1, 1, 1, {}, {}, {});
    RemoveEffect(1);
    RemoveEffect(7); // outside the list: nothing
    ASSERT_EQ(effects.size(), 3u);
    EXPECT_EQ(effects[0].model, 0);
    EXPECT_EQ(effects[1].model, 2);
    EXPECT_EQ(effects[2].model, 3);
    bullets = {{1, 0, 0, 1}, {2, 0, 0, 1}, {3, 0, 0, 1}};
    RemoveBullet(0);
    EXPECT_EQ(bullets[0].column, 2.0f);
    AddZombie(1, 1);
    AddGhost(2, 2);
    AddBlob(3, 3);
    RemoveCreature(1);
    ASSERT_EQ(creatures.size(), 2u);
    EXPECT_EQ(creatures[1]->column, 3.0f);
}

TEST_F(WorldTables, TrapsShootIntoFreeNeighboursInsideTheGrid) {
    tiles[1][0].solid = 1;
    FireStones(0, 0); // left and below are outside, right is solid: only upward
    ASSERT_EQ(creatures.size(), 1u);
    EXPECT_NE(dynamic_cast<tstone*>(creatures[0].get()), nullptr);
    EXPECT_EQ(creatures[0]->direction, 1);
    EXPECT_EQ(creatures[0]->row, 1.0f);
    EXPECT_EQ(creatures[0]->model, models::Rock2);
    creatures.clear();
    FireArrows(10, 10);
    ASSERT_EQ(creatures.size(), 4u);
    const int directions[4][3] = {{9, 10, 7}, {11, 10, 3}, {10, 9, 5}, {10, 11, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(creatures[i]->CellColumn(), directions[i][0]);
        EXPECT_EQ(creatures[i]->CellRow(), directions[i][1]);
        EXPECT_EQ(creatures[i]->direction, directions[i][2]);
        EXPECT_EQ(creatures[i]->model, models::Arrow2);
        EXPECT_EQ(tiles[directions[i][0]][directions[i][1]].occupied, 1);
    }
}

TEST_F(WorldTables, MarkSeenStopsAtWallsAndTheGridEdge) {
    tiles[5][5].solid = 1;
    EXPECT_TRUE(MarkSeen(4, 5));
    EXPECT_FALSE(MarkSeen(5, 5));
    EXPECT_EQ(tiles[5][5].seen, SeenMark);
    EXPECT_FALSE(MarkSeen(-1, 5));
    EXPECT_FALSE(MarkSeen(5, 50));
}

} // namespace

#include "engine/random.h"
#include "render/assetorder.h"
#include "world/particles.h"
#include "world/playerrecord.h"
#include "world/recorder.h"
#include "world/worldops.h"

#include <gtest/gtest.h>

namespace {

struct Particles : ::testing::Test {
    void SetUp() override {
        ResetWorldTables();
        ClearWorld();
        Randomize(42);
    }
    void Add(int32_t model, tfloat3 position, tfloat3 velocity) {
        SpawnEffect(model, 1, 1, 1, {}, velocity, position);
    }
};

TEST_F(Particles, AShellBouncesOffAWallWhereBloodStops) {
    tiles[11][10].solid = 1;
    tiles[10][11].solid = 1;
    Add(models::Shell, {10.3f, 1.0f, 10.0f}, {0.25f, 0.3f, 0.0f});
    Add(models::Blood, {10.3f, 1.0f, 10.0f}, {0.25f, 0.3f, 0.0f});
    Add(models::Shell, {10.0f, 1.0f, 10.3f}, {0.0f, 0.3f, 0.25f});
    UpdateEffects();
    ASSERT_EQ(effects.size(), 2u);
    EXPECT_EQ(effects[0].model, models::Shell);
    EXPECT_FLOAT_EQ(effects[0].velocity[0], -0.25f);
    EXPECT_FLOAT_EQ(effects[0].position[0], 10.05f);
    EXPECT_FLOAT_EQ(effects[1].velocity[2], -0.25f);
    EXPECT_FLOAT_EQ(effects[0].velocity[1], 0.25f);
    EXPECT_FLOAT_EQ(effects[0].angles[0], 0.1f);
}

TEST_F(Particles, LandingShellsRattleAndParticlesLeavingTheGridGo) {
    trecorder recorder;
    Add(models::Shell, {5.0f, 0.01f, 5.0f}, {0.0f, 0.0f, 0.0f});
    Add(models::Blood, {49.4f, 1.0f, 5.0f}, {0.2f, 0.5f, 0.0f});
    Add(models::Blood, {5.0f, 1.0f, -1.4f}, {0.0f, 0.5f, -0.3f});
    Add(models::Blood, {5.0f, 1.0f, 5.0f}, {0.0f, 0.5f, 0.0f});
    tiles[20][20].floor = 2.0f;
    Add(models::Blood, {19.6f, 1.0f, 20.0f}, {0.2f, 0.5f, 0.0f}); // flies into a raised step
    UpdateEffects();
    ASSERT_EQ(effects.size(), 1u);
    EXPECT_FLOAT_EQ(effects[0].position[1], 1.45f);
    ASSERT_EQ(recorder.effects.size(), 1u);
    EXPECT_TRUE(recorder.effects[0] == sfx::FirstShell ||
                recorder.effects[0] == sfx::FirstShell + 1);
}

TEST_F(Particles, BulletsFlyStopAtWallsAndBreakBreakableWalls) {
    tiles[12][10] = ttile{};
    tiles[12][10].block = BreakableWallBlock;
    tiles[12][10].solid = 1;
    tiles[12][10].design = 4;
    tiles[12][10].item = 9;
    tiles[12][9].design = 6; // the first floor of the nearest ring
    tiles[30][30].solid = 1;
    bullets = {{12.2f, 1.5f, 10.1f, 3},
               {30.0f, 1.5f, 30.0f, 1},
               {49.6f, 1.5f, 3.0f, 3},
               {5.0f, 1.5f, 5.0f, 2}};
    UpdateBullets();
    ASSERT_EQ(bullets.size(), 1u);
    EXPECT_FLOAT_EQ(bullets[0].column, 5.0f + 1.5f * 0.13f);
    EXPECT_FLOAT_EQ(bullets[0].row, 5.0f + 1.5f * 0.13f);
    const ttile& broken = tiles[12][10];
    EXPECT_EQ(broken.block, models::FirstFloor);
    EXPECT_EQ(broken.solid, 0);
    EXPECT_EQ(broken.item, 0);
    EXPECT_EQ(broken.design, 6);
    EXPECT_EQ(Player().Score, 20);
    ASSERT_EQ(effects.size(), 11u);
    for (const teffect& e : effects) {
        EXPECT_EQ(e.model, models::FirstWall + 4);
        EXPECT_FLOAT_EQ(e.scale2, e.scale * 2.0f);
    }
}

TEST_F(Particles, OnlyParticlesOverSeenCellsAreDrawn) {
    trecorder recorder;
    tiles[3][3].seen = SeenMark;
    Add(1, {3.2f, 0.0f, 3.0f}, {});
    Add(2, {8.0f, 0.0f, 8.0f}, {});
    Add(3, {-3.0f, 0.0f, 3.0f}, {});
    DrawEffects();
    ASSERT_EQ(recorder.drawn.size(), 1u);
    EXPECT_EQ(recorder.drawn[0], 1);
}

} // namespace

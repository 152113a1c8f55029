#include "creatures/creature.h"
#include "creatures/monsters.h"
#include "engine/random.h"
#include "render/assetorder.h"
#include "world/playerrecord.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct Creatures : ::testing::Test {
    void SetUp() override {
        ResetWorldTables();
        ClearWorld();
        for (auto& line : tiles)
            for (ttile& t : line) t.seen = SeenMark;
        Randomize(7);
    }
    // A creature with no mark of its own on the grid, as in the middle of its update.
    tcreature& Place(float column, float row) {
        creatures.push_back(std::make_unique<tzombie>(column, row));
        tiles[CellOf(column)][CellOf(row)].occupied = mark::Free;
        return *creatures.back();
    }
};

TEST_F(Creatures, SeekHeroPicksTheDirectionTowardTheHero) {
    tcreature& c = Place(20.0f, 20.0f);
    // Rows: hero column less, equal, greater; columns: hero row less, equal, greater.
    const int expected[3][3] = {{6, 7, 8}, {5, 0, 1}, {4, 3, 2}};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            hero.column = 20.0f + static_cast<float>(i - 1) * 5.0f;
            hero.row = 20.0f + static_cast<float>(j - 1) * 5.0f;
            c.direction = 4;
            c.moving = true;
            c.SeekHero();
            if (expected[i][j] == 0) {
                EXPECT_EQ(c.direction, 4);
                EXPECT_FALSE(c.moving);
            } else {
                EXPECT_EQ(c.direction, expected[i][j]) << i << "," << j;
                EXPECT_TRUE(c.moving);
            }
        }
    }
    // Held still, it still turns toward the hero.
    hero.column = 30.0f;
    hero.row = 20.0f;
    c.moving = false;
    c.SeekHero();
    EXPECT_EQ(c.direction, 3);
}

TEST_F(Creatures, SeekHeroTriesLeftThenRightAroundObstacles) {
    // Hero ahead and to the right: 2 is blocked by a creature, 1 (d - 1) wins over 3.
    tcreature& c = Place(10.47f, 10.47f);
    hero.column = 30.0f;
    hero.row = 30.0f;
    tiles[11][11].occupied = mark::Creature;
    c.moving = true;
    c.SeekHero();
    EXPECT_EQ(c.direction, 1);
    // With 1 blocked too, 3 (d + 1).
    tiles[10][11].occupied = mark::Ghost;
    c.SeekHero();
    EXPECT_EQ(c.direction, 3);
    // All three blocked: it keeps d.
    tiles[11][10].occupied = 100;
    c.SeekHero();
    EXPECT_EQ(c.direction, 2);

    // Straight ahead on a wall: d - 1 of 1 wraps round to 8.
    creatures.clear();
    ClearWorld();
    tcreature& d = Place(9.6f, 10.47f);
    d.awake = true;
    hero.column = 9.6f;
    hero.row = 30.0f;
    tiles[10][11].block = models::FirstWall;
    d.moving = true;
    d.SeekHero();
    EXPECT_EQ(d.direction, 8);
}

TEST_F(Creatures, PathBlockedWalksOnlyOnPlainFloorOfASeenWorld) {
    tcreature& c = Place(10.0f, 10.0f);
    tiles[10][10].seen = 0;
    EXPECT_TRUE(c.PathBlocked(0.48f, 0.0f)); // never seen: asleep
    EXPECT_FALSE(c.awake);
    tiles[10][10].seen = SeenMark;
    EXPECT_FALSE(c.PathBlocked(0.48f, 0.0f));
    EXPECT_TRUE(c.awake);
    tiles[10][10].seen = 0;
    EXPECT_FALSE(c.PathBlocked(0.48f, 0.0f)); // awake for good

    tiles[11][10].mechanism = mechanism::SwitchPlate;
    EXPECT_FALSE(c.PathBlocked(0.6f, 0.0f));
    tiles[11][10].mechanism = mechanism::SwitchRaisedWall;
    EXPECT_FALSE(c.PathBlocked(0.6f, 0.0f));
    tiles[11][10].mechanism = mechanism::SpikesHidden;
    EXPECT_TRUE(c.PathBlocked(0.6f, 0.0f));
    tiles[11][10].mechanism = mechanism::None;
    tiles[11][10].block = models::Teleport;
    EXPECT_TRUE(c.PathBlocked(0.6f, 0.0f));
    tiles[11][10].block = NoBlock;
    EXPECT_TRUE(c.PathBlocked(0.6f, 0.0f));

    tcreature& edge = Place(0.0f, 49.0f);
    edge.awake = true;
    EXPECT_FALSE(edge.PathBlocked(-0.6f, 0.0f)); // CellOf(-0.6) is still 0
    EXPECT_TRUE(edge.PathBlocked(-1.6f, 0.0f));
    EXPECT_TRUE(edge.PathBlocked(0.0f, 0.6f));
    EXPECT_FALSE(edge.CellFree(-1.6f, 0.0f));
    EXPECT_FALSE(edge.CellFree(0.0f, 0.6f));
    EXPECT_TRUE(edge.CellFree(0.6f, 0.0f));
}

TEST_F(Creatures, StepTowardStopsOnTheHerosCoordinate) {
    tcreature& c = Place(10.0f, 10.0f);
    hero.column = 10.02f;
    hero.row = 10.0f;
    c.StepToward(0.13f, 0.13f);
    EXPECT_EQ(c.column, 10.02f);
    EXPECT_FLOAT_EQ(c.row, 10.13f); // equal coordinate: the step is taken
    hero.column = 5.0f;
    c.StepToward(-0.13f, -1.0f);
    EXPECT_FLOAT_EQ(c.column, 9.89f);
    EXPECT_EQ(c.row, 10.0f); // would pass the hero's row
}

TEST_F(Creatures, FaceHeroTurnsToTheSectorOfTheBearing) {
    tcreature& c = Place(10.0f, 10.0f);
    struct {
        float dx, dy;
        int direction;
    } cases[] = {{0, 3, 5},  {3, 3, 6}, {3, 0, 7}, {3, -3, 8}, {0, -3, 1}, {-3, -3, 2},  {-3, 0, 3},
                 {-3, 3, 4}, {1, 3, 5}, {2, 3, 6}, {0, 0, 5},  {-1, 3, 5}, {-1.4f, 3, 4}};
    for (const auto& k : cases) {
        hero.column = 10.0f - k.dx;
        hero.row = 10.0f - k.dy;
        c.FaceHero();
        EXPECT_EQ(c.direction, k.direction) << k.dx << "," << k.dy;
    }
}

struct tsounds : tworldoutput {
    std::vector<int32_t> played;
    void PlayEffect(int32_t effect, float) override { played.push_back(effect); }
};

TEST_F(Creatures, DieScoresCountsFreesTheCellAndThrowsDebris) {
    tsounds sounds;
    UseWorldOutput(&sounds);
    AddZombie(12, 8);
    tcreature& z = *creatures.back();
    ASSERT_EQ(tiles[8][12].occupied, 1);
    inlevel.Facing = 3; // debris along the column axis, give or take 20 degrees
    z.Die(-1);
    UseWorldOutput(nullptr);
    EXPECT_EQ(tiles[8][12].occupied, 0);
    EXPECT_EQ(Player().Score, 100);
    EXPECT_EQ(inlevel.MonstersKilled, 1);
    ASSERT_EQ(sounds.played.size(), 1u);
    EXPECT_TRUE(sounds.played[0] == sfx::Argh1 || sounds.played[0] == sfx::Argh2);
    ASSERT_EQ(effects.size(), 1u);
    const teffect& debris = effects[0];
    EXPECT_EQ(debris.model, models::Zombie2);
    EXPECT_EQ(debris.scale, 1.0f);
    EXPECT_GT(debris.velocity[0], 0.2f * std::cos(Radians(20.0f)) - 1e-4f);
    EXPECT_LE(std::fabs(debris.velocity[2]), 0.24f * std::sin(Radians(20.0f)) + 1e-4f);
    EXPECT_GE(debris.velocity[1], 0.3f);

    // Along the given direction when there is one.
    effects.clear();
    inlevel.GuideOn = true;
    AddWarrior(20, 20);
    creatures.back()->Die(5);
    EXPECT_LT(effects[0].velocity[2], -0.15f);
    EXPECT_EQ(Player().Score, 150);
}

TEST_F(Creatures, ABlobHoldsItsCellAndNeverLeaves) {
    AddBlob(7, 6);
    tcreature& blob = *creatures.back();
    EXPECT_EQ(tiles[6][7].occupied, 1);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(blob.Update());
    EXPECT_EQ(tiles[6][7].occupied, 1);
    EXPECT_EQ(blob.model, 0);
    // Made outside the grid (a bad caller) it marks nothing and breaks nothing.
    tblob outside(-3.0f, 60.0f);
    EXPECT_TRUE(outside.Update());
}

} // namespace

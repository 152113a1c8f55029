// Ghosts as the hero meets them: asleep until seen, drifting through walls, moaning at
// most every 15 frames while they hurt him every frame, and beyond bullets and potions.
#include "arena.h"

#include "creatures/monsters.h"

namespace {

using Ghosts = Arena;

TEST_F(Ghosts, SleepsUntilSeenThenFloatsThroughAWall) {
    SeeAll(false);
    AddGhost(10, 10);
    Hero(16.0f, 10.0f);
    for (int row = 0; row < GridSize; ++row) Wall(12, row);
    Frames(20);
    EXPECT_FLOAT_EQ(Last().column, 10.0f);
    EXPECT_EQ(tiles[10][10].occupied, mark::Creature); // the mark it was made with

    tiles[10][10].seen = SeenMark;
    Frame();
    EXPECT_TRUE(Last().awake);
    EXPECT_FLOAT_EQ(Last().column, 10.0f + 0.16f / 7.0f);
    EXPECT_FLOAT_EQ(Last().walkphase, 0.01f);
    EXPECT_EQ(tiles[10][10].occupied, mark::Ghost);
    // No walkable way leads to the hero, so it floats on over the wall until it is
    // within 1.4 of him.
    Frames(300);
    EXPECT_GT(Last().column, 12.5f);
    EXPECT_NEAR(Last().column, 16.0f - 1.4f, 0.05f);
    EXPECT_EQ(tiles[CellOf(Last().column)][CellOf(Last().row)].occupied, mark::Ghost);
    // Its phase wraps at 2 after 200 steps.
    EXPECT_LT(Last().walkphase, 2.0f);
}

TEST_F(Ghosts, HurtsEveryFrameAndMoansEveryFifteen) {
    AddGhost(10, 10);
    Hero(10.0f, 11.0f);
    std::vector<int> moans;
    for (int frame = 0; frame < 46; ++frame) {
        const size_t before = sounds.played.size();
        const int32_t energy = Player().Energy;
        Frame();
        const int32_t taken = energy - Player().Energy;
        EXPECT_GE(taken, 1);
        EXPECT_LE(taken, 3);
        for (size_t i = before; i < sounds.played.size(); ++i)
            if (sounds.played[i].effect == sfx::Ghost) moans.push_back(frame);
    }
    EXPECT_EQ(moans, (std::vector<int>{0, 15, 30, 45}));
    EXPECT_FLOAT_EQ(Last().row, 10.0f);
    EXPECT_EQ(Last().direction, 1); // facing the hero

    // Bullets pass through it, invincibility does not kill it, a hero falling into a pit is
    // out of its reach.
    Bullet(10.0f, 10.0f, 3);
    inlevel.InvincibilityTimer = 50;
    Frame();
    EXPECT_EQ(creatures.size(), 1u);
    EXPECT_EQ(bullets.size(), 1u);
    Hero(10.0f, 11.0f, -0.6f);
    const int32_t energy = Player().Energy;
    Frames(5);
    EXPECT_EQ(Player().Energy, energy);
    EXPECT_EQ(inlevel.MonstersKilled, 0);
}

} // namespace

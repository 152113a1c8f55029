// Arrows and stones as the hero meets them: flight and rolling speeds, walls and the grid's
// edge, jumping over an arrow, a stone's deadly touch, stones falling into pits, and the
// creature marks they wipe.
#include "arena.h"

#include "creatures/monsters.h"
#include "creatures/projectiles.h"

namespace {

using Projectiles = Arena;

// Updates until the creature list shrinks; the number of updates it lived through.
int UpdatesUntilGone(int limit = 500) {
    const size_t count = creatures.size();
    int updates = 0;
    while (creatures.size() == count && updates < limit) {
        Arena::Frame();
        ++updates;
    }
    return updates;
}

TEST_F(Projectiles, ArrowsEndAtWallsAndTheGridsEdge) {
    Hero(5.0f, 40.0f);
    Wall(13, 10);
    AddArrow(3, 10, 10);
    Frame();
    EXPECT_FLOAT_EQ(Last().column, 10.24f);
    EXPECT_FLOAT_EQ(Last().row, 10.0f);
    // Its column reaches 12.5, inside the wall cell, in the 11th update.
    EXPECT_EQ(UpdatesUntilGone(), 10);

    AddArrow(1, 46, 20);
    EXPECT_EQ(UpdatesUntilGone(), 15); // row 49.5 and beyond is off the grid
    // CellOf truncates toward zero: a row down to -1.5 (exclusive) is still cell 0.
    AddArrow(5, 1, 20);
    EXPECT_EQ(UpdatesUntilGone(), 11);
}

TEST_F(Projectiles, ArrowsHitTheHeroUnlessHeJumps) {
    // Standing: one hit of 15..29 with half as many drops of blood, whatever his potions.
    inlevel.InvincibilityTimer = 100;
    inlevel.InvisibilityTimer = 100;
    Hero(14.0f, 10.0f);
    AddArrow(3, 10, 10);
    const int32_t energy = Player().Energy;
    const int updates = UpdatesUntilGone();
    EXPECT_EQ(updates, 15); // its column passes 13.5
    const int32_t damage = energy - Player().Energy;
    EXPECT_GE(damage, 15);
    EXPECT_LE(damage, 29);
    EXPECT_EQ(effects.size(), static_cast<size_t>(damage / 2));
    for (const teffect& drop : effects) EXPECT_EQ(drop.model, models::Blood);
    EXPECT_EQ(sounds.Count(sfx::Lats2), 1);

    // Jumping half a cell high lets it pass underneath; -0.5 is still in its path.
    for (float height : {0.5f, 1.0f, -0.51f}) {
        Hero(14.0f, 10.0f, height);
        AddArrow(3, 10, 10);
        Frames(20);
        ASSERT_EQ(creatures.size(), 1u) << height;
        EXPECT_GT(Last().column, 14.5f);
        creatures.clear();
    }
    Hero(14.0f, 10.0f, -0.5f);
    AddArrow(3, 10, 10);
    EXPECT_EQ(UpdatesUntilGone(), 15);
}

TEST_F(Projectiles, ArrowsWipeCreatureMarksWithoutHurting) {
    SeeAll(false);
    Hero(40.0f, 40.0f);
    AddZombie(10, 15);
    AddBlob(10, 17);
    AddArrow(3, 10, 10);
    Wall(20, 10);
    Frames(60);
    EXPECT_EQ(creatures.size(), 2u);
    EXPECT_EQ(inlevel.MonstersKilled, 0);
    EXPECT_EQ(tiles[15][10].occupied, mark::Creature); // the zombie writes its mark again
    EXPECT_EQ(tiles[17][10].occupied, mark::Free);     // the blob never does
}

TEST_F(Projectiles, StonesRollFadeInAndMarkTheirCells) {
    Hero(40.0f, 40.0f);
    AddStone(3, 10, 10);
    EXPECT_EQ(tiles[10][10].occupied, mark::Creature);
    Frame();
    tcreature& stone = Last();
    EXPECT_FLOAT_EQ(stone.column, 10.0f + 0.16f * 3.0f / 5.0f);
    EXPECT_FLOAT_EQ(stone.fade, 0.1f);
    EXPECT_EQ(stone.walkphase, 1.0f);
    EXPECT_EQ(tiles[10][10].occupied, mark::StoneBase + 3);
    Frames(5); // column 10.576: the next cell
    EXPECT_EQ(tiles[10][10].occupied, mark::Free);
    EXPECT_EQ(tiles[11][10].occupied, mark::StoneBase + 3);
    // Full size after 10 frames, and no further.
    Frames(4);
    EXPECT_GE(stone.fade, 1.0f);
    EXPECT_LT(stone.fade, 1.01f);
    Frame();
    EXPECT_LT(stone.fade, 1.01f);
    // Its roll turns a full circle in 360 frames.
    stone.walkphase = 359.0f;
    Frame();
    EXPECT_EQ(stone.walkphase, 0.0f);

    // It ends in a wall: column 12.5 is reached in the 27th update from 10.
    creatures.clear();
    Wall(13, 20);
    AddStone(3, 20, 10);
    EXPECT_EQ(UpdatesUntilGone(), 27);
}

TEST_F(Projectiles, StonesFallIntoPitsAndNeverLand) {
    Hero(40.0f, 40.0f);
    Pit(12, 10);
    AddStone(3, 10, 10);
    // Rolling for 15 updates, it drops into the pit in the 16th and falls ever faster:
    // the 63rd falling update takes it below -100.
    Frames(16);
    const float column = Last().column;
    EXPECT_FLOAT_EQ(Last().height, -0.05f);
    EXPECT_EQ(UpdatesUntilGone(), 62);
    EXPECT_EQ(tiles[12][10].occupied, mark::Free);

    // A stone that drops onto a lower floor does not land there: it falls on through it.
    creatures.clear();
    tiles[12][10] = ttile{};
    tiles[12][10].floor = -1.0f;
    AddStone(3, 10, 10);
    Frames(30);
    EXPECT_FLOAT_EQ(Last().column, column);
    EXPECT_LT(Last().height, -5.0f);
}

TEST_F(Projectiles, AStoneTouchingTheHeroCostsAHundredAFrame) {
    inlevel.InvincibilityTimer = 100;
    Hero(11.0f, 10.0f);
    AddStone(3, 10, 10);
    int hits = 0;
    for (int i = 0; i < 30; ++i) {
        const int32_t energy = Player().Energy;
        const size_t drops = effects.size();
        Frame();
        if (Player().Energy != energy) {
            ++hits;
            EXPECT_EQ(energy - Player().Energy, 100);
            EXPECT_EQ(effects.size() - drops, 50u);
        }
    }
    // In reach while its column is between 10.3 and 11.7 (tested before it rolls on).
    EXPECT_EQ(hits, 14);

    // A hero a whole cell above it is safe.
    creatures.clear();
    Hero(11.0f, 20.0f, 1.0f);
    AddStone(3, 20, 10);
    const int32_t energy = Player().Energy;
    Frames(30);
    EXPECT_EQ(Player().Energy, energy);
}

} // namespace

// What the cells do to the hero: spikes, crumbling floors, conveyors, teleports, the exit,
// closing pits and switch plates, played on small drawn levels.
#include "world/playfield.h"

#include "creatures/creature.h"
#include "render/assetorder.h"

using playfield::Tile;
using playfield::tmap;
using playfield::tplay;

namespace {

constexpr const char* HoldUp = "0: 200\n";

TEST(HeroSpikes, HurtOncePerEntryAndWhenTheySpringUnderHim) {
    // Spikes spring in the first frame; he reaches them four frames later.
    tplay play(tmap({".", "*", "H"}, 25, 20), "0: 200\n4:\n");
    play.Frames(4);
    EXPECT_EQ(Player().Energy, 100);
    play.Frame();
    EXPECT_EQ(CellOf(hero.row), 21);
    const int32_t afterEntry = Player().Energy;
    EXPECT_LE(afterEntry, 100 - 15);
    EXPECT_GE(afterEntry, 100 - 30);
    EXPECT_FALSE(effects.empty()); // blood
    // Standing on them hurts no more until they have sunk and spring again under him.
    int hurtAt = -1;
    for (int frame = 0; frame < 45 && hurtAt < 0; ++frame) {
        play.Frame();
        if (Player().Energy != afterEntry) hurtAt = frame;
    }
    EXPECT_GT(hurtAt, 30);
    EXPECT_GE(play.sounds.Count(sfx::Spikes), 2);

    // Stepping off and back on hurts again while they are up.
    tplay again(tmap({".", "*", "H"}, 25, 20), "0: 200\n5: 208\n11: 200\n");
    again.Frames(5);
    const int32_t first = Player().Energy;
    again.Frames(6);
    EXPECT_EQ(CellOf(hero.row), 20);
    EXPECT_EQ(Player().Energy, first);
    again.Frames(6);
    EXPECT_EQ(CellOf(hero.row), 21);
    EXPECT_LT(Player().Energy, first);
}

TEST(HeroSpikes, SpringingUnderAJumpingHeroDoesNotHurt) {
    tplay play(tmap({"H"}, 25, 20), "0: 57\n1:\n");
    Tile(25, 20).mechanism = mechanism::SpikesHidden;
    Tile(25, 20).anim = -1.5f;
    play.Frame(); // jumps after the tiles were updated: anim -1, not yet sprung
    EXPECT_EQ(Tile(25, 20).mechanism, mechanism::SpikesHidden);
    EXPECT_GT(hero.height, 0.0f);
    play.Frame(); // they spring while he is in the air
    EXPECT_EQ(Tile(25, 20).mechanism, mechanism::SpikesSprung);
    EXPECT_EQ(Player().Energy, 100);
    // He lands on spikes that are up, but the cell is the one he last stood on.
    play.Frames(25);
    EXPECT_EQ(hero.height, 0.0f);
    EXPECT_EQ(Player().Energy, 100);
}

TEST(HeroCrumblingFloor, ShakesThenCarriesAStandingHeroDown) {
    tmap map({"c"}, 25, 20);
    map.Start(25, 20);
    tplay play(map);
    play.Frame();
    ttile& tile = Tile(25, 20);
    EXPECT_EQ(play.sounds.Count(sfx::Crack), 1);
    EXPECT_FLOAT_EQ(tile.floor, -0.01f);
    // Twenty frames of shaking at the first drop, then the fall, with the hero on it.
    play.Frames(18); // (the twentieth depends on how the tilt's float sum rounds)
    EXPECT_FLOAT_EQ(tile.floor, -0.01f);
    EXPECT_EQ(hero.height, tile.floor);
    play.Frames(10);
    EXPECT_LT(tile.floor, -1.0f);
    EXPECT_EQ(hero.height, tile.floor);
    EXPECT_EQ(hero.climb, 0.0f);
    EXPECT_EQ(play.sounds.Count(sfx::Crack), 1);
    for (int i = 0; i < 100 && tile.block != NoBlock; ++i) play.Frame();
    EXPECT_EQ(tile.block, NoBlock);
    EXPECT_LE(tile.floor, PitFloor);
    EXPECT_LT(hero.height, -10.0f); // the game loop takes his energy from here
}

TEST(HeroConveyor, CarriesHimUntilAWallOrTheBeltEnds) {
    // Along the column axis at 0.07 a frame, stopping 0.64 short of the wall's cell edge.
    tmap right({">>>>#"}, 20, 20);
    right.Start(20, 20);
    tplay play(right);
    play.Frame();
    EXPECT_NEAR(hero.column, 20.07f, 1e-4f);
    play.Frames(60);
    EXPECT_GE(hero.column + 0.64f, 23.5f);
    EXPECT_LT(hero.column + 0.64f - 0.07f, 23.5f);
    // The belt hums on every other frame at full volume under him.
    EXPECT_EQ(play.sounds.Count(sfx::Belt), 30);

    // Along the row axis at 0.08 a frame, until he is off the belt.
    tmap belt({"v", "v", "v", "."}, 20, 20);
    belt.Start(20, 23);
    tplay down(belt);
    down.Frame();
    EXPECT_NEAR(hero.row, 23.0f - 0.08f, 1e-4f);
    down.Frames(40);
    EXPECT_EQ(CellOf(hero.row), 20);
    EXPECT_GT(hero.row, 20.5f - 0.08f - 1e-4f);

    // At the far border the belt looks past the last cell, which counts as a wall.
    tmap border({">>>"}, 47, 20);
    border.Start(47, 20);
    tplay edge(border);
    edge.Frames(60);
    EXPECT_GE(hero.column + 0.64f, 49.5f);
    EXPECT_LT(hero.column + 0.64f - 0.07f, 49.5f);

    // On a belt a pit ahead is no edge: walking on, he falls.
    tmap towardPit({".>_"}, 20, 20);
    towardPit.Start(21, 20);
    tplay pit(towardPit, "0: 205\n");
    pit.Frames(60);
    EXPECT_LT(hero.height, -1.0f);
}

TEST(HeroTeleport, ShrinksJumpsToTheLastPartnerAndGrowsBack) {
    tmap map({"H"}, 10, 10);
    for (auto [c, r] : {std::pair{10, 10}, {30, 30}, {40, 20}}) {
        map.Cell(c, r).E = 15;
        map.Cell(c, r).C = 5;
    }
    map.Cell(5, 5).E = 15; // another channel
    map.Cell(5, 5).C = 6;
    tplay play(map);
    play.Frame();
    EXPECT_TRUE(HeroGlowing());
    EXPECT_EQ(play.sounds.Count(sfx::Teleport), 1);
    int frames = 1;
    while (hero.column == 10.0f && frames < 30) {
        play.Frame();
        ++frames;
    }
    // Rows are scanned outermost, so (30, 30) comes after (40, 20).
    EXPECT_EQ(hero.column, 30.0f);
    EXPECT_EQ(hero.row, 30.0f);
    EXPECT_GE(frames, 10);
    EXPECT_LE(frames, 11);
    EXPECT_LE(HeroTeleportScale(), 0.1f);
    play.Frames(12);
    EXPECT_GE(HeroTeleportScale(), 1.0f);
    EXPECT_EQ(play.sounds.Count(sfx::Teleport), 1);
    // He stays on the target until he steps off and back on.
    play.Frames(20);
    EXPECT_EQ(hero.column, 30.0f);
    play.Keys("0: 205\n7: 203\n14:\n");
    play.Frames(40);
    EXPECT_EQ(play.sounds.Count(sfx::Teleport), 2);
    EXPECT_EQ(hero.column, 40.0f);
    EXPECT_EQ(hero.row, 20.0f);
}

TEST(HeroExit, CompletesOnceAndKeepsHimOnExitCells) {
    tplay play(tmap({".", "E", "E", "H"}, 25, 20), HoldUp);
    play.Frames(6);
    EXPECT_EQ(inlevel.ExitFade, 1);
    EXPECT_TRUE(inlevel.herostate.exitReached);
    EXPECT_EQ(play.sounds.Count(sfx::Complete), 1);
    play.Frames(30);
    EXPECT_EQ(CellOf(hero.row), 22); // the floor beyond is refused
    EXPECT_EQ(play.sounds.Count(sfx::Complete), 1);
}

TEST(HeroClosingPit, ClosesOnceHeHasJumpedOverIt) {
    tplay play(tmap({".", "p", "H"}, 25, 20), "0: 200 57\n1: 200\n12:\n");
    play.Frames(8);
    EXPECT_EQ(CellOf(hero.row), 21);
    EXPECT_EQ(Tile(25, 21).param, 1);
    EXPECT_EQ(Tile(25, 21).block, NoBlock);
    play.Frames(5);
    EXPECT_EQ(Tile(25, 21).block, models::FirstFloor);
    EXPECT_EQ(Tile(25, 21).floor, 0.0f);
    EXPECT_EQ(Tile(25, 21).mechanism, mechanism::None);
    EXPECT_EQ(play.sounds.Count(sfx::Button), 1);
    play.Frames(20);
    EXPECT_EQ(hero.height, 0.0f);
    EXPECT_EQ(CellOf(hero.row), 22);
}

TEST(HeroSwitchPlate, RaisesAndLowersWallsAndFiresTrapsOfItsChannel) {
    tmap map({"..R.L.a", "...o...", "...H..."}, 20, 20);
    for (int c : {22, 24, 26}) map.Cell(c, 22).C = 3;
    map.Cell(23, 21).C = 3;
    map.Cell(30, 30).E = 15; // a teleport of the same channel is left alone
    map.Cell(30, 30).C = 3;
    map.Cell(24, 22).I = 0; // the lowered wall carries an item it will lose
    tplay play(map, "0: 200\n6:\n");
    play.Frames(7);
    EXPECT_EQ(play.sounds.Count(sfx::Button), 1);
    EXPECT_EQ(Tile(23, 21).channel, 0);
    EXPECT_EQ(Tile(23, 21).floor, -0.05f);
    const ttile& raised = Tile(22, 22);
    EXPECT_EQ(raised.block, models::FirstWall);
    EXPECT_EQ(raised.solid, 1);
    EXPECT_EQ(raised.mechanism, mechanism::RisingWall);
    EXPECT_EQ(Tile(24, 22).mechanism, mechanism::LoweringWall);
    EXPECT_EQ(Tile(30, 30).channel, 3);
    // The arrow trap shoots into its four open neighbours, heard at 3 cells: 0.75.
    EXPECT_EQ(creatures.size(), 4u);
    ASSERT_EQ(play.sounds.Count(sfx::ArrowTrap), 1);
    for (const auto& p : play.sounds.played) {
        if (p.effect == sfx::ArrowTrap) {
            EXPECT_FLOAT_EQ(p.volume, 0.75f);
        }
    }

    play.Frames(22);
    EXPECT_EQ(raised.mechanism, mechanism::None);
    EXPECT_NEAR(raised.floor, 0.0f, 1e-4f);
    const ttile& lowered = Tile(24, 22);
    EXPECT_EQ(lowered.block, models::FirstFloor);
    EXPECT_EQ(lowered.solid, 0);
    EXPECT_EQ(lowered.item, item::None);
    EXPECT_EQ(lowered.floor, 0.0f);
    // Standing on the used plate does nothing more.
    EXPECT_EQ(play.sounds.Count(sfx::Button), 1);
}

} // namespace

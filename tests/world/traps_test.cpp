// Moving tiles and traps by themselves: timed traps, the sound of traps, belts and spikes by
// the hero's distance, walls set off by a plate.
#include "world/playfield.h"

#include "creatures/creature.h"
#include "render/assetorder.h"

using playfield::Tile;
using playfield::tmap;
using playfield::tplay;

namespace {

// The frames (first frame 1) on which an effect was played, over `frames` frames.
std::vector<int> FramesPlaying(tplay& play, int32_t effect, int frames) {
    std::vector<int> at;
    for (int f = 1; f <= frames; ++f) {
        play.sounds.Clear();
        play.Frame();
        if (play.sounds.Count(effect) > 0) at.push_back(f);
        EXPECT_LE(play.sounds.Count(effect), 1) << "frame " << f;
    }
    return at;
}

TEST(TimedTraps, RockTrapsShootOnThePeriodArrowTrapsOneFrameLater) {
    tmap rocks({"H.S"}, 20, 20);
    tplay rockPlay(rocks);
    EXPECT_EQ(FramesPlaying(rockPlay, sfx::RockTrap, 250), (std::vector<int>{100, 200}));
    // Each shot is a stone into each open neighbour.
    EXPECT_EQ(creatures.size(), 8u);

    tmap arrows({"H.A"}, 20, 20);
    arrows.Cell(22, 20).X = 40; // started 40 frames into its count
    tplay arrowPlay(arrows);
    EXPECT_EQ(FramesPlaying(arrowPlay, sfx::ArrowTrap, 250), (std::vector<int>{61, 162}));

    tmap fast({"H.A"}, 20, 20);
    fast.Cell(22, 20).F = 10;
    tplay fastPlay(fast);
    EXPECT_EQ(FramesPlaying(fastPlay, sfx::ArrowTrap, 25), (std::vector<int>{11, 22}));
}

TEST(TrapSounds, LoudnessFallsWithTheHerosDistanceAndEachSoundPlaysOnce) {
    // Rock traps heard fully up to 3 cells, then 0.75, 0.5, 0.25, then not at all.
    const float rockAt[] = {1.0f, 1.0f, 1.0f, 1.0f, 0.75f, 0.5f, 0.25f, 0.0f};
    for (int distance = 1; distance < 8; ++distance) {
        tmap map({"H"}, 20, 20);
        map.Cell(20 + distance, 20 + distance / 2).E = 12;
        map.Cell(20 + distance, 20 + distance / 2).F = 1;
        map.Cell(20 + distance, 20 + distance / 2).X = 1;
        tplay play(map);
        play.Frame();
        if (rockAt[distance] == 0.0f) {
            EXPECT_EQ(play.sounds.Count(sfx::RockTrap), 0) << distance;
        } else {
            ASSERT_EQ(play.sounds.Count(sfx::RockTrap), 1) << distance;
            EXPECT_FLOAT_EQ(play.sounds.played[0].volume, rockAt[distance]) << distance;
        }
    }

    // Two rock traps 2 and 5 cells away in the same frame: one sound at full volume; the
    // volume follows the effect setting.
    tmap two({"H.S..S"}, 20, 20);
    tplay play(two);
    settings.EffectVolume = 60;
    for (int c : {22, 25}) Tile(c, 20).param = 99;
    play.Frame();
    ASSERT_EQ(play.sounds.Count(sfx::RockTrap), 1);
    EXPECT_FLOAT_EQ(play.sounds.played[0].volume, 0.6f);
}

TEST(TrapSounds, BeltsHumOnEvenFramesAndSpikesOnceWhenTheySpring) {
    tmap map({"H..>", ".****"}, 20, 20);
    tplay play(map);
    play.Frame(); // frame counter 1: odd, no hum; every spike springs at once
    EXPECT_EQ(play.sounds.Count(sfx::Belt), 0);
    ASSERT_EQ(play.sounds.Count(sfx::Spikes), 1);
    EXPECT_FLOAT_EQ(play.sounds.played[0].volume, 1.0f); // the nearest is 1 cell away
    play.sounds.Clear();
    play.Frame();
    ASSERT_EQ(play.sounds.Count(sfx::Belt), 1);
    EXPECT_FLOAT_EQ(play.sounds.played[0].volume, 0.25f); // 3 cells away
    EXPECT_EQ(play.sounds.Count(sfx::Spikes), 0);

    // Up in the first frame at 0.5, below -3 36 frames later, up again 6 frames after
    // that; from then on they spring at -0.5 or a little above, and the cycle is shorter.
    std::vector<int> springs = FramesPlaying(play, sfx::Spikes, 100);
    ASSERT_EQ(springs.size(), 2u);
    EXPECT_NEAR(springs[0] + 2 - 1, 42, 1);
    EXPECT_NEAR(springs[1] - springs[0], 36, 1);
}

TEST(SwitchWalls, TakeTheDesignsOfTheirNeighboursAndAUsedPlateStaysDown) {
    tmap map({".#R", "...", "L.H"}, 20, 20);
    map.Cell(21, 22).O = 7; // the nearest wall's design
    map.Cell(20, 19).O = 4; // the first floor the lowered wall's search meets
    map.Cell(22, 22).C = 2;
    map.Cell(20, 20).C = 2;
    map.Cell(20, 20).I = 2; // an item on the lowered wall
    map.Cell(40, 40).E = 4; // the plate, far away
    map.Cell(40, 40).C = 2;
    tplay play(map);
    PressSwitch(40, 40);
    EXPECT_EQ(Tile(22, 22).design, 7);
    EXPECT_EQ(Tile(22, 22).floor, -2.0f);
    PressSwitch(40, 40); // a used plate does nothing
    EXPECT_EQ(play.sounds.Count(sfx::Button), 1);
    play.Frames(25);
    EXPECT_EQ(Tile(20, 20).block, models::FirstFloor);
    EXPECT_EQ(Tile(20, 20).design, 4);
    EXPECT_EQ(Tile(20, 20).channel, 0);
    EXPECT_EQ(Tile(20, 20).item, item::None);
    EXPECT_EQ(Tile(22, 22).mechanism, mechanism::None);
    EXPECT_EQ(Tile(22, 22).solid, 1);
    EXPECT_EQ(Tile(40, 40).floor, -0.05f);
}

TEST(ClosingPit, StaysOpenWhileTheHeroIsOverIt) {
    tmap map({"H"}, 20, 20);
    map.Cell(21, 20).E = 9;
    tplay play(map);
    Tile(21, 20).param = 1;
    hero.column = 21.0f;
    hero.height = 5.0f;
    UpdateTiles(1);
    EXPECT_EQ(Tile(21, 20).mechanism, mechanism::ClosingPit);
    hero.column = 20.0f;
    UpdateTiles(2);
    EXPECT_EQ(Tile(21, 20).mechanism, mechanism::None);
    EXPECT_EQ(Tile(21, 20).block, models::FirstFloor);
}

} // namespace

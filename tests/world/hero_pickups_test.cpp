// Treasures and potions picked up by walking over them, and the kill-all potion.
#include "world/playfield.h"

#include "creatures/creature.h"
#include "render/assetorder.h"

using playfield::Tile;
using playfield::tmap;
using playfield::tplay;

namespace {

// File item numbers (I) of the level format.
constexpr int FileInvincibility = 0, FileBlessing = 1, FileHealth = 2, FileInvisibility = 3,
              FileKillAll = 4, FileLife = 5, FileSpeed = 6, FileTreasure = 7, FileDecoration = 10;

// A corridor northward from the hero with the given file items one per cell.
tplay WalkOver(std::initializer_list<int> fileItems) {
    tmap map({"H"}, 25, 10);
    int row = 11;
    for (int item : fileItems) map.Cell(25, row++).I = item;
    return tplay(map, "0: 200\n");
}

// Plays until the item at (25, row) has been taken (or 40 frames have gone).
void UntilTaken(tplay& play, int row) {
    for (int i = 0; i < 40 && Tile(25, row).item != item::None; ++i) play.Frame();
    EXPECT_EQ(Tile(25, row).item, item::None) << "row " << row;
}

TEST(HeroPickUps, TreasuresScoreAndPayTheBonusHalvedInGuideMode) {
    tplay play = WalkOver({FileTreasure, FileTreasure});
    play.Frames(4); // reaches the first cell
    EXPECT_EQ(Player().Score, 150);
    EXPECT_EQ(inlevel.TreasureBonus, 5);
    EXPECT_EQ(inlevel.TreasuresFound, 1);
    EXPECT_EQ(Tile(25, 11).item, item::None);
    ASSERT_EQ(effects.size(), 1u);
    EXPECT_EQ(effects[0].model, models::Treasure1);
    EXPECT_EQ(effects[0].position, (tfloat3{25.0f, 0.0f, 11.0f}));
    EXPECT_GE(effects[0].velocity[1], 0.6f);
    EXPECT_EQ(play.sounds.Count(sfx::Test), 1);
    inlevel.GuideOn = true;
    play.Frames(7);
    inlevel.GuideOn = false;
    EXPECT_EQ(Player().Score, 150 + 75);
    EXPECT_EQ(inlevel.TreasureBonus, 10);
}

TEST(HeroPickUps, EachPotionDoesItsOwnThing) {
    tplay play = WalkOver({FileHealth, FileLife, FileSpeed, FileBlessing, FileInvincibility,
                           FileInvisibility, FileDecoration});
    Player().Energy = 40;
    UntilTaken(play, 11);
    EXPECT_EQ(Player().Energy, 100);
    UntilTaken(play, 12);
    EXPECT_EQ(Player().Lives, 4);
    UntilTaken(play, 13);
    EXPECT_EQ(inlevel.SpeedTimer, 360);
    // Speed doubles his pace from here: three frames a cell.
    UntilTaken(play, 14);
    EXPECT_EQ(inlevel.BlessingTimer, 360);
    EXPECT_EQ(inlevel.SpeedTimer, 360 - 3);
    UntilTaken(play, 15);
    EXPECT_EQ(inlevel.InvincibilityTimer, 360);
    UntilTaken(play, 16);
    EXPECT_EQ(inlevel.InvisibilityTimer, 360);
    EXPECT_EQ(inlevel.PotionsFound, 6);
    play.Frames(6);
    EXPECT_GE(CellOf(hero.row), 17);
    EXPECT_EQ(Tile(25, 17).item, 9); // a decoration stays
    EXPECT_EQ(inlevel.PotionsFound, 6);
    EXPECT_EQ(play.sounds.Count(sfx::Test), 6);
}

TEST(HeroPickUps, ASecondPotionRestartsTheTimerAndAJumpPassesOverItems) {
    tplay play = WalkOver({FileSpeed, FileSpeed});
    UntilTaken(play, 11);
    EXPECT_EQ(inlevel.SpeedTimer, 360);
    UntilTaken(play, 12);
    EXPECT_EQ(inlevel.SpeedTimer, 360);
    EXPECT_EQ(inlevel.PotionsFound, 2);

    tmap map({"H"}, 25, 10);
    map.Cell(25, 12).I = FileHealth;
    tplay jumper(map, "0: 200 57\n1: 200\n");
    Player().Energy = 50;
    jumper.Frames(25); // over row 12 in the air
    EXPECT_GT(CellOf(hero.row), 12);
    EXPECT_EQ(Player().Energy, 50);
    EXPECT_EQ(Tile(25, 12).item, item::Health);
}

TEST(HeroPickUps, KillAllSparesMonstersOnUnseenCells) {
    tmap map({"zwgB...z"}, 20, 20);
    map.Cell(25, 10).I = FileKillAll;
    map.Start(25, 9);
    tplay play(map, "0: 200\n");
    for (int c = 20; c <= 26; ++c) Tile(c, 20).seen = SeenMark; // (27, 20) stays unseen
    ASSERT_EQ(creatures.size(), 5u);
    play.Frames(4);
    EXPECT_EQ(inlevel.PotionsFound, 1);
    EXPECT_EQ(inlevel.MonstersKilled, 3);
    EXPECT_EQ(Player().Score, 300);
    ASSERT_EQ(creatures.size(), 2u);
    EXPECT_EQ(creatures[0]->model, 0); // the blob
    EXPECT_EQ(creatures[1]->column, 27.0f);
    for (int c = 20; c <= 22; ++c) EXPECT_EQ(Tile(c, 20).occupied, mark::Free);
    EXPECT_EQ(Tile(23, 20).occupied, mark::Creature);
}

} // namespace

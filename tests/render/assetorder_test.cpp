#include "render/assetorder.h"

#include <gtest/gtest.h>

// The numbers the level files and the drawing code rely on: a shift here would put the
// wrong model on every tile.
TEST(AssetOrder, StoreIndicesFollowLoadOrder) {
    static_assert(models::Hero == 0);
    static_assert(models::Guide == 1);
    static_assert(models::FirstFloor == 2);
    static_assert(models::Exit == 15);
    static_assert(models::FirstWall == 26);
    static_assert(models::Zombie2 == models::Zombie + 1);
    static_assert(models::Arrow == models::Rock + 2);
    static_assert(models::FirstDecorationShadow == models::FirstDecoration + 7);
    EXPECT_EQ(sprites::MenuBackground, 0);
    EXPECT_EQ(sprites::FirstShopPicture, 1);
    EXPECT_EQ(sprites::FirstFontGlyph, 7);
    EXPECT_EQ(sprites::StartPicture, 7 + FontGlyphCount);
    EXPECT_EQ(sprites::FadeTexel, sprites::StartPicture + 1);
    EXPECT_EQ(sfx::Ghost, 0);
    EXPECT_EQ(sfx::Crack, 16);
    EXPECT_EQ(sfx::MenuClick, 17);
    EXPECT_EQ(sfx::RockTrap, 24);
}

TEST(AssetOrder, TwelveLoadingPicturesInAll) {
    // Two after the intro and two before the main menu come on top of the marked rows.
    int marked = 0;
    for (const auto& entry : AssetOrder) marked += entry.waitBefore;
    EXPECT_EQ(marked + 4, 12);
}

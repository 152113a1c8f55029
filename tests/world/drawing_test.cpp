#include "drawingfixture.h"
#include "world/draw/worlddraw.h"
#include "world/guns/guntables.h"
#include "world/hero/herodraw.h"
#include "world/tables.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

using drawing::DrawingTest;
using drawing::tdraw;
using gpu::RenderState;

constexpr uint32_t Value(auto e) {
    return static_cast<uint32_t>(e);
}

void SeeAll() {
    for (auto& line : tiles)
        for (ttile& cell : line) cell.seen = SeenMark;
}

TEST_F(DrawingTest, WorldWindowIsClippedAndEachRowHasItsOwnDepthRange) {
    hero.column = 0.2f;
    hero.row = -0.4f;
    tiles[3][4].seen = SeenMark;
    tiles[3][4].item = item::Health;
    DrawWorld(graphics, SeenMark, 0);

    // In the corner only columns 0..7 and rows 0..9 are in the window.
    std::set<std::pair<int, int>> cells;
    for (const tdraw& d : log->draws) {
        if (d.model != models::Empty && d.model != models::FirstFloor) continue;
        cells.insert({static_cast<int>(std::lround(d.X())), static_cast<int>(std::lround(d.Z()))});
    }
    EXPECT_EQ(cells.size(), 8u * 10u);
    EXPECT_EQ(cells.begin()->first, 0);
    EXPECT_EQ(cells.rbegin()->first, 7);
    EXPECT_EQ(log->DrawsOf(models::FirstFloor).size(), 1u) << "only the seen cell is a tile";
    EXPECT_EQ(log->DrawsOf(models::Empty).size(), 79u);

    // Block pass near to far; every row n is drawn with near 5 - n/1000 and far 25 - n/1000.
    int lastRow = -1;
    for (const tdraw& d : log->draws) {
        if (d.model != models::Empty && d.model != models::FirstFloor) continue;
        const int n = static_cast<int>(std::lround(d.Z()));
        EXPECT_GE(n, lastRow);
        lastRow = n;
        EXPECT_NEAR(d.zNear, 5.0f - n / 1000.0f, 2e-5f) << "row " << n;
        EXPECT_NEAR(d.zFar, 25.0f - n / 1000.0f, 2e-4f) << "row " << n;
    }
    // The item pass comes after, a thousandth further out.
    const std::vector<tdraw> potions = log->DrawsOf(models::HealthPotion);
    ASSERT_EQ(potions.size(), 1u);
    EXPECT_GT(potions[0].callIndex, log->DrawsOf(models::Empty).back().callIndex);
    EXPECT_NEAR(potions[0].zNear, 5.0f - 0.004f + 0.001f, 2e-5f);
    EXPECT_NEAR(potions[0].world.m[0][0], 1.5f * std::cos(-0.5f), 1e-5f); // scale and turn
    // And the play projection is back.
    float zNear = 0, zFar = 0;
    drawing::DepthRangeOf(log->projection, zNear, zFar);
    EXPECT_NEAR(zNear, 5.0f, 1e-5f);
    EXPECT_NEAR(zFar, 25.0f, 1e-4f);
}

TEST_F(DrawingTest, TilesAreDrawnByTheirKind) {
    SeeAll();
    hero.column = 10;
    hero.row = 10;
    // A conveyor going nowhere is invisible; one along -row is turned a quarter and animated.
    tiles[8][10].block = models::FirstConveyor;
    tiles[8][10].param = 4;
    tiles[9][10].block = models::FirstConveyor;
    tiles[9][10].param = 2;
    // A pillar stands on a floor of its floordesign; the first wall's designs follow it.
    tiles[11][10].block = models::FirstPillar;
    tiles[11][10].design = 0;
    tiles[11][10].floordesign = 5;
    tiles[11][10].floor = 0.5f;
    // A breakable wall is drawn as the wall of its design.
    tiles[12][10].block = BreakableWallBlock;
    tiles[12][10].design = 3;
    // A closing pit shows its lid, blended; other pits show nothing.
    tiles[13][10].block = NoBlock;
    tiles[13][10].mechanism = mechanism::ClosingPit;
    tiles[14][10].block = NoBlock;
    // A crumbling floor tilts.
    tiles[15][10].design = 2;
    tiles[15][10].mechanism = mechanism::CrumblingFloor;
    tiles[15][10].anim = 0.3f;
    inlevel.loaded.mainlight = {1, 2, 3, 0, -1, 0, 1};

    for (int c = 8; c <= 15; ++c) DrawTile(graphics, c, 10, 11);
    const auto at = [&](int c) {
        std::vector<tdraw> found;
        for (const tdraw& d : log->draws)
            if (std::lround(d.X()) == c) found.push_back(d);
        return found;
    };
    EXPECT_TRUE(at(8).empty());
    ASSERT_EQ(at(9).size(), 1u);
    EXPECT_EQ(at(9)[0].model, models::FirstConveyor + 11 % 8);
    EXPECT_NEAR(at(9)[0].world.m[0][0], 0.0f, 1e-5f); // turned by pi / 2
    ASSERT_EQ(at(11).size(), 2u);
    EXPECT_EQ(at(11)[0].model, models::FirstPillar);
    EXPECT_EQ(at(11)[1].model, models::FirstFloor + 5);
    EXPECT_FLOAT_EQ(at(11)[1].Y(), 0.5f);
    EXPECT_NEAR(log->lights[0].diffuse.b, 3.0f / 255.0f, 1e-6f) << "the level's light is set again";
    ASSERT_EQ(at(12).size(), 1u);
    EXPECT_EQ(at(12)[0].model, models::FirstWall + 3);
    ASSERT_EQ(at(13).size(), 1u);
    EXPECT_EQ(at(13)[0].model, models::CrumbleFloor);
    EXPECT_EQ(at(13)[0].blend, 1u);
    EXPECT_EQ(at(13)[0].stage0Alpha, Value(gpu::TextureOp::Modulate));
    EXPECT_TRUE(at(14).empty());
    ASSERT_EQ(at(15).size(), 1u);
    EXPECT_EQ(at(15)[0].model, models::FirstFloor + 2);
    // Tilted by the same angle about both horizontal axes.
    EXPECT_NEAR(at(15)[0].world.m[1][1], std::cos(0.3f) * std::cos(0.3f), 1e-5f);
    EXPECT_EQ(log->RenderStateValue(RenderState::AlphaBlendEnable), 0u);
    // Outside the grid nothing is drawn.
    Forget();
    DrawTile(graphics, -1, 10, 0);
    DrawTile(graphics, 10, 50, 0);
    EXPECT_TRUE(log->draws.empty());
}

TEST_F(DrawingTest, PitLidsAreDrawnOverAllBlocksFarRowsFirst) {
    SeeAll();
    hero.column = 10;
    hero.row = 10;
    for (auto [c, n] : {std::pair{9, 11}, std::pair{12, 14}}) {
        tiles[c][n].block = NoBlock;
        tiles[c][n].mechanism = mechanism::ClosingPit;
    }
    DrawWorld(graphics, SeenMark, 0);

    const std::vector<tdraw> lids = log->DrawsOf(models::CrumbleFloor);
    ASSERT_EQ(lids.size(), 2u);
    const std::vector<tdraw> floors = log->DrawsOf(models::FirstFloor);
    ASSERT_FALSE(floors.empty());
    // Whatever lies under a lid (the far row's side seen through the pit) is drawn before it.
    EXPECT_GT(lids[0].callIndex, floors.back().callIndex);
    EXPECT_FLOAT_EQ(lids[0].Z(), 14.0f);
    EXPECT_FLOAT_EQ(lids[1].Z(), 11.0f);
    for (const tdraw& lid : lids) {
        EXPECT_EQ(lid.blend, 1u);
        EXPECT_NEAR(lid.zNear, 5.0f - lid.Z() / 1000.0f, 2e-5f) << "its own row's range";
    }
}

TEST_F(DrawingTest, ItemsSpikesAndDecorations) {
    SeeAll();
    hero.column = 20;
    hero.row = 20;
    tiles[20][21] = {
        .floor = 0.25f, .block = models::FirstFloor, .seen = 2, .item = item::Treasure};
    tiles[21][21] = {.block = models::FirstWall, .seen = 2, .solid = 1, .item = 11};
    tiles[22][21] = {.block = models::FirstFloor, .seen = 2, .item = 9};
    tiles[23][21] = {.block = models::FirstFloor, .seen = 2, .mechanism = 4, .anim = -1.6f};
    tiles[24][21] = {.block = models::FirstFloor, .seen = 2, .mechanism = 3, .anim = -0.5f};
    tiles[25][21] = {.block = models::FirstFloor, .seen = 1, .item = item::Life}; // not seen
    DrawWorld(graphics, SeenMark, 0);

    const std::vector<tdraw> treasure = log->DrawsOf(models::Treasure1);
    ASSERT_EQ(treasure.size(), 1u);
    EXPECT_FLOAT_EQ(treasure[0].Y(), 0.25f);
    EXPECT_NEAR(treasure[0].world.m[0][0], 1.3f * std::cos(-0.7f), 1e-5f);
    // A decoration on a solid block uses its own family; both are blended.
    const std::vector<tdraw> solidOne = log->DrawsOf(models::FirstDecorationShadow + 2);
    const std::vector<tdraw> plainOne = log->DrawsOf(models::FirstDecoration);
    ASSERT_EQ(solidOne.size(), 1u);
    ASSERT_EQ(plainOne.size(), 1u);
    EXPECT_EQ(solidOne[0].blend, 1u);
    EXPECT_EQ(solidOne[0].srcBlend, Value(gpu::Blend::SrcAlpha));
    EXPECT_EQ(solidOne[0].stage0Alpha, Value(gpu::TextureOp::Modulate));
    // Spikes sunk below -1.5 are hidden; their holes always show.
    const std::vector<tdraw> spikes = log->DrawsOf(models::Spikes);
    ASSERT_EQ(spikes.size(), 1u);
    EXPECT_FLOAT_EQ(spikes[0].X(), 24.0f);
    EXPECT_FLOAT_EQ(spikes[0].Y(), -0.5f);
    EXPECT_EQ(log->DrawsOf(models::SpikeHoles).size(), 2u);
    EXPECT_TRUE(log->DrawsOf(models::LifePotion).empty());
    // Items drawn after blending must not inherit it.
    for (const tdraw& d : log->draws)
        if (d.model == models::Treasure1 || d.model == models::Spikes) {
            EXPECT_EQ(d.blend, 0u);
        }
}

class ShadowTest : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        hero.column = 10.2f;
        hero.row = 10.0f;
        hero.height = 1.0f;
        for (int c = 9; c <= 11; ++c)
            for (int r = 9; r <= 11; ++r) tiles[c][r].floor = 1.0f;
        tiles[11][10].floor = 0.0f; // a step down to the right
        tiles[9][11].block = NoBlock;
        tiles[9][11].floor = PitFloor; // a pit ahead left
        tiles[9][9].floor = 2.0f;      // higher ground behind left: no mask
    }
};

TEST_F(ShadowTest, MaskRaisesTheStencilOverLowerNeighboursBeforeTheShadow) {
    DrawHeroShadow(graphics);
    const std::vector<tdraw> masks = log->DrawsOf(models::Mask);
    ASSERT_EQ(masks.size(), 2u);
    std::set<std::pair<long, long>> masked;
    for (const tdraw& m : masks) {
        masked.insert({std::lround(m.X()), std::lround(m.Z())});
        EXPECT_FLOAT_EQ(m.Y(), 1.0f) << "at the hero cell's floor";
        EXPECT_EQ(m.zEnable, 0u);
        EXPECT_EQ(m.zWrite, 0u);
        EXPECT_EQ(m.stencil, 1u);
        EXPECT_EQ(m.stencilFunc, Value(gpu::Compare::Always));
        EXPECT_EQ(m.stencilPass, Value(gpu::StencilOp::IncrSat));
        EXPECT_EQ(m.blend, 1u);
        EXPECT_EQ(m.srcBlend, Value(gpu::Blend::Zero));
        EXPECT_EQ(m.destBlend, Value(gpu::Blend::One));
    }
    EXPECT_EQ(masked, (std::set<std::pair<long, long>>{{11, 10}, {9, 11}}));

    const std::vector<tdraw> shadow = log->DrawsOf(models::Shadow);
    ASSERT_EQ(shadow.size(), 1u);
    EXPECT_GT(shadow[0].callIndex, masks.back().callIndex);
    EXPECT_EQ(shadow[0].zEnable, 1u);
    EXPECT_EQ(shadow[0].zWrite, 1u);
    EXPECT_EQ(shadow[0].stencil, 1u);
    EXPECT_EQ(shadow[0].stencilFunc, Value(gpu::Compare::Equal));
    EXPECT_EQ(shadow[0].stencilPass, Value(gpu::StencilOp::Keep));
    EXPECT_EQ(log->RenderStateValue(RenderState::StencilRef), 0u);
    EXPECT_EQ(shadow[0].srcBlend, Value(gpu::Blend::SrcAlpha));
    EXPECT_EQ(shadow[0].destBlend, Value(gpu::Blend::InvSrcAlpha));
    EXPECT_EQ(shadow[0].stage0Alpha, Value(gpu::TextureOp::Modulate));
    EXPECT_FLOAT_EQ(shadow[0].Y(), 1.01f);
    EXPECT_FLOAT_EQ(shadow[0].X(), 10.2f);
    EXPECT_FLOAT_EQ(shadow[0].world.m[0][0], 0.8f);
    EXPECT_EQ(log->RenderStateValue(RenderState::StencilEnable), 0u);
    EXPECT_EQ(log->RenderStateValue(RenderState::AlphaBlendEnable), 0u);
}

TEST_F(ShadowTest, WithoutStencilTheShadowIsDrawnUncut) {
    UseDepthFormat(kDepthD24X8);
    DrawHeroShadow(graphics);
    EXPECT_TRUE(log->DrawsOf(models::Mask).empty());
    ASSERT_EQ(log->DrawsOf(models::Shadow).size(), 1u);
    EXPECT_EQ(log->Count("SetRenderState 52"), 0) << "the stencil is never touched";

    // Below his cell's floor (falling into a pit) the hero has no shadow.
    Forget();
    hero.height = 0.5f;
    DrawHeroShadow(graphics);
    EXPECT_TRUE(log->draws.empty());
}

class HeroDrawTest : public DrawingTest {
  protected:
    void SetUp() override {
        DrawingTest::SetUp();
        ResetLevelEntry();
        ResetAttempt();
        hero.column = 5.4f;
        hero.row = 6.0f;
        hero.height = 2.0f;
        tiles[5][6].floor = 2.0f;
    }
    tdraw Only(int model) {
        const std::vector<tdraw> drawn = log->DrawsOf(model);
        EXPECT_EQ(drawn.size(), 1u) << "model " << model;
        return drawn.empty() ? tdraw{} : drawn[0];
    }
};

TEST_F(HeroDrawTest, StandsOnHisLowerFootWithTheGunInHisHand) {
    Player().Gun = 3;
    inlevel.Facing = 3;
    DrawHero(graphics); // the first drawing learns where the feet are
    Forget();
    DrawHero(graphics);
    const tdraw body = Only(models::Hero);
    // The lower foot (bone 20) hangs 0.3 below the root: lifted by as much.
    EXPECT_NEAR(body.Y(), 2.3f, 1e-5f);
    EXPECT_FLOAT_EQ(body.X(), 5.4f);
    // Facing 3 turns by (5 - 3) x -45 degrees.
    EXPECT_NEAR(body.world.m[0][0], std::cos(-Pi / 2), 1e-5f);

    const tdraw gun = Only(Guns[3].model);
    const gpu::Matrix hand = Models().BoneMatrix(models::Hero, HandBone);
    const gpu::Matrix expected = gpu::MatrixMultiply(gpu::MatrixScaling(1.5f, 1.5f, 1.5f), hand);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_NEAR(gun.world.m[i][j], expected.m[i][j], 1e-5f) << i << "," << j;
    EXPECT_TRUE(log->DrawsOf(models::Guide).empty());

    // No gun, nothing in the hand; guide mode marks the centre of his cell at height 0.
    Forget();
    Player().Gun = 0;
    inlevel.GuideOn = true;
    DrawHero(graphics);
    EXPECT_TRUE(log->DrawsOf(Guns[1].model).empty());
    const tdraw guide = Only(models::Guide);
    EXPECT_FLOAT_EQ(guide.X(), 5.0f);
    EXPECT_FLOAT_EQ(guide.Y(), 0.0f);
    EXPECT_FLOAT_EQ(guide.Z(), 6.0f);
    // Below his cell's floor the marker is not shown.
    Forget();
    hero.height = 1.5f;
    DrawHero(graphics);
    EXPECT_TRUE(log->DrawsOf(models::Guide).empty());
}

TEST_F(HeroDrawTest, PotionsTintAndHideHimWithHisGun) {
    Player().Gun = 1;
    const auto states = [&](int model) { return Only(model); };

    inlevel.InvincibilityTimer = 5;
    DrawHero(graphics);
    for (int model : {models::Hero, Guns[1].model}) {
        const tdraw d = states(model);
        EXPECT_EQ(d.textureFactor, 0xC0FF0000u);
        EXPECT_EQ(d.stage1Op, Value(gpu::TextureOp::BlendFactorAlpha));
        EXPECT_EQ(d.stage1Arg2, Value(gpu::TextureArg::TFactor));
        EXPECT_EQ(d.blend, 0u);
    }
    EXPECT_EQ(HeroTint(0, 1), 0xC00000FFu);
    EXPECT_EQ(HeroTint(1, 1), 0xC0FF00FFu);
    EXPECT_EQ(HeroTint(0, 0), 0u);

    Forget();
    inlevel.InvincibilityTimer = 0;
    inlevel.InvisibilityTimer = 3;
    inlevel.GuideOn = true;
    DrawHero(graphics);
    for (int model : {models::Hero, Guns[1].model, models::Guide}) {
        const tdraw d = states(model);
        EXPECT_EQ(d.blend, 1u);
        EXPECT_EQ(d.srcBlend, Value(gpu::Blend::SrcColour));
        EXPECT_EQ(d.destBlend, Value(gpu::Blend::InvSrcColour));
        EXPECT_EQ(d.stage1Op, Value(gpu::TextureOp::Disable));
    }
    // Everything is switched off again for what follows.
    EXPECT_EQ(log->RenderStateValue(RenderState::AlphaBlendEnable), 0u);
    EXPECT_EQ(log->StageStateValue(1, gpu::StageState::ColourOp), Value(gpu::TextureOp::Disable));
}

TEST_F(HeroDrawTest, TeleportShrinksAndLightsHimAndHisGun) {
    Player().Gun = 2;
    inlevel.herostate.teleportScale = 0.5f;
    inlevel.herostate.glowing = true;
    DrawHero(graphics);
    const tdraw body = Only(models::Hero);
    const tdraw gun = Only(Guns[2].model);
    EXPECT_NEAR(body.world.m[1][1], 0.5f, 1e-5f);
    for (const tdraw& d : {body, gun}) {
        EXPECT_EQ(d.stage0Op, Value(gpu::TextureOp::Add));
        EXPECT_EQ(d.stage0Arg1, Value(gpu::TextureArg::Diffuse));
    }
    // The glow is for that one drawing only.
    Forget();
    inlevel.herostate.glowing = false;
    DrawHero(graphics);
    EXPECT_EQ(Only(models::Hero).stage0Op, Value(gpu::TextureOp::Modulate));
}

} // namespace

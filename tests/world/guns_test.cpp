#include "world/guns/guns.h"

#include "drawingfixture.h"
#include "engine/random.h"
#include "recorder.h"
#include "world/guns/gunsoffsets.h"
#include "world/guns/guntables.h"
#include "world/particles.h"
#include "world/worldops.h"

#include <climits>
#include <cmath>

namespace {

using drawing::DrawingTest;
using drawing::tdraw;

constexpr int32_t Pistol = 1, Smg = 2, Rifle = 3;
const std::string FireHeld = "0: 157\n";   // RIGHT CTRL, the default fire key
const std::string ChangeHeld = "0: 184\n"; // RIGHT ALT, the default change key

class GunTest : public DrawingTest {
  protected:
    trecorder sounds;
    TDInput input;

    void SetUp() override {
        DrawingTest::SetUp();
        Randomize(1);
        tplayer& p = Player();
        p.Own = {true, true, true, true};
        p.AmmoCurrent = {0, 8, 50, 30};
        p.AmmoAll = {0, 20, 100, 100};
        p.Gun = Pistol;
        hero = {10.0f, 10.0f, 0.0f, 0.0f};
        inlevel.Facing = 1;
        ResetLevelEntry();
    }
    // The gun's share of one simulated frame: change, fire, recoil.
    void Frame() {
        input.Poll();
        ChangeGun(input);
        FireGun(input);
        RecoilAndCooldown();
    }
    int ShotsIn(int frames) {
        const int before = inlevel.RoundsFired;
        for (int i = 0; i < frames; ++i) Frame();
        return inlevel.RoundsFired - before;
    }
};

TEST_F(GunTest, HeldFireRepeatsAtEachGunsRate) {
    drawing::Script(input, FireHeld);
    EXPECT_EQ(ShotsIn(40), 4); // frames 0, 13, 26, 39
    EXPECT_EQ(Player().AmmoCurrent[Pistol], 4);
    EXPECT_EQ(bullets.size(), 4u);
    EXPECT_EQ(effects.size(), 4u); // one shell per shot
    EXPECT_EQ(sounds.effects, std::vector<int32_t>(4, Guns[Pistol].shotsound));
    EXPECT_GE(inlevel.MuzzleLight, 20);
    EXPECT_LT(inlevel.MuzzleLight, 40);

    ResetLevelEntry();
    Player().Gun = Smg;
    drawing::Script(input, FireHeld);
    EXPECT_EQ(ShotsIn(38), 8); // 0, 5, ... 35, and still cooling
    Player().Gun = Rifle;
    drawing::Script(input, FireHeld);
    EXPECT_EQ(ShotsIn(40), 6); // 0, 7, ... 35
    // Only the gun in hand counts down: the submachine gun is still cooling.
    EXPECT_GT(inlevel.FireCooldown[Smg], 0);

    // Without a gun, or with an empty magazine, the fire control does nothing.
    Player().Gun = 0;
    EXPECT_EQ(ShotsIn(20), 0);
    Player().Gun = Pistol;
    Player().AmmoCurrent[Pistol] = 0;
    inlevel.ReloadTimer[Pistol] = 0;
    inlevel.FireCooldown[Pistol] = 0;
    EXPECT_EQ(ShotsIn(20), 0);
}

TEST_F(GunTest, EmptiedMagazineRefillsSixtyDrawnFramesLater) {
    drawing::Script(input, FireHeld);
    ShotsIn(13 * 7 + 1); // eight shots
    EXPECT_EQ(Player().AmmoCurrent[Pistol], 0);
    EXPECT_EQ(inlevel.ReloadTimer[Pistol], ReloadFrames);
    sounds.effects.clear();

    // Simulated frames alone never reload: the countdown runs in drawn frames.
    ShotsIn(100);
    EXPECT_EQ(inlevel.ReloadTimer[Pistol], ReloadFrames);
    for (int i = 0; i < 59; ++i) ReloadCountdown();
    EXPECT_EQ(Player().AmmoCurrent[Pistol], 0);
    EXPECT_TRUE(sounds.effects.empty());
    ReloadCountdown();
    EXPECT_EQ(Player().AmmoCurrent[Pistol], 8);
    EXPECT_EQ(Player().AmmoAll[Pistol], 12);
    EXPECT_EQ(sounds.effects, std::vector<int32_t>{sfx::Clip});

    // With no spare rounds the gun stays empty and silent.
    Player().AmmoCurrent[Pistol] = 0;
    Player().AmmoAll[Pistol] = 0;
    inlevel.ReloadTimer[Pistol] = ReloadFrames;
    sounds.effects.clear();
    for (int i = 0; i < 200; ++i) ReloadCountdown();
    EXPECT_EQ(Player().AmmoCurrent[Pistol], 0);
    EXPECT_TRUE(sounds.effects.empty());
}

TEST_F(GunTest, ChangeCyclesThroughOwnedGunsOncePerPress) {
    Player().Own = {true, true, false, true};
    Player().Gun = Rifle;
    drawing::Script(input, "0: 184\n5:\n6: 184\n");
    Frame();
    EXPECT_EQ(Player().Gun, 0); // past the rifle comes "no gun"
    for (int i = 0; i < 4; ++i) Frame();
    EXPECT_EQ(Player().Gun, 0) << "holding the key changes only once";
    Frame(); // released
    Frame();
    EXPECT_EQ(Player().Gun, Pistol);

    // With nothing bought the key changes nothing.
    Player().Own = {true, false, false, false};
    Player().Gun = 0;
    drawing::Script(input, ChangeHeld);
    Frame();
    EXPECT_EQ(Player().Gun, 0);
}

TEST_F(GunTest, ShellsFlyRightAndBulletsLeaveTheMuzzle) {
    inlevel.Facing = 1;
    drawing::Script(input, FireHeld);
    Frame();
    ASSERT_EQ(effects.size(), 1u);
    const teffect& first = effects[0];
    EXPECT_EQ(first.model, models::Shell);
    // The first shell of a level has no sideways speed yet.
    EXPECT_EQ(first.velocity[0], 0.0f);
    EXPECT_EQ(first.velocity[2], 0.0f);
    EXPECT_GE(first.velocity[1], 0.2f);
    EXPECT_LE(first.velocity[1], 0.41f);
    EXPECT_FLOAT_EQ(first.position[0], 10.0f + 0.218f);
    EXPECT_FLOAT_EQ(first.position[1], 1.54f);
    EXPECT_FLOAT_EQ(first.position[2], 10.0f + 0.751f);

    ASSERT_EQ(bullets.size(), 1u);
    const tbullet& bullet = bullets[0];
    EXPECT_EQ(bullet.direction, 1);
    EXPECT_FLOAT_EQ(bullet.column, 10.218f);
    EXPECT_FLOAT_EQ(bullet.height, 1.678f);
    EXPECT_GE(bullet.row, 10.988f - 1e-5f);
    EXPECT_LE(bullet.row, 10.988f + 0.9f * 0.16f + 1e-5f);

    // The flash of the shot draws the next shell's ejection factor.
    DrawMuzzleFlash(graphics);
    const float factor = inlevel.gunstate.ejection;
    EXPECT_GE(factor, 1.01f);
    EXPECT_LE(factor, 1.5f);
    effects.clear();
    ShotsIn(13);
    ASSERT_EQ(effects.size(), 1u);
    // Facing forward, "two places clockwise" is direction 3: along +column.
    EXPECT_FLOAT_EQ(effects[0].velocity[0], factor * 0.16f / 2.0f);
    EXPECT_EQ(effects[0].velocity[2], 0.0f);
}

TEST_F(GunTest, RecoilBlendsTheArmBonesBackToAiming) {
    const auto bone = [](int i) { return Models().Model(models::Hero).bones[i].rotation.x; };
    drawing::Script(input, FireHeld);
    Frame(); // shot: cooldown 13, t = 1: the recoil keyframe 7
    EXPECT_FLOAT_EQ(bone(1), 0.07f);
    EXPECT_FLOAT_EQ(bone(11), 0.07f);
    EXPECT_FLOAT_EQ(bone(12), 0.0f) << "the handguns leave bone 12 alone";
    EXPECT_EQ(inlevel.FireCooldown[Pistol], 12);
    drawing::Script(input, "");
    Frame(); // t = 12 / 13 between aim (6) and recoil (7)
    EXPECT_NEAR(bone(5), (1.0f / 13) * 0.06f + (12.0f / 13) * 0.07f, 1e-6f);

    ResetLevelEntry();
    Player().Gun = Rifle;
    drawing::Script(input, FireHeld);
    Frame();
    EXPECT_FLOAT_EQ(bone(12), 0.15f); // the rifle's recoil keyframe 15, both hands
    EXPECT_FLOAT_EQ(bone(13), 0.0f);
}

TEST_F(GunTest, MuzzleLightAndFlashAtTheMuzzle) {
    inlevel.Facing = 3;
    Player().Gun = Smg;
    inlevel.loaded.filllight = {10, 20, 30, 0.5f};
    drawing::Script(input, FireHeld);
    Frame();
    const int light = inlevel.MuzzleLight;
    DrawMuzzleLight(graphics);
    EXPECT_TRUE(log->lightEnabled[1]);
    EXPECT_FLOAT_EQ(log->lights[1].range, static_cast<float>(light) / 10.0f);
    EXPECT_FLOAT_EQ(log->lights[1].position.x, 10.0f + 1.224f);
    EXPECT_FLOAT_EQ(log->lights[1].position.y, 1.427f);
    EXPECT_EQ(inlevel.MuzzleLight, light / 2);

    DrawMuzzleFlash(graphics);
    const std::vector<tdraw> flames = log->DrawsOf(models::MuzzleFlash);
    ASSERT_EQ(flames.size(), 1u);
    EXPECT_EQ(flames[0].ambient & 0xFFFFFF, 0xFFFFFFu) << "the flame lights itself";
    EXPECT_EQ(log->RenderStateValue(gpu::RenderState::Ambient) & 0xFFFFFF, 0x0A141Eu);
    EXPECT_NEAR(flames[0].X(), 11.224f, 1e-5f);
    // Facing 3 turns the flame by (7 - 3) x -45 degrees: a half turn about y.
    EXPECT_NEAR(flames[0].world.m[0][0], -1.0f, 1e-5f);

    // No flash in a frame without a shot.
    Forget();
    drawing::Script(input, "");
    Frame();
    DrawMuzzleFlash(graphics);
    EXPECT_TRUE(log->DrawsOf(models::MuzzleFlash).empty());
}

// The tables are the direction-1 point turned to each facing: column = f cos a + r sin a,
// row = f sin a - r cos a, within the three decimals they were stored to.
TEST(GunOffsets, EveryFacingIsTheForwardPointTurned) {
    for (const auto* table : {&MuzzleOffsets, &ShellOffsets}) {
        for (int gun = 1; gun <= 3; ++gun) {
            const tfloat3& forward = (*table)[gun][1];
            const float r = forward[0], f = forward[2];
            for (int d = 1; d <= 8; ++d) {
                const float a = Radians(Directions[d].degrees);
                const tfloat3& p = (*table)[gun][d];
                EXPECT_NEAR(p[0], f * std::cos(a) + r * std::sin(a), 0.0015f) << gun << "/" << d;
                EXPECT_NEAR(p[2], f * std::sin(a) - r * std::cos(a), 0.0015f) << gun << "/" << d;
                EXPECT_EQ(p[1], forward[1]);
            }
        }
    }
}

TEST_F(GunTest, BulletsAreDrawnTurnedWithTheirDirection) {
    bullets = {{5.0f, 1.5f, 6.0f, 1}, {7.0f, 1.5f, 8.0f, 3}};
    DrawBullets();
    const std::vector<tdraw> drawn = log->DrawsOf(models::Ammo);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_FLOAT_EQ(drawn[0].X(), 5.0f);
    EXPECT_FLOAT_EQ(drawn[0].Z(), 6.0f);
    // Direction 1 turns by 90 degrees, direction 3 by 180 (like the muzzle flame).
    EXPECT_NEAR(drawn[0].world.m[0][0], 0.0f, 1e-5f);
    EXPECT_NEAR(drawn[1].world.m[0][0], -1.0f, 1e-5f);
}

} // namespace

TEST(Reload, RoundsAtTheEndsOfTheRangeDoNotWrapAround) {
    struct tcase {
        int32_t current, spare, currentAfter, spareAfter;
    };
    // The pistol's magazine holds 8; rounds above a magazine go back to the spare ones.
    const tcase cases[] = {
        {0, 20, 8, 12},
        {3, 2, 5, 0},
        {0, INT32_MAX, 8, INT32_MAX - 8},
        {INT32_MAX, INT32_MAX, 8, INT32_MAX},
        {INT32_MIN, 0, INT32_MIN, 0},
        {INT32_MIN, INT32_MAX, -1, 0},
    };
    const tplayer before = Player();
    for (const tcase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.current << " + " << c.spare);
        Player().AmmoCurrent[Pistol] = c.current;
        Player().AmmoAll[Pistol] = c.spare;
        Reload(Pistol);
        EXPECT_EQ(Player().AmmoCurrent[Pistol], c.currentAfter);
        EXPECT_EQ(Player().AmmoAll[Pistol], c.spareAfter);
    }
    Player() = before;
}

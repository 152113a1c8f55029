#include "world/guns/guns.h"

#include "engine/random.h"
#include "engine/settings.h"
#include "render/assetorder.h"
#include "render/object3d.h"
#include "world/draw/worlddraw.h"
#include "world/guns/gunsoffsets.h"
#include "world/guns/guntables.h"
#include "world/playerrecord.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

namespace {

constexpr int32_t NoGun = 0;
constexpr int32_t AssaultRifle = 3;

bool HoldsGun(int32_t gun) {
    return gun >= 1 && gun <= GunCount;
}

int32_t FacingIndex() {
    return (inlevel.Facing >= 1 && inlevel.Facing <= 8) ? inlevel.Facing : 1;
}

// The recoil keyframes of the hero model and the arm bones they move; the rifle is held
// with both hands, so one more bone follows it.
struct trecoil {
    int32_t firstBone, lastBone;
    int32_t aimPose, recoilPose;
};
constexpr trecoil HandgunRecoil{1, 11, 6, 7};
constexpr trecoil RifleRecoil{1, 12, 14, 15};

constexpr float ShellSizeFactor = 0.1f;

void EjectShell(int32_t gun) {
    const tfloat3& offset = ShellOffsets[gun][FacingIndex()];
    // Two places clockwise of Facing: the shell flies out to the hero's right.
    const tdirection& side = Direction((FacingIndex() + 1) % 8 + 1);
    const float rise = static_cast<float>(Random(21)) / 100.0f + 0.2f;
    const tfloat3 velocity{inlevel.gunstate.ejection * side.column / 2.0f, rise,
                           inlevel.gunstate.ejection * side.row / 2.0f};
    const tfloat3 angles = RandomAngles();
    const tfloat3 position{hero.column + offset[0], hero.height + offset[1], hero.row + offset[2]};
    SpawnEffect(models::Shell, ShellSizeFactor, 1.0f, 1.0f, angles, velocity, position);
}

void LaunchBullet() {
    const tdirection& step = Direction(FacingIndex());
    tbullet bullet;
    // A little scatter along the line of fire, so a burst does not fly as one bead.
    bullet.column =
        inlevel.gunstate.muzzle[0] + static_cast<float>(Random(10)) * step.column / 10.0f;
    bullet.height = inlevel.gunstate.muzzle[1];
    bullet.row = inlevel.gunstate.muzzle[2] + static_cast<float>(Random(10)) * step.row / 10.0f;
    bullet.direction = FacingIndex();
    bullets.push_back(bullet);
}

} // namespace

void ChangeGun(const TDInput& input) {
    const bool held =
        input.IsKeyDown(settings.KeyChange) || input.IsPadControlOn(settings.PadChange);
    if (!held) {
        inlevel.gunstate.changeLatch = false;
        return;
    }
    if (inlevel.gunstate.changeLatch) return;
    inlevel.gunstate.changeLatch = true;
    tplayer& player = Player();
    // "No gun" is always at hand, so the cycle ends there at the latest.
    int32_t gun = HoldsGun(player.Gun) ? player.Gun : NoGun;
    do {
        gun = (gun + 1) % (GunCount + 1);
    } while (gun != NoGun && !player.Own[static_cast<size_t>(gun)]);
    player.Gun = gun;
}

void FireGun(const TDInput& input) {
    inlevel.gunstate.firedThisFrame = false;
    tplayer& player = Player();
    const int32_t gun = player.Gun;
    if (HoldsGun(gun)) {
        const tfloat3& offset = MuzzleOffsets[gun][FacingIndex()];
        inlevel.gunstate.muzzle = {hero.column + offset[0], hero.height + offset[1],
                                   hero.row + offset[2]};
    }

    const bool held = input.IsKeyDown(settings.KeyFire) || input.IsPadControlOn(settings.PadFire);
    if (!held || !HoldsGun(gun)) return;
    const size_t g = static_cast<size_t>(gun);
    if (inlevel.FireCooldown[g] != 0 || player.AmmoCurrent[g] <= 0) return;

    ++inlevel.RoundsFired;
    if (--player.AmmoCurrent[g] == 0) inlevel.ReloadTimer[g] = ReloadFrames;
    WorldOutput().PlayEffect(Guns[g].shotsound, EffectLevel());
    inlevel.FireCooldown[g] = Guns[g].FireInterval;
    inlevel.gunstate.firedThisFrame = true;
    inlevel.MuzzleLight = 20 + Random(20);
    EjectShell(gun);
    LaunchBullet();
}

void RecoilAndCooldown() {
    const int32_t gun = Player().Gun;
    if (!HoldsGun(gun)) return;
    const size_t g = static_cast<size_t>(gun);
    if (inlevel.FireCooldown[g] <= 0) return;
    // 1 right after the shot (the recoil pose), falling to 0 (the aiming pose).
    const float t =
        static_cast<float>(inlevel.FireCooldown[g]) / static_cast<float>(Guns[g].FireInterval);
    const trecoil& recoil = gun == AssaultRifle ? RifleRecoil : HandgunRecoil;
    Models().SetPose(models::Hero, recoil.firstBone, recoil.lastBone, t, recoil.aimPose,
                     recoil.recoilPose);
    --inlevel.FireCooldown[g];
}

void DrawBullets() {
    for (const tbullet& bullet : bullets) {
        // The bullet model is turned like the muzzle flame: (direction + 1) eighths of a turn.
        const float turn = Radians(static_cast<float>((bullet.direction + 1) * 45));
        Models().DrawModel(models::Ammo, false, bullet.column, bullet.height, bullet.row, 0.0f,
                           turn, 0.0f, 1.0f);
    }
}

int32_t TakeMuzzleLight() {
    const int32_t tenths = inlevel.MuzzleLight;
    if (tenths > 0) inlevel.MuzzleLight /= 2;
    return tenths;
}

void SetMuzzleLight(TDGraphics& graphics, int32_t tenths) {
    if (tenths <= 0) return;
    graphics.SetPointLight(1, 255, 255, 255, inlevel.gunstate.muzzle[0], inlevel.gunstate.muzzle[1],
                           inlevel.gunstate.muzzle[2], static_cast<float>(tenths) / 10.0f);
}

void DrawMuzzleLight(TDGraphics& graphics) {
    SetMuzzleLight(graphics, TakeMuzzleLight());
}

void ReloadCountdown() {
    tplayer& player = Player();
    if (!HoldsGun(player.Gun)) return;
    const size_t g = static_cast<size_t>(player.Gun);
    if (inlevel.ReloadTimer[g] <= 0 || player.AmmoCurrent[g] != 0 || player.AmmoAll[g] <= 0) return;
    if (--inlevel.ReloadTimer[g] > 0) return;
    WorldOutput().PlayEffect(sfx::Clip, EffectLevel());
    Reload(player.Gun);
}

void EjectNextShell() {
    if (!inlevel.gunstate.firedThisFrame || !HoldsGun(Player().Gun)) return;
    inlevel.gunstate.ejection = static_cast<float>(Random(50) + 101) / 100.0f;
}

void DrawMuzzleFlash(TDGraphics& graphics) {
    EjectNextShell();
    DrawMuzzleFlame(graphics);
}

void DrawMuzzleFlame(TDGraphics& graphics) {
    if (!inlevel.gunstate.firedThisFrame || !HoldsGun(Player().Gun)) return;
    // The flame lights itself: full white ambient for this one model.
    graphics.SetAmbient(255, 255, 255);
    const float turn = static_cast<float>(7 - FacingIndex()) * (-2.0f * Pi / 8.0f);
    Models().DrawModel(models::MuzzleFlash, false, inlevel.gunstate.muzzle[0],
                       inlevel.gunstate.muzzle[1], inlevel.gunstate.muzzle[2], 0.0f, turn, 0.0f,
                       1.0f);
    RestoreLevelLights(graphics);
}

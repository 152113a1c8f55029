#include "world/hero/herojump.h"

#include "world/hero/herocommon.h"
#include "world/playerrecord.h"
#include "world/worldops.h"

#include <algorithm>

namespace {
constexpr int32_t SpikeDamage = 30;
// Spikes still up to here hurt a hero who steps onto them.
constexpr float SpikesHurtAbove = -1.5f;
constexpr int32_t JumpRecharge = 8;
constexpr int32_t FullJump = 100;
constexpr float Gravity = 0.05f;
// Walking takes steps up to 0.15 high (with a hair of slack for float sums). A hero a little
// below his cell's floor has just taken such a step and is put onto it; only further down
// is he inside the floor and falling.
constexpr float StepUpSnap = 0.15f + 1e-4f;
} // namespace

void SpikesAndRecharge() {
    const ttile& tile = HeroTile();
    const bool standing = HeroStanding();
    if (inlevel.herostate.cell != inlevel.herostate.lastStanding &&
        tile.mechanism == mechanism::SpikesSprung && tile.anim > SpikesHurtAbove && standing)
        HurtHero(SpikeDamage);
    if (standing) {
        inlevel.herostate.lastStanding = inlevel.herostate.cell;
        tplayer& player = Player();
        player.Jump = std::min(player.Jump + JumpRecharge, FullJump);
    }
}

void Jump(bool jumpHeld) {
    if (!jumpHeld || !HeroStanding()) return;
    PlayFootstep();
    tplayer& player = Player();
    // Full power leaves the ground at 0.5 per frame, an empty meter at 0.25.
    hero.climb = static_cast<float>(player.Jump) / 100.0f * 0.25f + 0.25f;
    inlevel.herostate.poseBlend = 0.0f;
    // The guide lets the player practise without draining the meter.
    if (!inlevel.GuideOn) player.Jump /= 2;
}

void GravityAndLanding() {
    const ttile& tile = HeroTile();
    const bool airborneAtStart = hero.height > tile.floor;
    hero.height += hero.climb;
    const float below = tile.floor - hero.height;
    if (hero.height > tile.floor || tile.block == NoBlock || below > StepUpSnap)
        hero.climb -= Gravity;
    else
        hero.height = tile.floor;
    if (airborneAtStart && hero.height <= tile.floor) {
        hero.height = tile.floor;
        hero.climb = 0.0f;
        inlevel.herostate.poseBlend = 0.0f;
        PlayFootstep();
    }
}

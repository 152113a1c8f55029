#include "world/hero/heroposes.h"

#include "render/object3d.h"
#include "world/hero/herocommon.h"
#include "world/playerrecord.h"

namespace {

// The hero's keyframes; the assault rifle is held with its own set.
struct tposeset {
    int32_t walk[4];
    int32_t standing;
    int32_t air;
};
constexpr tposeset HandPoses{{0, 1, 2, 3}, 4, 5};
constexpr tposeset RiflePoses{{10, 11, 12, 13}, 9, 8};
constexpr int32_t AssaultRifle = 3;
// The balance gesture moves the two bones of the upper body only, always against pose 4.
constexpr int32_t WobblePose = 16;
constexpr int32_t WobbleStanding = 4;
constexpr int32_t WobbleFirstBone = 1, WobbleLastBone = 2;
constexpr int32_t AllBones = -1;

const tposeset& Poses() {
    return Player().Gun == AssaultRifle ? RiflePoses : HandPoses;
}

// Copies the bones as they are now into the model's spare pose, to blend away from.
void TakeSnapshot() {
    t3dobjects& store = Models();
    store.SavePose(models::Hero);
    inlevel.herostate.poseSnapshot =
        store.Valid(models::Hero) ? static_cast<int32_t>(store.Model(models::Hero).poses.size()) - 1
                                  : -1;
}

void InTheAir() {
    if (inlevel.herostate.poseBlend == 0.0f) TakeSnapshot();
    inlevel.herostate.poseBlend = std::min(inlevel.herostate.poseBlend + 0.1f, 1.0f);
    Models().SetPoseFromKeyframe(models::Hero, Poses().air);
}

void Walking() {
    float& phase = inlevel.herostate.walkPhase;
    phase += inlevel.SpeedTimer > 0 ? 0.4f : 0.2f;
    if (phase >= 4.0f) phase = 0.0f;
    if (phase == 0.0f || (phase > 1.9f && phase < 2.1f)) PlayFootstep();
    const int32_t from = static_cast<int32_t>(phase);
    const float fraction = phase - static_cast<float>(from);
    Models().SetPose(models::Hero, 0, AllBones, fraction, Poses().walk[from],
                     Poses().walk[(from + 1) % 4]);
    inlevel.herostate.poseBlend = 0.0f;
}

void Standing() {
    if (inlevel.herostate.poseBlend == 0.0f) TakeSnapshot();
    inlevel.herostate.poseBlend = std::min(inlevel.herostate.poseBlend + 0.2f, 1.0f);
    Models().SetPose(models::Hero, 0, AllBones, inlevel.herostate.poseBlend,
                     inlevel.herostate.poseSnapshot, Poses().standing);
}

void Wobble() {
    const int32_t w = inlevel.herostate.EdgeWobble;
    if (w > 6)
        Models().SetPose(models::Hero, WobbleFirstBone, WobbleLastBone,
                         static_cast<float>(w - 6) / 4.0f, WobblePose, WobbleStanding);
    else
        Models().SetPose(models::Hero, WobbleFirstBone, WobbleLastBone,
                         static_cast<float>(w) / 6.0f, WobbleStanding, WobblePose);
}

} // namespace

void AnimatePoses() {
    if (inlevel.herostate.EdgeWobble > 0) --inlevel.herostate.EdgeWobble;
    if (hero.height > HeroTile().floor)
        InTheAir();
    else if (inlevel.herostate.direction > 0)
        Walking();
    else
        Standing();
    if (inlevel.herostate.EdgeWobble > 0) Wobble();
}

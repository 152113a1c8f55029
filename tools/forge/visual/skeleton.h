#pragma once
// The skeleton shared by the hero, the zombie and the warrior. The game addresses a few
// bones by number: 7 the gun hand, 16 and 20 the feet (their lower one stands on the
// ground), 1 and 2 the edge wobble, 1..11 the upper body that aims and strikes.
#include <initializer_list>
#include <utility>
#include <vector>

#include "model.h"

namespace forge {

enum HumanBone : uint8_t {
    Hips,
    Waist,
    Chest,
    Neck,
    Head,
    RightUpperArm,
    RightForearm,
    RightHand,
    LeftUpperArm,
    LeftForearm,
    LeftHand,
    Gear,  // backpack, shield or rag: rides on the chest
    Pouch, // rides on the hips
    RightThigh,
    RightShin,
    RightAnkle,
    RightFoot,
    LeftThigh,
    LeftShin,
    LeftAnkle,
    LeftFoot,
    HumanBoneCount
};
static_assert(RightHand == 7 && RightFoot == 16 && LeftFoot == 20 && HumanBoneCount >= 21);

// Heights of the joints: the soles are at 0 in the standing pose, shoulders at 1.54.
constexpr float HipHeight = 0.98f;
constexpr float ShoulderHeight = 1.54f;
constexpr float ShoulderSide = 0.21f; // the hero's right is -x (he faces -z)
constexpr float UpperArmLength = 0.29f, ForearmLength = 0.26f;

void AddHumanBones(Model& model);

// A pose as changes to a base pose: {bone, rotation}.
using BoneTurns = std::initializer_list<std::pair<HumanBone, Vec3>>;
Pose MakePose(const char* name, const Pose& base, BoneTurns turns);
Pose StillPose(const char* name);

// Legs of a walk cycle step 0..3 (0: right foot forward, 2: left foot forward).
Pose WalkLegs(const char* name, const Pose& upper, int step, float stride);

} // namespace forge

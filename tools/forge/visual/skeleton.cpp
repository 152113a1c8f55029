#include "skeleton.h"

#include <array>

namespace forge {

void AddHumanBones(Model& model) {
    struct Joint {
        int parent;
        Vec3 offset;
    };
    const float armDrop = -UpperArmLength, handDrop = -ForearmLength;
    const std::array<Joint, HumanBoneCount> joints{{
        {-1, {0, HipHeight, 0}},
        {Hips, {0, 0.08f, 0}},
        {Waist, {0, 0.22f, 0}},
        {Chest, {0, 0.30f, 0}},
        {Neck, {0, 0.07f, 0}},
        {Chest, {-ShoulderSide, ShoulderHeight - HipHeight - 0.30f, 0}},
        {RightUpperArm, {0, armDrop, 0}},
        {RightForearm, {0, handDrop, 0}},
        {Chest, {ShoulderSide, ShoulderHeight - HipHeight - 0.30f, 0}},
        {LeftUpperArm, {0, armDrop, 0}},
        {LeftForearm, {0, handDrop, 0}},
        {Chest, {0, 0.12f, 0.13f}},
        {Hips, {0, 0, 0}},
        {Hips, {-0.1f, -0.03f, 0}},
        {RightThigh, {0, -0.43f, 0}},
        {RightShin, {0, -0.42f, 0}},
        {RightAnkle, {0, -0.10f, 0}},
        {Hips, {0.1f, -0.03f, 0}},
        {LeftThigh, {0, -0.43f, 0}},
        {LeftShin, {0, -0.42f, 0}},
        {LeftAnkle, {0, -0.10f, 0}},
    }};
    model.bones.clear();
    for (const Joint& j : joints) model.bones.push_back(Bone{j.parent, j.offset, {}});
}

Pose StillPose(const char* name) {
    return Pose{name, std::vector<Vec3>(HumanBoneCount)};
}

Pose MakePose(const char* name, const Pose& base, BoneTurns turns) {
    Pose p = base;
    p.name = name;
    for (auto [bone, turn] : turns) p.rotations[bone] = turn;
    return p;
}

Pose WalkLegs(const char* name, const Pose& upper, int step, float stride) {
    // Thigh swing forward is +x rotation; the knee bends the shin back with -x; the foot
    // turns back so the sole stays level.
    struct Leg {
        float thigh, shin;
    };
    const Leg contactFront{0.45f * stride, -0.08f}, contactBack{-0.35f * stride, -0.45f * stride};
    const Leg support{0.0f, -0.05f}, passing{0.35f * stride, -0.95f * stride};
    Leg right, left;
    switch (step & 3) {
    case 0:
        right = contactFront, left = contactBack;
        break;
    case 1:
        right = support, left = passing;
        break;
    case 2:
        right = contactBack, left = contactFront;
        break;
    default:
        right = passing, left = support;
        break;
    }
    Pose p = upper;
    p.name = name;
    p.rotations[RightThigh] = {right.thigh, 0, 0};
    p.rotations[RightShin] = {right.shin, 0, 0};
    p.rotations[RightFoot] = {-(right.thigh + right.shin), 0, 0};
    p.rotations[LeftThigh] = {left.thigh, 0, 0};
    p.rotations[LeftShin] = {left.shin, 0, 0};
    p.rotations[LeftFoot] = {-(left.thigh + left.shin), 0, 0};
    return p;
}

} // namespace forge

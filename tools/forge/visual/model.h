#pragma once
// A model as the forge builds it: one triangle list, a bone hierarchy and keyframe poses,
// written out in the game's ".exp" layout.
#include <cstdint>
#include <string>
#include <vector>

#include "render/expfile.h"
#include "vecmath.h"

namespace forge {

struct Vertex {
    Vec3 position; // in the space of its bone
    Vec3 normal;
    float u = 0, v = 0;
    uint8_t bone = 0;
};

struct Bone {
    int parent = -1;
    Vec3 offset;   // true distance from the parent's origin (the file stores z halved)
    Vec3 rotation; // rest rotation, x then y then z
};

struct Pose {
    std::string name;
    std::vector<Vec3> rotations; // one per bone
};

struct Model {
    std::string texture = "textures.png";
    std::vector<Vertex> vertices; // every three form one triangle
    std::vector<Bone> bones;
    std::vector<Pose> poses;
};

// The model in the game's file form, and the bytes of its ".exp" file.
ExpModel ToExpModel(const Model& model);
std::string SerializeModel(const Model& model);

// Each bone's matrix for the given rotations (one per bone), built exactly as the game's
// model store does: rotate, move by the offset, then follow the parent.
std::vector<Mat4> BoneMatrices(const Model& model, const std::vector<Vec3>& rotations);
std::vector<Vec3> RestRotations(const Model& model);

// Blend of two poses, t = 0 gives a.
std::vector<Vec3> BlendPoses(const Pose& a, const Pose& b, float t);

// Vertex positions in model space for the given rotations.
std::vector<Vec3> PlacedPositions(const Model& model, const std::vector<Vec3>& rotations);

} // namespace forge

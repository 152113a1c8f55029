#pragma once
// The ".exp" model file: one textured triangle list, a bone hierarchy and named keyframe
// poses, little-endian, read front to back without padding.
//
// Reading trusts nothing in the file: every count is checked against the bytes that are left
// before anything is allocated, and a file that is short, lies about a count or names a bone
// that does not exist is refused with a message naming the file.
//
// Writing (the asset forge and the tests make models with it):
//   ExpModel model;
//   model.texture = "stone.png";
//   int root = model.AddBone(-1, {0, 0, 0});
//   int arm = model.AddBone(root, {0, 0.5f, 0});       // stored offset; z counts twice
//   model.AddTriangle(ExpVertex{...}, ExpVertex{...}, ExpVertex{...}); // clockwise = front
//   model.AddPose("walk1", {{0, 0, 0}, {0.3f, 0, 0}}); // one rotation per bone
//   std::string error;
//   if (!SaveExp("gfx1024\\stone.exp", model, error)) ...
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/matrix.h"

// One vertex as the file stores it (40 bytes).
struct ExpVertex {
    tvector position{};
    float weight = 1;               // share of bones[0]; bones[1] gets the rest
    std::array<uint8_t, 4> bones{}; // bones[0] is the bone the vertex follows
    tvector normal{};
    float u = 0, v = 0;
};

// One bone (28 bytes): parent (-1 for a root, otherwise a lower index), offset from the
// parent (its z is applied twice over when drawn) and rotation about x, then y, then z.
struct ExpBone {
    int32_t parent = -1;
    tvector offset{};
    tvector rotation{};
};

// A named keyframe pose: one rotation per bone.
struct tskeleton {
    std::string name;
    std::vector<tvector> rotations;
};

struct ExpModel {
    std::string texture; // file name relative to the model file's folder
    std::vector<ExpVertex> vertices;
    std::vector<ExpBone> bones;
    std::vector<tskeleton> poses;

    // Builder helpers; each returns the new index.
    int AddBone(int32_t parent, tvector offset, tvector rotation = {});
    int AddTriangle(const ExpVertex& a, const ExpVertex& b, const ExpVertex& c);
    int AddPose(std::string name, std::vector<tvector> rotations);
};

inline constexpr int ExpVertexBytes = 40;
inline constexpr int ExpBoneBytes = 28;

// The file's bytes for a model. The model is written as it stands; CheckExp tells whether the
// game would accept it.
std::string EncodeExp(const ExpModel& model);
// Empty when the model is one the game can load, else the reason.
std::string CheckExp(const ExpModel& model);
// Checks, encodes and writes the file safely (temporary file + rename).
bool SaveExp(std::string_view gamePath, const ExpModel& model, std::string& error);

// Decodes the bytes of a model file; on failure error says why (without the file name).
bool DecodeExp(std::string_view bytes, ExpModel& model, std::string& error);
// Reads a model file; on failure error names the file and says why.
bool LoadExp(std::string_view gamePath, ExpModel& model, std::string& error);

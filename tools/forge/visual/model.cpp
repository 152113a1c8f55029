#include "model.h"

namespace forge {
namespace {
tvector ToFile(Vec3 v) {
    return {v.x, v.y, v.z};
}
} // namespace

ExpModel ToExpModel(const Model& model) {
    ExpModel out;
    out.texture = model.texture;
    out.vertices.reserve(model.vertices.size());
    for (const Vertex& v : model.vertices) {
        ExpVertex e;
        e.position = ToFile(v.position);
        e.weight = 1; // one weight: the vertex follows its bone fully
        e.bones = {v.bone, 0, 0, 0};
        e.normal = ToFile(v.normal);
        e.u = v.u;
        e.v = v.v;
        out.vertices.push_back(e);
    }
    for (const Bone& b : model.bones)
        // The game moves a bone by twice the stored z, so half of it is stored.
        out.bones.push_back(
            ExpBone{b.parent, {b.offset.x, b.offset.y, b.offset.z * 0.5f}, ToFile(b.rotation)});
    for (const Pose& p : model.poses) {
        tskeleton pose{p.name, {}};
        for (Vec3 r : p.rotations) pose.rotations.push_back(ToFile(r));
        out.poses.push_back(std::move(pose));
    }
    return out;
}

std::string SerializeModel(const Model& model) {
    return EncodeExp(ToExpModel(model));
}

std::vector<Mat4> BoneMatrices(const Model& model, const std::vector<Vec3>& rotations) {
    std::vector<Mat4> result(model.bones.size());
    for (size_t i = 0; i < model.bones.size(); ++i) {
        const Bone& b = model.bones[i];
        Vec3 r = i < rotations.size() ? rotations[i] : b.rotation;
        Mat4 m = Rotation(r) * Translation(b.offset);
        if (b.parent >= 0) m = m * result[b.parent];
        result[i] = m;
    }
    return result;
}

std::vector<Vec3> RestRotations(const Model& model) {
    std::vector<Vec3> r;
    for (const Bone& b : model.bones) r.push_back(b.rotation);
    return r;
}

std::vector<Vec3> BlendPoses(const Pose& a, const Pose& b, float t) {
    std::vector<Vec3> r(a.rotations.size());
    for (size_t i = 0; i < r.size() && i < b.rotations.size(); ++i)
        r[i] = Lerp(a.rotations[i], b.rotations[i], t);
    return r;
}

std::vector<Vec3> PlacedPositions(const Model& model, const std::vector<Vec3>& rotations) {
    std::vector<Mat4> m = BoneMatrices(model, rotations);
    std::vector<Vec3> out;
    out.reserve(model.vertices.size());
    for (const Vertex& v : model.vertices)
        out.push_back(TransformPoint(v.position, m[v.bone < m.size() ? v.bone : 0]));
    return out;
}

} // namespace forge

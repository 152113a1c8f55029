#include "render/object3d.h"

#include <algorithm>

#include "render/textures.h"

t3dobjects& Models() {
    static t3dobjects store;
    return store;
}

void SetModelDevice(gpu::Device* device, bool softwareProcessing) {
    Models().SetModelDevice(device, softwareProcessing);
    Textures().SetDevice(device);
}

void t3dobjects::SetModelDevice(gpu::Device* device, bool softwareProcessing) {
    device_ = device;
    softwareProcessing_ = softwareProcessing;
    last_ = {};
}

void t3dobjects::Clear() {
    models_.clear();
    last_ = {};
}

int t3dobjects::AddModel(gpu::Device* device, std::string_view file) {
    return Load(device, file, false);
}

int t3dobjects::AddSkinnedModel(gpu::Device* device, std::string_view file) {
    return Load(device, file, true);
}

namespace {

// The texture sits beside the model: "gfx1024\laatta1.exp" names "gfx1024\<texture>".
std::string TexturePathBeside(std::string_view modelFile, const std::string& texture) {
    const size_t slash = modelFile.find_last_of("\\/");
    if (slash == std::string_view::npos) return texture;
    return std::string(modelFile.substr(0, slash)) + "\\" + texture;
}

gpu::VertexBufferPtr MakeVertexBuffer(gpu::Device& device, const ExpModel& file, bool skinned) {
    const int count = static_cast<int>(file.vertices.size());
    if (skinned) {
        std::vector<gpu::SkinnedVertex> vertices;
        vertices.reserve(file.vertices.size());
        for (const ExpVertex& v : file.vertices) {
            gpu::SkinnedVertex out{v.position.x, v.position.y, v.position.z, v.weight, {},
                                   v.normal.x,   v.normal.y,   v.normal.z,   v.u,      v.v};
            std::copy(v.bones.begin(), v.bones.end(), out.bones);
            vertices.push_back(out);
        }
        return device.CreateVertexBuffer(gpu::VertexFormat::Skinned, vertices.data(), count);
    }
    // A plain model keeps position, normal and texture coordinates; weight and bones go.
    std::vector<gpu::PlainVertex> vertices;
    vertices.reserve(file.vertices.size());
    for (const ExpVertex& v : file.vertices)
        vertices.push_back({v.position.x, v.position.y, v.position.z, v.normal.x, v.normal.y,
                            v.normal.z, v.u, v.v});
    return device.CreateVertexBuffer(gpu::VertexFormat::Plain, vertices.data(), count);
}

} // namespace

int t3dobjects::Load(gpu::Device* device, std::string_view file, bool skinned) {
    if (!device) device = device_;
    ExpModel contents;
    std::string error;
    if (!LoadExp(file, contents, error)) throw ModelFileError(error);

    t3dobject model;
    model.skinned = skinned;
    model.textureName = contents.texture;
    model.texture = GetTexture(TexturePathBeside(file, contents.texture));
    model.vertexCount = static_cast<int32_t>(contents.vertices.size());
    // A model without vertices needs no buffer and draws nothing.
    if (model.vertexCount > 0) {
        if (!device) throw ModelDeviceError("No device for the vertices of " + std::string(file));
        model.vertexBuffer = MakeVertexBuffer(*device, contents, skinned);
        if (!model.vertexBuffer)
            throw ModelDeviceError("The device cannot hold the vertices of " + std::string(file));
    }
    model.boneCount = static_cast<int32_t>(contents.bones.size());
    model.bones = std::move(contents.bones);
    model.boneMatrices.assign(model.bones.size(), gpu::MatrixIdentity());
    model.placedMatrices.assign(model.bones.size(), gpu::MatrixIdentity());
    model.skeletonMatrices.assign(model.bones.size(), gpu::MatrixIdentity());
    model.bonePlaced.assign(model.bones.size(), 1);
    model.drawnRotations.assign(model.bones.size(), tvector{0, 0, 0});
    model.poses = std::move(contents.poses);
    // The working pose: one zero rotation per bone (every keyframe has exactly one per bone).
    model.poses.push_back({"", std::vector<tvector>(model.bones.size(), tvector{0, 0, 0})});

    models_.push_back(std::move(model));
    return Count() - 1;
}

void t3dobjects::SetPose(int index, int first, int last, float t, int a, int b) {
    if (!Valid(index)) return;
    t3dobject& model = models_[static_cast<size_t>(index)];
    const int boneCount = model.boneCount;
    const int workingPose = static_cast<int>(model.poses.size()) - 1;
    if (last < 0) last = boneCount - 1;
    if (!(t >= 0 && t <= 1)) return; // also refuses NaN
    if (first < 0 || first >= boneCount || last >= boneCount) return;
    if (a < 0 || a > workingPose || b < 0 || b > workingPose) return;
    if (last < first) std::swap(first, last);
    const auto& from = model.poses[static_cast<size_t>(a)].rotations;
    const auto& to = model.poses[static_cast<size_t>(b)].rotations;
    for (int i = first; i <= last; ++i) {
        const tvector& p = from[static_cast<size_t>(i)];
        const tvector& q = to[static_cast<size_t>(i)];
        model.bones[static_cast<size_t>(i)].rotation = {
            (1 - t) * p.x + t * q.x, (1 - t) * p.y + t * q.y, (1 - t) * p.z + t * q.z};
    }
}

void t3dobjects::SetPoseFromKeyframe(int index, int k) {
    if (!Valid(index)) return;
    t3dobject& model = models_[static_cast<size_t>(index)];
    if (k < 0 || k >= static_cast<int>(model.poses.size())) return;
    const auto& pose = model.poses[static_cast<size_t>(k)].rotations;
    for (size_t i = 0; i < model.bones.size(); ++i) model.bones[i].rotation = pose[i];
}

void t3dobjects::SavePose(int index) {
    if (!Valid(index)) return;
    t3dobject& model = models_[static_cast<size_t>(index)];
    auto& working = model.poses.back().rotations;
    for (size_t i = 0; i < model.bones.size(); ++i) working[i] = model.bones[i].rotation;
}

void t3dobjects::BlendRotations(int index, const std::vector<tvector>& from,
                                const std::vector<tvector>& to, float t) {
    if (!Valid(index)) return;
    t3dobject& model = models_[static_cast<size_t>(index)];
    if (from.size() < model.bones.size() || to.size() < model.bones.size()) return;
    for (size_t i = 0; i < model.bones.size(); ++i) {
        const tvector& p = from[i];
        const tvector& q = to[i];
        model.bones[i].rotation = t == 1.0f
                                      ? q
                                      : tvector{(1 - t) * p.x + t * q.x, (1 - t) * p.y + t * q.y,
                                                (1 - t) * p.z + t * q.z};
    }
}

void t3dobjects::ReadRotations(int index, std::vector<tvector>& rotations) const {
    if (!Valid(index)) {
        rotations.clear();
        return;
    }
    const t3dobject& model = models_[static_cast<size_t>(index)];
    rotations.resize(model.bones.size());
    for (size_t i = 0; i < model.bones.size(); ++i) rotations[i] = model.bones[i].rotation;
}

namespace {

// Bone i within the skeleton: turned by its own rotation, moved by its offset (z counts
// twice), then carried by its parent.
void SkeletonMatrix(tmatrix& M, const ExpBone& bone, const tvector& rotation,
                    const tmatrix* parent) {
    Identity(M);
    Rotate(M, rotation.x, rotation.y, rotation.z);
    Translate(M, bone.offset.x, bone.offset.y, 2 * bone.offset.z);
    if (parent) Multiply(M, *parent);
}

// The whole model turned, scaled, then put in its place.
void PlaceMatrix(const t3dobject& model, size_t i) {
    const t3dobject::tplacement& p = model.placement;
    tmatrix M = model.skeletonMatrices[i];
    Rotate(M, p.rx, p.ry, p.rz);
    if (p.scale != 1) Scale(M, p.scale);
    model.placedMatrices[i] = M;
    Translate(M, p.x, p.y, p.z);
    if (p.useExtra) Multiply(M, p.extra);
    model.boneMatrices[i] = M;
}

} // namespace

void t3dobjects::PlaceBone(const t3dobject& model, size_t bone) {
    // Up to the first bone already placed, then down again: parents come first.
    std::vector<size_t>& chain = model.placeChain;
    chain.clear();
    for (int32_t b = static_cast<int32_t>(bone);
         b >= 0 && !model.bonePlaced[static_cast<size_t>(b)];
         b = model.bones[static_cast<size_t>(b)].parent)
        chain.push_back(static_cast<size_t>(b));
    for (auto i = chain.rbegin(); i != chain.rend(); ++i) {
        const ExpBone& b = model.bones[*i];
        const tmatrix* parent =
            b.parent >= 0 ? &model.skeletonMatrices[static_cast<size_t>(b.parent)] : nullptr;
        SkeletonMatrix(model.skeletonMatrices[*i], b, model.drawnRotations[*i], parent);
        PlaceMatrix(model, *i);
        model.bonePlaced[*i] = 1;
    }
}

tvector t3dobjects::BonePosition(int index, int bone) const {
    if (!Valid(index)) return {0, 0, 0};
    const t3dobject& model = Model(index);
    if (bone < 0 || bone >= model.boneCount) return {0, 0, 0};
    PlaceBone(model, static_cast<size_t>(bone));
    return gpu::TransformCoord({0, 0, 0}, model.placedMatrices[static_cast<size_t>(bone)]);
}

tmatrix t3dobjects::BoneMatrix(int index, int bone) const {
    if (!Valid(index)) return gpu::MatrixIdentity();
    const t3dobject& model = Model(index);
    if (bone < 0 || bone >= model.boneCount) return gpu::MatrixIdentity();
    PlaceBone(model, static_cast<size_t>(bone));
    return model.boneMatrices[static_cast<size_t>(bone)];
}

void t3dobjects::SetExtraMatrix(int index, const tmatrix& matrix) {
    if (Valid(index)) models_[static_cast<size_t>(index)].extraMatrix = matrix;
}

void t3dobjects::SetStageOps(int index, uint32_t colourOp, uint32_t colourArg1, uint32_t colourArg2,
                             uint32_t alphaOp) {
    if (Valid(index))
        models_[static_cast<size_t>(index)].stageOps = {colourOp, colourArg1, colourArg2, alphaOp};
}

namespace {

// Sets a device state only when it differs from what was set last, and remembers it.
template <typename T, typename Set> void SetIfChanged(std::optional<T>& last, T value, Set set) {
    if (last && *last == value) return;
    set(value);
    last = value;
}

} // namespace

void t3dobjects::DrawModel(int index, bool useExtra, float x, float y, float z, float rx, float ry,
                           float rz, float scale) {
    if (!Valid(index) || !device_) return;
    t3dobject& model = models_[static_cast<size_t>(index)];
    const size_t boneCount = model.bones.size();
    model.placement = {
        x, y, z, rx, ry, rz, scale, useExtra, useExtra ? model.extraMatrix : gpu::MatrixIdentity()};
    if (device_->ShowsNothing()) {
        // Nobody sees this skeleton: keep its pose and place bones only when asked.
        for (size_t i = 0; i < boneCount; ++i) model.drawnRotations[i] = model.bones[i].rotation;
        std::fill(model.bonePlaced.begin(), model.bonePlaced.end(), 0);
    } else {
        // Parents have lower indices, so each bone's parent is done before it.
        for (size_t i = 0; i < boneCount; ++i) {
            const ExpBone& bone = model.bones[i];
            const tmatrix* parent = bone.parent >= 0
                                        ? &model.skeletonMatrices[static_cast<size_t>(bone.parent)]
                                        : nullptr;
            SkeletonMatrix(model.skeletonMatrices[i], bone, bone.rotation, parent);
        }
        for (size_t i = 0; i < boneCount; ++i) PlaceMatrix(model, i);
        std::fill(model.bonePlaced.begin(), model.bonePlaced.end(), 1);
        for (size_t i = 0; i < boneCount; ++i)
            device_->SetWorld(static_cast<int>(i), model.boneMatrices[i]);
    }

    gpu::Device& device = *device_;
    SetIfChanged(last_.skinned, model.skinned, [&](bool skinned) {
        device.SetRenderState(gpu::RenderState::IndexedVertexBlendEnable, skinned ? 1 : 0);
        device.SetRenderState(gpu::RenderState::VertexBlend, skinned ? 1 : 0);
    });
    SetIfChanged(last_.buffer, static_cast<const gpu::VertexBuffer*>(model.vertexBuffer.get()),
                 [&](const gpu::VertexBuffer* buffer) { device.SetStreamSource(buffer); });
    SetIfChanged(last_.texture, static_cast<const gpu::Texture*>(model.texture.get()),
                 [&](const gpu::Texture* texture) { device.SetTexture(0, texture); });
    const auto stage = [&](gpu::StageState state) {
        return [&device, state](uint32_t value) { device.SetStageState(0, state, value); };
    };
    SetIfChanged(last_.colourOp, model.stageOps.colourOp, stage(gpu::StageState::ColourOp));
    SetIfChanged(last_.colourArg1, model.stageOps.colourArg1, stage(gpu::StageState::ColourArg1));
    SetIfChanged(last_.colourArg2, model.stageOps.colourArg2, stage(gpu::StageState::ColourArg2));
    SetIfChanged(last_.alphaOp, model.stageOps.alphaOp, stage(gpu::StageState::AlphaOp));
    model.stageOps = {};

    if (model.vertexBuffer && model.vertexCount >= 3)
        device.DrawTriangleList(0, model.vertexCount / 3);
}

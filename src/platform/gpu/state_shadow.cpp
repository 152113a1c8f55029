#include "platform/gpu/state_shadow.h"

#include "platform/gpu/transform.h"

#include <algorithm>
#include <cstring>

namespace gpu {

namespace {

struct RenderStateInfo {
    RenderState state;
    uint32_t group; // 0: accepted, nothing to send
    uint32_t initial;
};

constexpr RenderStateInfo kRenderStates[] = {
    {RenderState::ZEnable, kDirtyRaster, 1},
    {RenderState::ZWriteEnable, kDirtyRaster, 1},
    {RenderState::SrcBlend, kDirtyRaster, uint32_t(Blend::One)},
    {RenderState::DestBlend, kDirtyRaster, uint32_t(Blend::Zero)},
    {RenderState::CullMode, kDirtyRaster, uint32_t(Cull::Ccw)},
    {RenderState::ZFunc, kDirtyRaster, uint32_t(Compare::LessEqual)},
    {RenderState::DitherEnable, 0, 0},
    {RenderState::AlphaBlendEnable, kDirtyRaster, 0},
    {RenderState::StencilEnable, kDirtyRaster, 0},
    {RenderState::StencilFail, kDirtyRaster, uint32_t(StencilOp::Keep)},
    {RenderState::StencilZFail, kDirtyRaster, uint32_t(StencilOp::Keep)},
    {RenderState::StencilPass, kDirtyRaster, uint32_t(StencilOp::Keep)},
    {RenderState::StencilFunc, kDirtyRaster, uint32_t(Compare::Always)},
    {RenderState::StencilRef, kDirtyRaster, 0},
    {RenderState::TextureFactor, kDirtyUniforms, 0xFFFFFFFF},
    {RenderState::Lighting, kDirtyProgram, 1},
    {RenderState::Ambient, kDirtyUniforms, 0},
    {RenderState::VertexBlend, kDirtyBlendMode, 0},
    {RenderState::IndexedVertexBlendEnable, kDirtyBlendMode, 0},
};

struct StageStateInfo {
    StageState state;
    uint32_t group;
    uint32_t stage0, later; // defaults of stage 0 and of the other stages
};

constexpr StageStateInfo kStageStates[] = {
    {StageState::ColourOp, kDirtyProgram, uint32_t(TextureOp::Modulate),
     uint32_t(TextureOp::Disable)},
    {StageState::ColourArg1, kDirtyProgram, uint32_t(TextureArg::Texture),
     uint32_t(TextureArg::Texture)},
    {StageState::ColourArg2, kDirtyProgram, uint32_t(TextureArg::Current),
     uint32_t(TextureArg::Current)},
    {StageState::AlphaOp, kDirtyProgram, uint32_t(TextureOp::SelectArg1),
     uint32_t(TextureOp::Disable)},
    {StageState::AlphaArg1, kDirtyProgram, uint32_t(TextureArg::Texture),
     uint32_t(TextureArg::Texture)},
    {StageState::AlphaArg2, kDirtyProgram, uint32_t(TextureArg::Current),
     uint32_t(TextureArg::Current)},
    {StageState::AddressU, kDirtySamplers, uint32_t(TextureAddress::Wrap),
     uint32_t(TextureAddress::Wrap)},
    {StageState::AddressV, kDirtySamplers, uint32_t(TextureAddress::Wrap),
     uint32_t(TextureAddress::Wrap)},
    {StageState::MagFilter, kDirtySamplers, uint32_t(TextureFilter::Point),
     uint32_t(TextureFilter::Point)},
    {StageState::MinFilter, kDirtySamplers, uint32_t(TextureFilter::Point),
     uint32_t(TextureFilter::Point)},
    {StageState::MipFilter, kDirtySamplers, uint32_t(TextureFilter::None),
     uint32_t(TextureFilter::None)},
};

const RenderStateInfo* FindRenderState(RenderState state) {
    for (const auto& info : kRenderStates)
        if (info.state == state) return &info;
    return nullptr;
}

const StageStateInfo* FindStageState(StageState state) {
    for (const auto& info : kStageStates)
        if (info.state == state) return &info;
    return nullptr;
}

bool Same(const void* a, const void* b, size_t n) {
    return std::memcmp(a, b, n) == 0;
}

} // namespace

StateShadow::StateShadow() {
    std::memset(renderStates, 0, sizeof renderStates);
    std::memset(stageStates, 0, sizeof stageStates);
    for (const auto& info : kRenderStates) renderStates[uint32_t(info.state)] = info.initial;
    for (int s = 0; s < kMaxStages; ++s)
        for (const auto& info : kStageStates)
            stageStates[s][uint32_t(info.state)] = s == 0 ? info.stage0 : info.later;
    const Matrix identity = MatrixIdentity();
    view = projection = identity;
    for (auto& w : world) w = identity;
    MarkPalette(0, 0);
}

bool StateShadow::SetRenderState(RenderState state, uint32_t value) {
    const RenderStateInfo* info = FindRenderState(state);
    if (!info) return false;
    uint32_t& slot = renderStates[uint32_t(state)];
    if (slot == value) return false;
    slot = value;
    dirty |= info->group;
    return info->group != 0;
}

bool StateShadow::SetStageState(int stage, StageState state, uint32_t value) {
    const StageStateInfo* info = FindStageState(state);
    if (!info || stage < 0 || stage >= kMaxStages) return false;
    uint32_t& slot = stageStates[stage][uint32_t(state)];
    if (slot == value) return false;
    slot = value;
    dirty |= info->group;
    return true;
}

bool StateShadow::SetTexture(int stage, const Texture* texture) {
    if (stage < 0 || stage >= kMaxStages || textures[stage] == texture) return false;
    // Whether a stage has a texture at all decides the stage cascade (the program); which
    // one it is only needs a bind.
    Argb colour = 0;
    const bool wasOneColour = textures[stage] && textures[stage]->OneColour(colour);
    const bool oneColour = texture && texture->OneColour(colour);
    if ((textures[stage] == nullptr) != (texture == nullptr) || wasOneColour != oneColour)
        dirty |= kDirtyProgram;
    // A texture of one colour is not fetched: its colour goes with the uniforms.
    if (oneColour) dirty |= kDirtyUniforms;
    textures[stage] = texture;
    dirty |= kDirtyTextures;
    return true;
}

void StateShadow::ForgetTexture(const Texture* texture) {
    for (int s = 0; s < kMaxStages; ++s)
        if (textures[s] == texture) {
            textures[s] = nullptr;
            dirty |= kDirtyTextures | kDirtyProgram;
        }
}

void StateShadow::MarkPalette(int first, int last) {
    if (paletteFirst > paletteLast) {
        paletteFirst = first;
        paletteLast = last;
    } else {
        paletteFirst = std::min(paletteFirst, first);
        paletteLast = std::max(paletteLast, last);
    }
}

bool StateShadow::SetView(const Matrix& m) {
    if (Same(&view, &m, sizeof m)) return false;
    view = m;
    dirty |= kDirtyUniforms; // lights live in view space
    MarkPalette(0, worldsUsed - 1);
    return true;
}

bool StateShadow::SetProjection(const Matrix& m) {
    if (Same(&projection, &m, sizeof m)) return false;
    projection = m;
    dirty |= kDirtyUniforms;
    return true;
}

bool StateShadow::SetWorld(int index, const Matrix& m) {
    if (index < 0 || index >= kMaxWorldMatrices) return false;
    worldsUsed = std::max(worldsUsed, index + 1);
    if (Same(&world[index], &m, sizeof m)) return false;
    world[index] = m;
    MarkPalette(index, index);
    return true;
}

bool StateShadow::SetLight(int index, const Light& light) {
    if (index < 0 || index >= kMaxLights) return false;
    if (Same(&lights[index], &light, sizeof light)) return false;
    lights[index] = light;
    if (lightOn[index]) dirty |= kDirtyUniforms;
    return true;
}

bool StateShadow::LightEnable(int index, bool on) {
    if (index < 0 || index >= kMaxLights || lightOn[index] == on) return false;
    lightOn[index] = on;
    dirty |= kDirtyUniforms;
    return true;
}

bool StateShadow::SetMaterial(const Material& m) {
    if (Same(&material, &m, sizeof m)) return false;
    material = m;
    dirty |= kDirtyUniforms;
    return true;
}

// Operations that read only their first or only their second argument.
static bool ReadsArg(TextureOp op, int arg) {
    if (op == TextureOp::SelectArg1) return arg == 1;
    if (op == TextureOp::SelectArg2) return arg == 2;
    return true;
}

TextureOp StateShadow::EffectiveColourOp(int stage) const {
    for (int s = 0; s <= stage; ++s) {
        const auto op = TextureOp(Get(s, StageState::ColourOp));
        if (op == TextureOp::Disable) return TextureOp::Disable;
        const bool needsTexture =
            (ReadsArg(op, 1) && Get(s, StageState::ColourArg1) == uint32_t(TextureArg::Texture)) ||
            (ReadsArg(op, 2) && Get(s, StageState::ColourArg2) == uint32_t(TextureArg::Texture));
        if (needsTexture && !textures[s]) return TextureOp::Disable;
    }
    return TextureOp(Get(stage, StageState::ColourOp));
}

TextureOp StateShadow::EffectiveAlphaOp(int stage) const {
    if (EffectiveColourOp(stage) == TextureOp::Disable) return TextureOp::Disable;
    return TextureOp(Get(stage, StageState::AlphaOp));
}

} // namespace gpu

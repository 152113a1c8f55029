#pragma once
// The device state as the game sets it, with its defaults, and which parts of it have
// changed since they last reached the GPU. Setting a value equal to the stored one changes
// nothing, which is what keeps repeated state calls free.
#include <cstdint>

#include "platform/gpu/device.h"

namespace gpu {

// Parts of the state that reach the GPU together.
enum DirtyGroup : uint32_t {
    kDirtyRaster = 1,     // depth, cull, blend, stencil
    kDirtyUniforms = 2,   // projection, lights, material, ambient, factor
    kDirtyTextures = 4,   // which texture each stage samples
    kDirtySamplers = 8,   // filters and addressing of each stage
    kDirtyBlendMode = 16, // vertex blending on or off
    kDirtyProgram = 32,   // lighting on or off, stage operations, which stages have a texture
    kDirtyAll = 63,
};

class StateShadow {
  public:
    StateShadow(); // the defaults listed in types.h

    uint32_t dirty = kDirtyAll;
    // World matrices whose product with the view must be sent again, first..last inclusive;
    // first > last when none.
    int paletteFirst = 0, paletteLast = 0;
    // One past the highest world matrix ever set; a view change refreshes 0..worldsUsed-1.
    int worldsUsed = 1;

    uint32_t renderStates[256];
    uint32_t stageStates[kMaxStages][32];
    Matrix view, projection;
    Matrix world[kMaxWorldMatrices];
    Light lights[kMaxLights];
    bool lightOn[kMaxLights] = {};
    Material material;
    const Texture* textures[kMaxStages] = {};

    // Each returns true when the value differed (and marks its group dirty).
    bool SetRenderState(RenderState state, uint32_t value);
    bool SetStageState(int stage, StageState state, uint32_t value);
    bool SetTexture(int stage, const Texture* texture);
    bool SetView(const Matrix& m);
    bool SetProjection(const Matrix& m);
    bool SetWorld(int index, const Matrix& m);
    bool SetLight(int index, const Light& light);
    bool LightEnable(int index, bool on);
    bool SetMaterial(const Material& m);
    // Forgets a texture that is being destroyed, so a later one at the same address is not
    // mistaken for it.
    void ForgetTexture(const Texture* texture);

    uint32_t Get(RenderState state) const { return renderStates[uint32_t(state)]; }
    uint32_t Get(int stage, StageState state) const { return stageStates[stage][uint32_t(state)]; }

    // The colour and alpha operations stage `stage` really performs: Disable when an earlier
    // stage ended the cascade, or when its colour operation reads a texture that is not bound.
    TextureOp EffectiveColourOp(int stage) const;
    TextureOp EffectiveAlphaOp(int stage) const;

    void MarkPaletteClean() { paletteFirst = 1, paletteLast = 0; }

  private:
    void MarkPalette(int first, int last);
};

} // namespace gpu

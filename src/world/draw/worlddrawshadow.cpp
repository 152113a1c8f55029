// The hero's blob shadow, cut at ledges with the stencil buffer.
#include "render/assetorder.h"
#include "render/object3d.h"
#include "world/draw/worlddraw.h"
#include "world/tables.h"

namespace {

using gpu::RenderState;

constexpr float ShadowLift = 0.01f; // above the floor, so the floor does not hide it
constexpr float ShadowScale = 0.8f;

// Raises the stencil over every neighbour cell lower than the hero's, without touching the
// picture or the depth buffer.
void MaskLowerNeighbours(gpu::Device& device, int32_t hc, int32_t hr, float floor) {
    device.SetRenderState(RenderState::ZEnable, 0);
    device.SetRenderState(RenderState::ZWriteEnable, 0);
    device.SetRenderState(RenderState::StencilEnable, 1);
    device.SetRenderState(RenderState::StencilFunc, StateValue(gpu::Compare::Always));
    // Saturating, so that overlapping masks cannot wrap a one-bit stencil back to 0.
    device.SetRenderState(RenderState::StencilPass, StateValue(gpu::StencilOp::IncrSat));
    BlendOn(device, gpu::Blend::Zero, gpu::Blend::One);
    for (int32_t dr = -1; dr <= 1; ++dr) {
        for (int32_t dc = -1; dc <= 1; ++dc) {
            if (dc == 0 && dr == 0) continue;
            const ttile* neighbour = TileAt(hc + dc, hr + dr);
            if (!neighbour || neighbour->floor >= floor) continue;
            Models().DrawModel(models::Mask, false, static_cast<float>(hc + dc), floor,
                               static_cast<float>(hr + dr), 0.0f, 0.0f, 0.0f, 1.0f);
        }
    }
    device.SetRenderState(RenderState::ZEnable, 1);
    device.SetRenderState(RenderState::ZWriteEnable, 1);
    device.SetRenderState(RenderState::StencilPass, StateValue(gpu::StencilOp::Keep));
    device.SetRenderState(RenderState::StencilFunc, StateValue(gpu::Compare::Equal));
    device.SetRenderState(RenderState::StencilRef, 0);
}

} // namespace

void DrawHeroShadow(TDGraphics& graphics) {
    gpu::Device* device = graphics.Device();
    const int32_t hc = CellOf(hero.column), hr = CellOf(hero.row);
    const ttile* cell = TileAt(hc, hr);
    if (!device || !cell || hero.height < cell->floor) return;

    const bool masked = graphics.HasStencil();
    if (masked) MaskLowerNeighbours(*device, hc, hr, cell->floor);

    BlendOn(*device, gpu::Blend::SrcAlpha, gpu::Blend::InvSrcAlpha);
    AlphaFromTexture(models::Shadow);
    Models().DrawModel(models::Shadow, false, hero.column, cell->floor + ShadowLift, hero.row, 0.0f,
                       0.0f, 0.0f, ShadowScale);
    BlendOff(*device);
    if (masked) device->SetRenderState(RenderState::StencilEnable, 0);
}

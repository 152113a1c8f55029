#include "world/draw/worlddraw.h"

#include "platform/gpu/transform.h"
#include "render/assetorder.h"
#include "render/object3d.h"
#include "world/tables.h"

#include <algorithm>

namespace {

using gpu::RenderState;

constexpr float FieldOfView = Pi / 4.0f;

// How an item lying on a cell is drawn: model, scale and turn about the vertical axis.
struct titemlook {
    int32_t model; // -1: nothing (no item, or a decoration, which has its own families)
    float scale;
    float turn;
};

// By item code 0..17.
constexpr titemlook ItemLooks[] = {
    {-1, 1.0f, 0.0f},
    {models::Treasure1, 1.3f, -0.7f},
    {models::HealthPotion, 1.5f, -0.5f},
    {models::LifePotion, 1.5f, -0.5f},
    {models::SpeedPotion, 1.5f, -0.5f},
    {models::BlessingPotion, 1.5f, -0.5f},
    {models::InvincibilityPotion, 1.5f, -0.5f},
    {models::InvisibilityPotion, 1.5f, -0.5f},
    {models::KillAllPotion, 1.5f, -0.5f},
    {-1, 1.0f, 0.0f},
    {-1, 1.0f, 0.0f},
    {-1, 1.0f, 0.0f},
    {-1, 1.0f, 0.0f},
    {-1, 1.0f, 0.0f},
    {-1, 1.0f, 0.0f},
    {-1, 1.0f, 0.0f},
    {models::Treasure2, 1.0f, 0.0f},
    {models::Treasure3, 1.0f, -0.5f},
};
constexpr int32_t ItemLookCount = sizeof ItemLooks / sizeof ItemLooks[0];

// Conveyor turn by its param 0..3 (+column, -column, -row, +row).
constexpr float ConveyorTurns[4] = {0.0f, Pi, Pi / 2.0f, 4.712389f};
constexpr int32_t ConveyorFrames = 8;

// Spikes sunk this far are out of sight below the holes.
constexpr float SpikesHiddenBelow = -1.5f;

// Blocks that redo the level's lights before they are drawn and stand on a floor of
// their own design.
bool StandsOnFloor(int32_t block) {
    return block == models::ArrowTrap || block == models::FirstPillar || block == models::RockTrap;
}

// Drawn blended by the texture's alpha; blending is switched off again right after, so the
// next model is opaque.
void DrawBlended(TDGraphics& graphics, int32_t model, float x, float y, float z) {
    gpu::Device& device = *graphics.Device();
    BlendOn(device, gpu::Blend::SrcAlpha, gpu::Blend::InvSrcAlpha);
    AlphaFromTexture(model);
    Models().DrawModel(model, false, x, y, z, 0.0f, 0.0f, 0.0f, 1.0f);
    BlendOff(device);
}

void DrawItems(TDGraphics& graphics, const ttile& cell, int32_t c, int32_t n) {
    t3dobjects& store = Models();
    const float x = static_cast<float>(c), z = static_cast<float>(n);
    if (cell.mechanism == mechanism::SpikesHidden || cell.mechanism == mechanism::SpikesSprung) {
        if (cell.anim > SpikesHiddenBelow)
            store.DrawModel(models::Spikes, false, x, cell.anim, z, 0.0f, 0.0f, 0.0f, 1.0f);
        store.DrawModel(models::SpikeHoles, false, x, 0.0f, z, 0.0f, 0.0f, 0.0f, 1.0f);
    }
    if (cell.item >= item::FirstDecoration && cell.item <= item::LastDecoration) {
        // A decoration standing on a solid block has a version of its own.
        const int32_t first = cell.solid ? models::FirstDecorationShadow : models::FirstDecoration;
        DrawBlended(graphics, first + cell.item - item::FirstDecoration, x, cell.floor, z);
        return;
    }
    if (cell.item < 0 || cell.item >= ItemLookCount) return;
    const titemlook& look = ItemLooks[cell.item];
    if (look.model < 0) return;
    store.DrawModel(look.model, false, x, cell.floor, z, 0.0f, look.turn, 0.0f, look.scale);
}

// Of all pits only a closing one shows: its lid, see-through until it shuts.
bool HasPitLid(const ttile& cell) {
    return cell.block == NoBlock && cell.mechanism == mechanism::ClosingPit;
}

void DrawPitLid(TDGraphics& graphics, int32_t c, int32_t n) {
    const ttile* cell = TileAt(c, n);
    if (!cell || !graphics.Device() || !HasPitLid(*cell)) return;
    DrawBlended(graphics, models::CrumbleFloor, static_cast<float>(c), 0.0f, static_cast<float>(n));
    StageOneOff(*graphics.Device());
}

// Everything of a cell but a pit's lid.
void DrawSolidBlock(TDGraphics& graphics, int32_t c, int32_t n, int32_t frame) {
    const ttile* cell = TileAt(c, n);
    if (!cell || !graphics.Device() || cell->block == NoBlock) return;
    t3dobjects& store = Models();
    const float x = static_cast<float>(c), z = static_cast<float>(n);
    if (cell->block == models::FirstConveyor) {
        if (cell->param < 0 || cell->param > 3) return; // a belt going nowhere is not drawn
        const int32_t animation = ((frame % ConveyorFrames) + ConveyorFrames) % ConveyorFrames;
        store.DrawModel(models::FirstConveyor + animation, false, x, cell->floor, z, 0.0f,
                        ConveyorTurns[cell->param], 0.0f, 1.0f);
        return;
    }
    if (cell->mechanism == mechanism::CrumblingFloor) {
        store.DrawModel(cell->block + cell->design, false, x, cell->floor, z, cell->anim, 0.0f,
                        cell->anim, 1.0f);
        return;
    }
    if (cell->block == BreakableWallBlock) {
        store.DrawModel(models::FirstWall + cell->design, false, x, cell->floor, z, cell->anim,
                        0.0f, cell->anim, 1.0f);
        return;
    }
    store.DrawModel(cell->block + cell->design, false, x, cell->floor, z, 0.0f, 0.0f, 0.0f, 1.0f);
    if (StandsOnFloor(cell->block)) {
        RestoreLevelLights(graphics);
        store.DrawModel(models::FirstFloor + cell->floordesign, false, x, cell->floor, z, 0.0f,
                        0.0f, 0.0f, 1.0f);
    }
}

} // namespace

void BlendOn(gpu::Device& device, gpu::Blend source, gpu::Blend destination) {
    device.SetRenderState(RenderState::AlphaBlendEnable, 1);
    device.SetRenderState(RenderState::SrcBlend, StateValue(source));
    device.SetRenderState(RenderState::DestBlend, StateValue(destination));
}

void BlendOff(gpu::Device& device) {
    device.SetRenderState(RenderState::AlphaBlendEnable, 0);
}

void StageOneOff(gpu::Device& device) {
    device.SetStageState(1, gpu::StageState::ColourOp, StateValue(gpu::TextureOp::Disable));
    device.SetStageState(1, gpu::StageState::AlphaOp, StateValue(gpu::TextureOp::Disable));
}

void AlphaFromTexture(int32_t model) {
    Models().SetStageOps(model, StateValue(gpu::TextureOp::Modulate),
                         StateValue(gpu::TextureArg::Texture), StateValue(gpu::TextureArg::Diffuse),
                         StateValue(gpu::TextureOp::Modulate));
}

void RestoreLevelLights(TDGraphics& graphics) {
    graphics.SetDirectionalLight(0, inlevel.loaded.mainlight.R, inlevel.loaded.mainlight.G,
                                 inlevel.loaded.mainlight.B, inlevel.loaded.mainlight.X,
                                 inlevel.loaded.mainlight.Y, inlevel.loaded.mainlight.Z);
    graphics.SetAmbient(inlevel.loaded.filllight.R, inlevel.loaded.filllight.G,
                        inlevel.loaded.filllight.B);
}

void SetDepthRange(TDGraphics& graphics, float zNear, float zFar) {
    if (gpu::Device* device = graphics.Device())
        device->SetProjection(gpu::MatrixPerspectiveFovLH(FieldOfView, 1.0f, zNear, zFar));
}

void DrawTile(TDGraphics& graphics, int32_t c, int32_t n, int32_t frame) {
    DrawSolidBlock(graphics, c, n, frame);
    DrawPitLid(graphics, c, n);
}

void DrawWorld(TDGraphics& graphics, int32_t seen, int32_t frame) {
    if (!graphics.Device()) return;
    const int32_t hc = CellOf(hero.column), hr = CellOf(hero.row);
    const int32_t left = std::max(hc - WindowLeft, 0);
    const int32_t right = std::min(hc + WindowRight, GridSize - 1);
    const int32_t back = std::max(hr - WindowBack, 0);
    const int32_t ahead = std::min(hr + WindowAhead, GridSize - 1);
    t3dobjects& store = Models();

    const auto rowRange = [&](int32_t n) {
        const float shift = static_cast<float>(n) / 1000.0f;
        SetDepthRange(graphics, PlayNear - shift, PlayFar - shift);
    };
    const auto drawCell = [&](int32_t c, int32_t n) {
        if (c < left || c > right) return;
        if (tiles[c][n].seen == seen)
            DrawSolidBlock(graphics, c, n, frame);
        else
            store.DrawModel(models::Empty, false, static_cast<float>(c), 0.0f,
                            static_cast<float>(n), 0.0f, 0.0f, 0.0f, 1.0f);
    };
    // Solid blocks, the cells nearest the camera first: near rows, and within a row the
    // hero's column, outwards from there. The depth test then rejects every pixel a block
    // hides behind it before it is shaded, instead of shading it and painting over it.
    // Each row gets its own depth range, a thousandth of a unit apart, so that the
    // coplanar faces of neighbouring rows never fight.
    for (int32_t n = back; n <= ahead; ++n) {
        rowRange(n);
        drawCell(hc, n);
        for (int32_t d = 1; d <= std::max(WindowLeft, WindowRight); ++d) {
            if (d <= WindowLeft) drawCell(hc - d, n);
            if (d <= WindowRight) drawCell(hc + d, n);
        }
    }
    // Then the see-through lids of closing pits, far rows first, each over everything
    // that lies under it.
    for (int32_t n = ahead; n >= back; --n) {
        bool ranged = false;
        for (int32_t c = left; c <= right; ++c) {
            if (tiles[c][n].seen != seen || !HasPitLid(tiles[c][n])) continue;
            if (!ranged) rowRange(n);
            ranged = true;
            DrawPitLid(graphics, c, n);
        }
    }

    // Spikes and items, near rows first. Their range lies a thousandth beyond their row's,
    // which brings them a hair closer, so an item wins over the floor it lies flush with.
    for (int32_t n = back; n <= ahead; ++n) {
        const float shift = static_cast<float>(n) / 1000.0f;
        SetDepthRange(graphics, PlayNear - shift + 0.001f, PlayFar - shift + 0.001f);
        for (int32_t c = left; c <= right; ++c)
            if (tiles[c][n].seen == seen) DrawItems(graphics, tiles[c][n], c, n);
    }

    SetDepthRange(graphics, PlayNear, PlayFar);
}

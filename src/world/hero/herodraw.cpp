#include "world/hero/herodraw.h"

#include "render/assetorder.h"
#include "render/object3d.h"
#include "world/draw/inbetween.h"
#include "world/draw/worlddraw.h"
#include "world/guns/guntables.h"
#include "world/hero/hero.h"
#include "world/playerrecord.h"
#include "world/replay/ghost.h"
#include "world/tables.h"

#include <algorithm>
#include <tuple>

namespace {

using gpu::RenderState;
using gpu::StageState;

constexpr gpu::Argb InvincibleTint = 0xC0FF0000; // red
constexpr gpu::Argb BlessedTint = 0xC00000FF;    // blue
constexpr gpu::Argb BothTint = 0xC0FF00FF;       // magenta
constexpr float GunScale = 1.5f;

void Tint(gpu::Device& device, gpu::Argb tint) {
    device.SetRenderState(RenderState::TextureFactor, tint);
    for (auto [op, arg1, arg2] :
         {std::tuple{StageState::ColourOp, StageState::ColourArg1, StageState::ColourArg2},
          std::tuple{StageState::AlphaOp, StageState::AlphaArg1, StageState::AlphaArg2}}) {
        device.SetStageState(1, op, StateValue(gpu::TextureOp::BlendFactorAlpha));
        device.SetStageState(1, arg1, StateValue(gpu::TextureArg::Current));
        device.SetStageState(1, arg2, StateValue(gpu::TextureArg::TFactor));
    }
}

// The glow of a teleport: no texture, twice the lit colour.
void Glow(t3dobjects& store, int32_t model) {
    store.SetStageOps(model, StateValue(gpu::TextureOp::Add), StateValue(gpu::TextureArg::Diffuse),
                      StateValue(gpu::TextureArg::Diffuse), StateValue(gpu::TextureOp::Disable));
}

// The hero stands on his lower foot, whatever the pose of his last drawing did to his legs.
float FootHeight(const t3dobjects& store) {
    return std::min(store.BonePosition(models::Hero, LeftFootBone).y,
                    store.BonePosition(models::Hero, RightFootBone).y);
}

bool AtOrAboveFloor() {
    const ttile* cell = TileAt(CellOf(hero.column), CellOf(hero.row));
    return cell && hero.height >= cell->floor;
}

} // namespace

gpu::Argb HeroTint(int32_t invincibilityTimer, int32_t blessingTimer) {
    const bool invincible = invincibilityTimer > 0, blessed = blessingTimer > 0;
    if (invincible && blessed) return BothTint;
    if (invincible) return InvincibleTint;
    if (blessed) return BlessedTint;
    return 0;
}

void DrawHero(TDGraphics& graphics) {
    gpu::Device* device = graphics.Device();
    if (!device) return;
    t3dobjects& store = Models();

    // These states stay on for the guide marker and the gun, which go with the hero.
    // Invisible: bright parts cover what lies behind, dark parts let it through.
    if (inlevel.InvisibilityTimer > 0)
        BlendOn(*device, gpu::Blend::SrcColour, gpu::Blend::InvSrcColour);
    const gpu::Argb tint = HeroTint(inlevel.InvincibilityTimer, inlevel.BlessingTimer);
    if (tint != 0) Tint(*device, tint);

    const float scale = HeroTeleportScale();
    const bool glowing = HeroGlowing();
    const float turn = static_cast<float>(5 - inlevel.Facing) * (-2.0f * Pi / 8.0f);
    if (glowing) Glow(store, models::Hero);
    store.DrawModel(models::Hero, false, hero.column, hero.height - FootHeight(store), hero.row,
                    0.0f, turn, 0.0f, scale);

    if (inlevel.GuideOn && AtOrAboveFloor())
        store.DrawModel(models::Guide, false, static_cast<float>(CellOf(hero.column)), 0.0f,
                        static_cast<float>(CellOf(hero.row)), 0.0f, 0.0f, 0.0f, 1.0f);

    const int32_t gun = Player().Gun;
    if (gun >= 1 && gun <= GunCount && store.Valid(models::Hero)) {
        const int32_t model = Guns[gun].model;
        store.SetExtraMatrix(model, store.BoneMatrix(models::Hero, HandBone));
        if (glowing) Glow(store, model);
        store.DrawModel(model, true, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, GunScale * scale);
    }

    BlendOff(*device);
    StageOneOff(*device);
}

void DrawGhostHero(TDGraphics& graphics) {
    const std::optional<theroplace> ghost = GhostNow(inbetween.Fraction());
    gpu::Device* device = graphics.Device();
    if (!ghost || !device) return;
    t3dobjects& store = Models();
    // As an invisible hero is drawn: bright parts show, dark ones let the world through.
    BlendOn(*device, gpu::Blend::SrcColour, gpu::Blend::InvSrcColour);
    const float turn = static_cast<float>(5 - ghost->facing) * (-2.0f * Pi / 8.0f);
    store.DrawModel(models::Hero, false, ghost->column, ghost->height - FootHeight(store),
                    ghost->row, 0.0f, turn, 0.0f, 1.0f);
    BlendOff(*device);
}

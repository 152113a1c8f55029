// The ghost: once seen, drifts toward the hero over walls and pits alike, moans at most
// every 15 frames and hurts him a little every frame he stays within 1.4. Bullets, stones,
// rising walls and contact leave it untouched; only the kill-all potion ends it.
#include "creatures/creaturerules.h"
#include "creatures/monsterrules.h"
#include "creatures/monsters.h"
#include "engine/dgraphics.h"
#include "render/object3d.h"
#include "world/draw/worlddraw.h"
#include "world/tables.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

namespace {
constexpr int32_t HeightBone = 10;
constexpr int32_t AmbientGrey = 128;
} // namespace

bool tghost::Update() {
    if (soundwait > 0) --soundwait;
    if (OnSeenCell(*this)) awake = true;
    // Asleep it keeps the mark written when it was made.
    if (!awake) return true;
    moving = true;
    MarkOwnCell(*this, mark::Free);
    SeekHero();
    if (DistanceToHero(*this) < GhostKind.attackRange && hero.height >= LowestReachableHeight) {
        if (soundwait == 0) {
            WorldOutput().PlayEffect(sfx::Ghost, EffectLevel());
            soundwait = SoundInterval;
        }
        moving = false;
        HurtHero(GhostKind.strikeDamage);
        FaceHero();
    }
    // No PathBlocked here: when no walkable way leads to the hero the ghost floats on
    // over walls and pits.
    WalkStep(*this, GhostKind);
    MarkOwnCell(*this, GhostKind.cellMark);
    return true;
}

void tghost::Draw(TDGraphics& graphics) {
    if (!OnSeenCell(*this)) return;
    SetWalkPose(*this, GhostKind);
    const float lift = Models().BonePosition(GhostKind.drawnModel, HeightBone).y;

    gpu::Device* device = graphics.Device();
    if (device) {
        device->SetRenderState(gpu::RenderState::AlphaBlendEnable, 1);
        device->SetRenderState(gpu::RenderState::SrcBlend,
                               static_cast<uint32_t>(gpu::Blend::SrcAlpha));
        device->SetRenderState(gpu::RenderState::DestBlend,
                               static_cast<uint32_t>(gpu::Blend::InvSrcAlpha));
    }
    // The texture's alpha makes the ghost see-through; the store sets stage 0 for this
    // one draw and puts it back for the next model.
    Models().SetStageOps(GhostKind.drawnModel, static_cast<uint32_t>(gpu::TextureOp::Modulate),
                         static_cast<uint32_t>(gpu::TextureArg::Texture),
                         static_cast<uint32_t>(gpu::TextureArg::Diffuse),
                         static_cast<uint32_t>(gpu::TextureOp::Modulate));
    graphics.SetAmbient(AmbientGrey, AmbientGrey, AmbientGrey);
    DrawTurned(*this, GhostKind.drawnModel, lift);
    RestoreLevelLights(graphics);
    if (device) device->SetRenderState(gpu::RenderState::AlphaBlendEnable, 0);
}

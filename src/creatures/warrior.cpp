// The warrior: a zombie's walk and strike with twice the reach of its blow and twice the
// damage, and a shield. A bullet coming while warrior and hero face each other is blocked
// and leaves the warrior stunned (standing, not turning) and flashing white for 63 frames.
#include "creatures/creaturerules.h"
#include "creatures/monsterrules.h"
#include "creatures/monsters.h"
#include "engine/dgraphics.h"
#include "engine/random.h"
#include "world/playerrecord.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

bool twarrior::Update() {
    moving = true;
    attacking = false;
    if (CrushedInCell(*this)) return false;
    if (stun > 0) stun -= StunPerFrame;
    MarkOwnCell(*this, mark::Free);
    if (inlevel.InvisibilityTimer > 0 || stun > 0) moving = false;
    if (stun <= 0) SeekHero();
    TurnAwayIfBlessed(*this);
    if (DistanceToHero(*this) < WarriorKind.attackRange && inlevel.InvincibilityTimer > 0) {
        Die(-1);
        return false;
    }
    StrikeIfClose(*this, WarriorKind);
    StopAtUnwalkable(*this);
    WalkStep(*this, WarriorKind);

    // Newest bullets first; each one that reaches the warrior is used up.
    for (size_t i = bullets.size(); i-- > 0;) {
        const tbullet& b = bullets[i];
        if (PlaneDistance(b.column, b.row, column, row) >= BulletReach) continue;
        WorldOutput().PlayEffect(sfx::Lats2, HitSoundVolume());
        if (Opposite(direction) == inlevel.Facing) {
            stun = StunOnBlock;
            RemoveBullet(i);
        } else if (Random(100) < HitChanceOf(Player().Gun)) {
            Die(b.direction);
            RemoveBullet(i);
            return false;
        } else {
            RemoveBullet(i);
        }
    }
    MarkOwnCell(*this, WarriorKind.cellMark);
    return true;
}

void twarrior::Draw(TDGraphics& graphics) {
    if (!OnSeenCell(*this)) return;
    gpu::Device* device = graphics.Device();
    if (stun > 0 && device) {
        // Stage 1 blends the lit texture toward white by the factor's alpha: nearly all
        // white right after the block, back to the warrior's own colours as the stun ends.
        device->SetRenderState(gpu::RenderState::TextureFactor,
                               gpu::MakeArgb(255 - stun, 255, 255, 255));
        const auto blend = static_cast<uint32_t>(gpu::TextureOp::BlendFactorAlpha);
        device->SetStageState(1, gpu::StageState::ColourOp, blend);
        device->SetStageState(1, gpu::StageState::AlphaOp, blend);
        device->SetStageState(1, gpu::StageState::ColourArg1,
                              static_cast<uint32_t>(gpu::TextureArg::Current));
        device->SetStageState(1, gpu::StageState::ColourArg2,
                              static_cast<uint32_t>(gpu::TextureArg::TFactor));
    }
    SetWalkPose(*this, WarriorKind);
    if (attacking && inlevel.InvisibilityTimer <= 0 && stun <= 0) {
        SetAttackPose(*this, WarriorKind);
        FaceHero();
    }
    DrawTurned(*this, WarriorKind.drawnModel, FootHeight(WarriorKind.drawnModel));
    if (device)
        device->SetStageState(1, gpu::StageState::ColourOp,
                              static_cast<uint32_t>(gpu::TextureOp::Disable));
}

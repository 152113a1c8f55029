// The zombie: walks toward the hero, strikes him every 20 frames while he stays within
// 0.8, and dies to a bullet with the gun's hit chance.
#include "creatures/creaturerules.h"
#include "creatures/monsterrules.h"
#include "creatures/monsters.h"
#include "engine/random.h"
#include "world/playerrecord.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

namespace {
void Scream() {
    WorldOutput().PlayEffect(Random(2) == 0 ? sfx::Argh1 : sfx::Argh2, EffectLevel());
}
} // namespace

bool tzombie::Update() {
    moving = true;
    attacking = false;
    if (CrushedInCell(*this)) return false;
    MarkOwnCell(*this, mark::Free);
    if (inlevel.InvisibilityTimer > 0) moving = false;
    SeekHero();
    TurnAwayIfBlessed(*this);
    if (DistanceToHero(*this) < ZombieKind.attackRange && inlevel.InvincibilityTimer > 0) {
        Die(-1);
        return false;
    }
    StrikeIfClose(*this, ZombieKind);
    StopAtUnwalkable(*this);
    WalkStep(*this, ZombieKind);

    // Newest bullets first; each one that reaches the zombie is used up, hit or miss.
    for (size_t i = bullets.size(); i-- > 0;) {
        const tbullet& b = bullets[i];
        if (PlaneDistance(b.column, b.row, column, row) >= BulletReach) continue;
        WorldOutput().PlayEffect(sfx::Lats2, HitSoundVolume());
        if (Random(100) < HitChanceOf(Player().Gun)) {
            Scream();
            RemoveBullet(i);
            Die(-1);
            return false;
        }
        RemoveBullet(i);
    }
    MarkOwnCell(*this, ZombieKind.cellMark);
    return true;
}

void tzombie::Draw(TDGraphics&) {
    if (!OnSeenCell(*this)) return;
    SetWalkPose(*this, ZombieKind);
    if (attacking && inlevel.InvisibilityTimer <= 0) {
        SetAttackPose(*this, ZombieKind);
        FaceHero();
    }
    DrawTurned(*this, ZombieKind.drawnModel, FootHeight(ZombieKind.drawnModel));
}

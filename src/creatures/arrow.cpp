// The arrow: flies straight until it leaves the grid, meets a wall or trap block, or hits
// the hero. It wipes the creature marks of the cells it crosses and ignores every potion.
#include "creatures/creaturerules.h"
#include "creatures/projectiles.h"
#include "engine/dgraphics.h"
#include "engine/random.h"
#include "render/assetorder.h"
#include "world/draw/worlddraw.h"
#include "world/playerrecord.h"
#include "world/tables.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

namespace {
// The hero's body is in the arrow's path from his feet to just below his waist: jumping
// half a cell high lets it pass underneath.
bool AtArrowHeight(float height) {
    return height >= -0.5f && height < 0.5f;
}
} // namespace

bool tarrow::Update() {
    MoveAlong(*this, Speed);
    if (!EnterCell(*this)) return false;
    if (DistanceToHero(*this) < Reach && AtArrowHeight(hero.height)) {
        const int32_t damage = LeastDamage + Random(DamageSpread);
        WorldOutput().PlayEffect(sfx::Lats2, HitSoundVolume());
        Player().Energy -= damage;
        SprayBlood(damage / 2);
        return false;
    }
    return true;
}

void tarrow::Draw(TDGraphics& graphics) {
    if (!OnSeenCell(*this)) return;
    const float turn = TurnOf(direction);
    WorldOutput().DrawModel(models::Arrow, column, 0.0f, row, 0.0f, turn, 0.0f, 1.0f);
    const ttile* cell = OwnCell(*this);
    if (cell->block == NoBlock) return;
    // The shadow is the same arrow lying flat on the floor, lit by nothing.
    graphics.SetAmbient(0, 0, 0);
    graphics.SetDirectionalLight(0, 0, 0, 0, inlevel.loaded.mainlight.X, inlevel.loaded.mainlight.Y,
                                 inlevel.loaded.mainlight.Z);
    WorldOutput().DrawModel(models::ArrowShadow, column, cell->floor, row, 0.0f, turn, 0.0f, 1.0f);
    RestoreLevelLights(graphics);
}

// The stone: rolls along the floor at its trap's level, falls once it leaves that level
// (there is no landing), and marks each cell it rolls through so that a zombie or warrior
// standing there dies. Touching the hero costs him 100 energy a frame, whatever his potions.
#include "creatures/creaturerules.h"
#include "creatures/projectiles.h"
#include "engine/dgraphics.h"
#include "render/assetorder.h"
#include "world/draw/worlddraw.h"
#include "world/playerrecord.h"
#include "world/tables.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

#include <cmath>

namespace {
constexpr float FullCircle = 360.0f;
constexpr float LiftToCentre = 0.5f; // the model's centre sits half a cell above its floor
constexpr float NewStoneLightFactor = 3.0f;

// A cell the stone rolls on: a tile exactly at the stone's height.
bool RollsOn(const ttile& cell, float height) {
    return cell.block != NoBlock && cell.floor == height;
}
} // namespace

bool tstone::Update() {
    if (ttile* cell = OwnCell(*this)) cell->occupied = mark::Free;
    if (fade < 1.0f) fade += FadeStep;
    if (DistanceToHero(*this) < Reach && std::fabs(hero.height - height) < 1.0f) {
        Player().Energy -= Damage;
        SprayBlood(BloodDrops);
    }
    const ttile* under = OwnCell(*this);
    if (under && RollsOn(*under, height)) MoveAlong(*this, SpeedTimes, SpeedOver);
    ttile* cell = EnterCell(*this);
    if (!cell) return false;
    if (!RollsOn(*cell, height)) {
        climb -= Gravity;
        height += climb;
    }
    if (height < LowestHeight) return false;
    walkphase += 1.0f;
    if (walkphase >= FullCircle) walkphase = 0.0f;
    cell->occupied = mark::StoneBase + direction;
    return true;
}

void tstone::Draw(TDGraphics& graphics) {
    if (!OnSeenCell(*this)) return;
    const bool fadingIn = fade < 1.0f;
    if (fadingIn) {
        // A new stone comes out of its trap brightly lit and settles to the level's light.
        const int g = static_cast<int>(std::nearbyint((1.0f - fade) * 255.0f));
        graphics.SetAmbient(g, g, g);
        graphics.SetDirectionalLight(0, g, g, g, NewStoneLightFactor * inlevel.loaded.mainlight.X,
                                     NewStoneLightFactor * inlevel.loaded.mainlight.Y,
                                     NewStoneLightFactor * inlevel.loaded.mainlight.Z);
    }
    const trollaxes& axes = StoneRollAxes[(direction >= 1 && direction <= 8) ? direction : 0];
    const float roll = Pi * walkphase / 30.0f;
    WorldOutput().DrawModel(models::Rock, column, height + LiftToCentre, row, axes.x * roll, 0.0f,
                            axes.z * roll, fade);
    if (fadingIn) {
        RestoreLevelLights(graphics);
    }
}

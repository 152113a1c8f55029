#include "creatures/monsterrules.h"

#include "creatures/creaturerules.h"
#include "render/object3d.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

#include <algorithm>

namespace {
constexpr int32_t LeftFootBone = 16;
constexpr int32_t RightFootBone = 20;
constexpr int32_t AttackKeyframes = 2; // the attack blends keyframes 4 and 5
constexpr int32_t FirstAttackKeyframe = 4;
constexpr int32_t AllBones = -1;

// Blends keyframes f and f + 1 (wrapping at `count`) by the fraction of `phase`.
struct tblend {
    int32_t from, to;
    float t;
};
tblend BlendOf(float phase, int32_t count) {
    const int32_t f = static_cast<int32_t>(phase);
    return {f, (f + 1) % count, phase - static_cast<float>(f)};
}
} // namespace

bool CrushedInCell(tcreature& c) {
    const ttile* cell = OwnCell(c);
    if (!cell) return false;
    if (cell->mechanism == mechanism::RisingWall) {
        c.Die(c.direction);
        return true;
    }
    if (cell->occupied >= mark::StoneBase) {
        c.Die(cell->occupied - mark::StoneBase);
        return true;
    }
    return false;
}

void TurnAwayIfBlessed(tcreature& c) {
    if (inlevel.BlessingTimer > 0) c.direction = Opposite(c.direction);
}

void StrikeIfClose(tcreature& c, const tmonsterkind& kind) {
    if (DistanceToHero(c) < kind.attackRange && hero.height >= LowestReachableHeight &&
        inlevel.InvisibilityTimer <= 0) {
        c.moving = false;
        c.attacking = true;
        if (c.attackphase == 0.0f) {
            WorldOutput().PlayEffect(sfx::Hit, EffectLevel());
            HurtHero(kind.strikeDamage);
        }
        c.attackphase += AttackPhaseStep;
        if (c.attackphase >= AttackCycle) c.attackphase = 0.0f;
    } else {
        c.attackphase = 0.0f;
    }
}

void StopAtUnwalkable(tcreature& c) {
    const tdirection& step = Direction(c.direction);
    if (c.PathBlocked(step.column * 3.0f, step.row * 3.0f)) c.moving = false;
}

void WalkStep(tcreature& c, const tmonsterkind& kind) {
    const tdirection& step = Direction(c.direction);
    if (!c.moving || !c.CellFree(step.column / kind.lookDivisor, step.row / kind.lookDivisor))
        return;
    c.walkphase += kind.walkPhaseStep;
    if (c.walkphase >= static_cast<float>(kind.walkKeyframes)) c.walkphase = 0.0f;
    c.StepToward(step.column / kind.columnDivisor, step.row / kind.rowDivisor);
}

void MarkOwnCell(const tcreature& c, int32_t mark) {
    if (ttile* cell = OwnCell(c)) cell->occupied = mark;
}

void SetWalkPose(const tcreature& c, const tmonsterkind& kind) {
    const tblend b = BlendOf(c.walkphase, kind.walkKeyframes);
    Models().SetPose(kind.drawnModel, 0, AllBones, b.t, b.from, b.to);
}

void SetAttackPose(const tcreature& c, const tmonsterkind& kind) {
    const tblend b = BlendOf(c.attackphase, AttackKeyframes);
    for (const tbonerun& run : kind.attackBones)
        if (run.first <= run.last)
            Models().SetPose(kind.drawnModel, run.first, run.last, b.t,
                             b.from + FirstAttackKeyframe, b.to + FirstAttackKeyframe);
}

float FootHeight(int32_t model) {
    return std::min(Models().BonePosition(model, LeftFootBone).y,
                    Models().BonePosition(model, RightFootBone).y);
}

void DrawTurned(const tcreature& c, int32_t model, float lift) {
    WorldOutput().DrawModel(model, c.column, -lift, c.row, 0.0f, TurnOf(c.direction), 0.0f, 1.0f);
}

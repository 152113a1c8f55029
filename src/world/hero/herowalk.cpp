#include "world/hero/herowalk.h"

#include "world/hero/herocommon.h"

#include <limits>

namespace {

struct tprobe {
    float column, row;
};

// Per direction: the front centre P1 and the two front corners P2 and P3, as offsets from
// the hero's centre. P2 - P3 points across the direction of travel.
struct tprobes {
    tprobe p1, p2, p3;
};
constexpr tprobes Probes[9] = {
    {{0, 0}, {0, 0}, {0, 0}},
    {{0, 0.23f}, {0.28f, 0.23f}, {-0.28f, 0.23f}},
    {{0.16f, 0.16f}, {-0.04f, 0.36f}, {0.36f, -0.04f}},
    {{0.23f, 0}, {0.23f, 0.28f}, {0.23f, -0.28f}},
    {{0.16f, -0.16f}, {0.36f, 0.04f}, {-0.04f, -0.36f}},
    {{0, -0.23f}, {0.28f, -0.23f}, {-0.28f, -0.23f}},
    {{-0.16f, -0.16f}, {-0.36f, 0.04f}, {0.04f, -0.36f}},
    {{-0.23f, 0}, {-0.23f, 0.28f}, {-0.23f, -0.28f}},
    {{-0.16f, 0.16f}, {-0.36f, -0.04f}, {0.04f, 0.36f}},
};

constexpr float EdgeDrop = 2.0f; // a fall deeper than this is refused
constexpr float StepUp = 0.15f;  // the highest step walked onto
constexpr int32_t WobbleFrames = 10;
constexpr float MinPosition = -0.5f; // CellOf of these is 0 and 49
constexpr float MaxPosition = 49.49f;

const ttile* Tile(float column, float row) {
    return TileAt(CellOf(column), CellOf(row));
}

bool Solid(float column, float row) {
    const ttile* tile = Tile(column, row);
    return !tile || tile->solid;
}

bool HoldsCreature(float column, float row) {
    const ttile* tile = Tile(column, row);
    return !tile || tile->occupied == mark::Creature;
}

bool Pit(float column, float row) {
    const ttile* tile = Tile(column, row);
    return !tile || tile->block == NoBlock;
}

// A deep pit for the edge test: no block, or a floor more than EdgeDrop below the hero.
float FloorOrAbyss(float column, float row) {
    const ttile* tile = Tile(column, row);
    return tile ? tile->floor : PitFloor;
}

float FloorOrWall(float column, float row) {
    const ttile* tile = Tile(column, row);
    return tile ? tile->floor : std::numeric_limits<float>::max();
}

// Can the hero take a step of (dc, dr)? The probes look two steps ahead, the step-up test
// four steps; a creature's mark only stops him at the P3 corner.
bool StepFree(const tprobes& probes, float dc, float dr) {
    const float c = hero.column, r = hero.row;
    for (const tprobe* p : {&probes.p1, &probes.p2, &probes.p3})
        if (Solid(c + p->column + 2 * dc, r + p->row + 2 * dr)) return false;
    if (inlevel.InvincibilityTimer <= 0 &&
        HoldsCreature(c + probes.p3.column + 2 * dc, r + probes.p3.row + 2 * dr))
        return false;
    return FloorOrWall(c + 4 * dc, r + 4 * dr) <= hero.height + StepUp;
}

// The sideways push of a straight move with one corner against a wall.
void CornerNudge(const tprobes& probes, const tdirection& s) {
    const float c = hero.column, r = hero.row;
    const bool p2Solid = Solid(c + probes.p2.column + 2 * s.column, r + probes.p2.row + 2 * s.row);
    const bool p3Solid = Solid(c + probes.p3.column + 2 * s.column, r + probes.p3.row + 2 * s.row);
    if (p2Solid == p3Solid) return;
    // D runs from P3 to P2; push away from the blocked corner.
    float dc = (probes.p2.column - probes.p3.column) / 10.0f;
    float dr = (probes.p2.row - probes.p3.row) / 10.0f;
    if (p2Solid) {
        dc = -dc;
        dr = -dr;
    }
    // A jumping hero over a pit is always pushed; otherwise the push never leads into one.
    const bool alwaysPush = hero.climb != 0.0f && HeroTile().block == NoBlock;
    if (alwaysPush || !Pit(c + dc, r + dr)) {
        hero.column += dc;
        hero.row += dr;
    }
}

bool StraightDirection(int32_t d) {
    return d % 2 == 1;
}

} // namespace

void StopAtEdge() {
    const int32_t d = inlevel.herostate.direction;
    if (d <= 0) return;
    const tdirection& s = Direction(d);
    const float aheadColumn = hero.column + 2 * s.column, aheadRow = hero.row + 2 * s.row;
    const bool dropAhead =
        Pit(aheadColumn, aheadRow) || hero.height - EdgeDrop > FloorOrAbyss(aheadColumn, aheadRow);
    if (dropAhead && hero.climb == 0.0f && !IsConveyor(HeroTile().block)) {
        inlevel.Facing = d;
        inlevel.herostate.direction = 0;
        if (!inlevel.herostate.atEdge) inlevel.herostate.EdgeWobble = WobbleFrames;
        inlevel.herostate.atEdge = true;
        return;
    }
    // Still facing the pit he stopped at (turning away for a moment): no new wobble yet.
    const tdirection& f = Direction(inlevel.Facing);
    const float faceColumn = hero.column + 2 * f.column, faceRow = hero.row + 2 * f.row;
    if (!(Pit(faceColumn, faceRow) && hero.height - EdgeDrop > FloorOrAbyss(faceColumn, faceRow)))
        inlevel.herostate.atEdge = false;
}

void WalkWithCollision() {
    const int32_t d = inlevel.herostate.direction;
    if (d <= 0) return;
    const tdirection& s = Direction(d);
    const tprobes& probes = Probes[d];

    if (inlevel.herostate.exitReached) {
        const ttile* ahead = Tile(hero.column + probes.p1.column + 2 * s.column,
                                  hero.row + probes.p1.row + 2 * s.row);
        if (!ahead || ahead->block != models::Exit) return;
    }

    if (StepFree(probes, s.column, s.row)) {
        const float speed = inlevel.SpeedTimer > 0 ? 2.0f : 1.0f;
        hero.column += s.column * speed;
        hero.row += s.row * speed;
        return;
    }
    if (StraightDirection(d)) {
        CornerNudge(probes, s);
        return;
    }
    // A diagonal against a wall slides along the free axis, never at the potion's speed.
    if (StepFree(probes, s.column, 0.0f))
        hero.column += s.column;
    else if (StepFree(probes, 0.0f, s.row))
        hero.row += s.row;
}

void ClampToGrid() {
    hero.column = std::clamp(hero.column, MinPosition, MaxPosition);
    hero.row = std::clamp(hero.row, MinPosition, MaxPosition);
    inlevel.herostate.cell = HeroCell();
}

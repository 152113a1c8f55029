#include "world/particles.h"

#include "engine/random.h"
#include "render/assetorder.h"
#include "world/level/levelloader.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

namespace {

// A cell that blocks a particle; outside the grid counts as "gone" for the caller.
enum class Cell { Open, Solid, Outside };

Cell Probe(float column, float row) {
    const ttile* cell = TileAt(CellOf(column), CellOf(row));
    if (!cell) return Cell::Outside;
    return cell->solid ? Cell::Solid : Cell::Open;
}

// One frame of one particle; false when it is gone.
bool MoveParticle(teffect& e) {
    float& column = e.position[0];
    float& height = e.position[1];
    float& row = e.position[2];
    const bool shell = e.model == models::Shell;

    e.velocity[1] -= 0.05f;

    // Walls: a shell bounces off, anything else ends there.
    switch (Probe(column + e.velocity[0], row)) {
    case Cell::Outside:
        return false;
    case Cell::Solid:
        if (!shell) return false;
        e.velocity[0] = -e.velocity[0];
        break;
    case Cell::Open:
        break;
    }
    switch (Probe(column, row + e.velocity[2])) {
    case Cell::Outside:
        return false;
    case Cell::Solid:
        if (!shell) return false;
        e.velocity[2] = -e.velocity[2];
        break;
    case Cell::Open:
        break;
    }

    column += e.velocity[0];
    row += e.velocity[2];
    if (Probe(column, row) != Cell::Open) return false;

    height += e.velocity[1];
    for (float& angle : e.angles) angle += 0.1f;

    if (tiles[CellOf(column)][CellOf(row)].floor > height) {
        if (shell) {
            int32_t sound = sfx::FirstShell + Random(2);
            WorldOutput().PlayEffect(sound, EffectLevel());
        }
        return false;
    }
    return true;
}

} // namespace

void UpdateEffects() {
    for (size_t i = effects.size(); i-- > 0;)
        if (!MoveParticle(effects[i])) RemoveEffect(i);
}

void UpdateBullets() {
    for (size_t i = bullets.size(); i-- > 0;) {
        tbullet& bullet = bullets[i];
        const int32_t c = CellOf(bullet.column), r = CellOf(bullet.row);
        ttile* cell = TileAt(c, r);
        if (!cell) {
            RemoveBullet(i);
            continue;
        }
        if (cell->block == BreakableWallBlock) {
            RemoveBullet(i);
            const int32_t debris = models::FirstWall + cell->design;
            for (int n = 0; n < 11; ++n) {
                float r1 = static_cast<float>(Random(61));
                float r2 = static_cast<float>(Random(41));
                float r3 = static_cast<float>(Random(61));
                tfloat3 velocity{(r1 - 30.0f) / 100.0f, r2 / 100.0f + 0.4f, (r3 - 30.0f) / 100.0f};
                SpawnEffect(debris, 2.0f, 0.5f, 0.1f, RandomAngles(), velocity,
                            {static_cast<float>(c), 0.0f, static_cast<float>(r)});
            }
            cell->block = models::FirstFloor;
            cell->design = FindFloorDesign(c, r, models::FirstFloor);
            cell->item = item::None;
            cell->solid = 0;
            AddScore(20);
            continue;
        }
        if (cell->solid) {
            RemoveBullet(i);
            continue;
        }
        const tdirection& step = Direction(bullet.direction);
        bullet.column += 1.5f * step.column;
        bullet.row += 1.5f * step.row;
    }
}

void DrawEffects() {
    for (const teffect& e : effects) {
        const ttile* cell = TileAt(CellOf(e.position[0]), CellOf(e.position[2]));
        if (!cell || cell->seen != SeenMark) continue;
        WorldOutput().DrawModel(e.model, e.position[0], e.position[1], e.position[2], e.angles[0],
                                e.angles[1], e.angles[2], e.scale);
    }
}

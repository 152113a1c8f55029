#include "creatures/creature.h"

#include "engine/random.h"
#include "render/assetorder.h"
#include "world/tables.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

#include <cmath>

namespace {
ttile* CellUnder(float column, float row) {
    return TileAt(CellOf(column), CellOf(row));
}
} // namespace

int32_t tcreature::CellColumn() const {
    return CellOf(column);
}
int32_t tcreature::CellRow() const {
    return CellOf(row);
}

bool tcreature::CellFree(float dc, float dr) const {
    const ttile* cell = CellUnder(column + dc, row + dr);
    return cell && cell->occupied == mark::Free;
}

bool tcreature::PathBlocked(float dc, float dr) {
    const ttile* own = CellUnder(column, row);
    if (own && own->seen == SeenMark) awake = true;
    if (!awake) return true;
    const ttile* target = CellUnder(column + dc, row + dr);
    if (!target) return true;
    if (target->block != models::FirstFloor) return true;
    return !(target->mechanism == mechanism::None || target->mechanism == mechanism::SwitchPlate ||
             target->mechanism == mechanism::SwitchRaisedWall);
}

namespace {
// One axis of StepToward: a step that would pass the hero stops on him.
float StepAxis(float position, float step, float target) {
    float next = position + step;
    if ((position < target && next > target) || (position > target && next < target)) return target;
    return next;
}
} // namespace

void tcreature::StepToward(float dc, float dr) {
    column = StepAxis(column, dc, hero.column);
    row = StepAxis(row, dr, hero.row);
}

void tcreature::FaceHero() {
    const float dx = column - hero.column;
    const float dy = row - hero.row;
    float a;
    if (dx == 0.0f && dy == 0.0f) {
        a = 0.0f;
    } else if (dy == 0.0f) {
        a = dx > 0.0f ? 90.0f : 270.0f;
    } else if (dx == 0.0f) {
        a = dy > 0.0f ? 0.0f : 180.0f;
    } else {
        const float t = std::atan(std::fabs(dx) / std::fabs(dy)) * 180.0f / Pi;
        if (dx > 0.0f)
            a = dy > 0.0f ? t : 180.0f - t;
        else
            a = dy < 0.0f ? 180.0f + t : 360.0f - t;
    }
    // Bearing sectors of 45 degrees centred on 0, 45, ...: the creature faces back along
    // its bearing, so a bearing of 0 (creature ahead of the hero on the row axis) is 5.
    constexpr int32_t BySector[8] = {5, 6, 7, 8, 1, 2, 3, 4};
    if (a < 22.5f || a >= 337.5f)
        direction = 5;
    else
        direction = BySector[static_cast<int>((a - 22.5f) / 45.0f) + 1];
}

void tcreature::SeekHero() {
    // Rows: hero column less, equal, greater; columns: hero row less, equal, greater.
    constexpr int32_t Toward[3][3] = {{6, 7, 8}, {5, 0, 1}, {4, 3, 2}};
    const int ci = hero.column < column ? 0 : (hero.column > column ? 2 : 1);
    const int ri = hero.row < row ? 0 : (hero.row > row ? 2 : 1);
    const int32_t d = Toward[ci][ri];
    if (d == 0) {
        moving = false;
        return;
    }
    // A monster held still (invisibility) still turns toward the hero.
    direction = d;
    if (!moving) return;
    const int32_t candidates[3] = {d, d == 1 ? 8 : d - 1, d == 8 ? 1 : d + 1};
    for (int32_t c : candidates) {
        const tdirection& step = Direction(c);
        if (CellFree(step.column / 3.5f, step.row / 3.5f) &&
            !PathBlocked(step.column * 3.0f, step.row * 3.0f)) {
            direction = c;
            return;
        }
    }
    direction = d;
}

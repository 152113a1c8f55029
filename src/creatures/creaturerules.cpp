#include "creatures/creaturerules.h"

#include "engine/random.h"
#include "world/worldoutput.h"

#include <cmath>

ttile* OwnCell(const tcreature& c) {
    return TileAt(CellOf(c.column), CellOf(c.row));
}

bool OnSeenCell(const tcreature& c) {
    const ttile* cell = OwnCell(c);
    return cell && cell->seen == SeenMark;
}

void MoveAlong(tcreature& c, float times, float over) {
    const tdirection& step = Direction(c.direction);
    c.column += step.column * times / over;
    c.row += step.row * times / over;
}

ttile* EnterCell(const tcreature& c) {
    ttile* cell = OwnCell(c);
    if (!cell) return nullptr;
    cell->occupied = mark::Free;
    return cell->solid ? nullptr : cell;
}

float PlaneDistance(float column1, float row1, float column2, float row2) {
    const float dc = column1 - column2;
    const float dr = row1 - row2;
    return std::sqrt(dc * dc + dr * dr);
}

float DistanceToHero(const tcreature& c) {
    return PlaneDistance(c.column, c.row, hero.column, hero.row);
}

float TurnOf(int32_t direction) {
    return static_cast<float>(direction - 5) * Pi / 4.0f;
}

float HitSoundVolume() {
    return (static_cast<float>(Random(51)) + 0.5f) * EffectLevel();
}

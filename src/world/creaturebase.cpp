#include "world/creaturebase.h"

#include "engine/random.h"
#include "render/assetorder.h"
#include "world/tables.h"
#include "world/worldops.h"
#include "world/worldoutput.h"

#include <cmath>

// The operations every creature shares live here, with the class's virtual table, so the
// world holds everything its list of creatures needs; the kinds and their movement live
// with the creatures.

namespace {
ttile* CellUnder(float column, float row) {
    return TileAt(CellOf(column), CellOf(row));
}
} // namespace

tcreature::tcreature(int32_t direction_, float column_, float row_)
    : column(column_), row(row_), direction(direction_) {
    if (ttile* cell = CellUnder(column, row)) cell->occupied = mark::Creature;
}

bool tcreature::Update() {
    return true;
}

void tcreature::Draw(TDGraphics&) {}

void tcreature::Die(int32_t k) {
    WorldOutput().PlayEffect(Random(2) == 0 ? sfx::Argh1 : sfx::Argh2, EffectLevel());
    if (ttile* cell = CellUnder(column, row)) cell->occupied = mark::Free;
    AddScore(100);
    inlevel.MonstersKilled += 1;

    const float s = static_cast<float>(Random(21)) / 500.0f + 0.2f;
    const float base = Direction(k < 0 ? inlevel.Facing : k).degrees;
    const float phi1 = Radians(static_cast<float>(Random(41)) + base - 20.0f);
    const float phi2 = Radians(static_cast<float>(Random(41)) + base - 20.0f);
    const float up = static_cast<float>(Random(31)) / 100.0f + 0.3f;
    tfloat3 velocity{std::cos(phi1) * s, up, std::sin(phi2) * s};
    SpawnEffect(model, 0.3f, 1.0f, 1.0f, RandomAngles(), velocity, {column, 0.0f, row});
}

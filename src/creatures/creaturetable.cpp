#include "creatures/creaturetable.h"

#include "creatures/creature.h"
#include "creatures/monsters.h"
#include "creatures/projectiles.h"
#include "render/assetorder.h"

namespace {

template <typename Kind>
std::unique_ptr<tcreature> Make(int32_t direction, float column, float row) {
    return std::make_unique<Kind>(direction, column, row);
}

// Monsters and blobs always start facing 1; only the traps' shots are given a direction.
template <typename Kind>
std::unique_ptr<tcreature> MakeFacingOne(int32_t, float column, float row) {
    return std::make_unique<Kind>(column, row);
}

// The models are the ones the game loop and the kill-all potion tell the kinds by; a blob
// has no model of its own.
constexpr tcreaturekind Table[] = {
    {"zombie", 0, models::Zombie2, true, MakeFacingOne<tzombie>},
    {"warrior", 1, models::WarriorDead, true, MakeFacingOne<twarrior>},
    {"ghost", 2, models::Ghost2, true, MakeFacingOne<tghost>},
    {"blob", 5, 0, false, MakeFacingOne<tblob>},
    {"stone", NoFileCode, models::Rock2, false, Make<tstone>},
    {"arrow", NoFileCode, models::Arrow2, false, Make<tarrow>},
};

} // namespace

std::span<const tcreaturekind> CreatureTable() {
    return Table;
}

void UseCreatureTable() {
    UseCreatureKinds(Table);
}

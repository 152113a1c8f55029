#include "world/creaturekinds.h"

#include "world/creaturebase.h"
#include "world/tables.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::span<const tcreaturekind> table;

[[noreturn]] void Stop(const char* why, std::string_view name) {
    std::fprintf(stderr, "creature table: %s%.*s\n", why, static_cast<int>(name.size()),
                 name.data());
    std::abort();
}
} // namespace

void UseCreatureKinds(std::span<const tcreaturekind> kinds) {
    table = kinds;
}

std::span<const tcreaturekind> CreatureKinds() {
    return table;
}

const tcreaturekind* CreatureKindOfFileCode(int32_t code) {
    if (code == NoFileCode) return nullptr;
    if (table.empty()) Stop("none was handed to the world (UseCreatureTable at start)", "");
    for (const tcreaturekind& kind : table)
        if (kind.filecode == code) return &kind;
    return nullptr;
}

const tcreaturekind& CreatureKindNamed(std::string_view name) {
    if (table.empty()) Stop("none was handed to the world (UseCreatureTable at start)", "");
    for (const tcreaturekind& kind : table)
        if (name == kind.name) return kind;
    Stop("no kind named ", name);
}

tcreature& SpawnCreature(const tcreaturekind& kind, int32_t direction, int32_t row,
                         int32_t column) {
    auto creature = kind.make(direction, static_cast<float>(column), static_cast<float>(row));
    creature->model = kind.model;
    creature->kind = &kind;
    tcreature& added = *creature;
    creatures.push_back(std::move(creature));
    return added;
}

const char* KindOf(const tcreature& creature) {
    return creature.kind ? creature.kind->name : "other";
}

bool IsMonsterModel(int32_t model) {
    for (const tcreaturekind& kind : table)
        if (kind.monster && kind.model == model) return true;
    return false;
}

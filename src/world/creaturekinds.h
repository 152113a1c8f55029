#pragma once
// The kinds of creature the world can make. The table itself belongs to the creatures
// (creatures/creaturetable.h), which hand it over at start: the game's start-up, the tools
// and the tests call UseCreatureTable() before a level is loaded. The loader places kinds
// by their file code, the traps fire theirs by name, the kill-all potion knows the monsters
// by their model and the tools name every creature by its kind.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

class tcreature;

struct tcreaturekind {
    const char* name; // the tools' and the editor's word: "zombie", "arrow", ...
    int32_t filecode; // M of a map cell that places one; NoFileCode for the traps' shots
    // Set on every new one: the debris thrown at its death, and how the game loop tells
    // the kinds apart.
    int32_t model;
    bool monster; // the kill-all potion takes it
    std::unique_ptr<tcreature> (*make)(int32_t direction, float column, float row);
};
inline constexpr int32_t NoFileCode = -1;

// The table the world makes creatures from, handed over once at start.
void UseCreatureKinds(std::span<const tcreaturekind> kinds);
std::span<const tcreaturekind> CreatureKinds();

// The kind a map cell's M places, or nullptr: any other code places nobody.
const tcreaturekind* CreatureKindOfFileCode(int32_t code);
// The kind of that name; a name the table lacks stops the program, as a table left
// unregistered does: both are mistakes of the build, not of a level.
const tcreaturekind& CreatureKindNamed(std::string_view name);

// Appends a new creature of that kind at the cell (row before column, as the Add operations
// take them) with its model set; the new creature marks its cell.
tcreature& SpawnCreature(const tcreaturekind& kind, int32_t direction, int32_t row, int32_t column);

// The name of the kind a creature was made as; "other" for one made by hand.
const char* KindOf(const tcreature& creature);
// Is the model that of a monster's kind (a zombie, warrior or ghost in the table)?
bool IsMonsterModel(int32_t model);

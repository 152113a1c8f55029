#pragma once
// What each value of a map cell means: the tile types (E) with what their cell is made of and
// how the hero can use it, and the items (I). The loader, the level kit, the completability
// check and the editor all read these tables; nothing else lists tile types.
#include <cstdint>

// Moving-tile states of a cell (the world's `mechanism` field).
namespace mechanism {
inline constexpr int32_t None = 0;
inline constexpr int32_t LoweringWall = 1;
inline constexpr int32_t RisingWall = 2;
inline constexpr int32_t SpikesHidden = 3;
inline constexpr int32_t SpikesSprung = 4;
inline constexpr int32_t CrumblingFloor = 5;
inline constexpr int32_t TimedRockTrap = 6;
inline constexpr int32_t TimedArrowTrap = 7;
inline constexpr int32_t SwitchRockTrap = 8;
inline constexpr int32_t SwitchArrowTrap = 9;
inline constexpr int32_t ClosingPit = 10;
inline constexpr int32_t SwitchPlate = 11;
inline constexpr int32_t SwitchRaisedWall = 12;
inline constexpr int32_t SwitchLoweredWall = 13;
} // namespace mechanism

// Item codes of a cell (the world's `item` field); the file numbers them differently.
namespace item {
inline constexpr int32_t None = 0;
inline constexpr int32_t Treasure = 1;
inline constexpr int32_t Health = 2;
inline constexpr int32_t Life = 3;
inline constexpr int32_t Speed = 4;
inline constexpr int32_t Blessing = 5;
inline constexpr int32_t Invincibility = 6;
inline constexpr int32_t Invisibility = 7;
inline constexpr int32_t KillAll = 8;
inline constexpr int32_t FirstDecoration = 9; // 9..15
inline constexpr int32_t LastDecoration = 15;
inline constexpr int32_t Treasure2 = 16;
inline constexpr int32_t Treasure3 = 17;
} // namespace item

// The block family that stands on a cell; the world turns it into a model number.
enum class tfamily : uint8_t {
    None, // nothing: the hero falls
    Floor,
    Wall,
    Breakable, // a wall one bullet destroys
    ArrowTrap,
    RockTrap,
    Conveyor, // the cell's O is its direction
    Teleport,
    Pillar,
    Exit,
};

struct ttiletype {
    int32_t code;     // E in the file
    const char* name; // the editor's word for it
    char mapchar;     // the source form's map character (a conveyor's is its direction's)
    tfamily family;
    bool solid;        // blocks walking, bullets and particles
    bool pit;          // floor height -50
    int32_t mechanism; // the moving-tile state it starts in
};

inline constexpr ttiletype TileTypes[] = {
    {0, "pit", '~', tfamily::None, false, true, mechanism::None},
    {1, "floor", '.', tfamily::Floor, false, false, mechanism::None},
    {2, "wall", '#', tfamily::Wall, true, false, mechanism::None},
    {3, "spikes", '*', tfamily::Floor, false, false, mechanism::SpikesHidden},
    {4, "plate", 'o', tfamily::Floor, false, false, mechanism::SwitchPlate},
    {5, "lowering-wall", 'D', tfamily::Wall, true, false, mechanism::SwitchLoweredWall},
    {6, "raising-wall", 'd', tfamily::Floor, false, false, mechanism::SwitchRaisedWall},
    {7, "breakable-wall", '%', tfamily::Breakable, true, false, mechanism::None},
    {8, "crumbling-floor", ',', tfamily::Floor, false, false, mechanism::CrumblingFloor},
    {9, "closing-pit", 'u', tfamily::None, false, true, mechanism::ClosingPit},
    {10, "arrow-trap", 'a', tfamily::ArrowTrap, true, false, mechanism::SwitchArrowTrap},
    {11, "rock-trap", 'r', tfamily::RockTrap, true, false, mechanism::SwitchRockTrap},
    {12, "timed-rock-trap", 'R', tfamily::RockTrap, true, false, mechanism::TimedRockTrap},
    {13, "timed-arrow-trap", 'A', tfamily::ArrowTrap, true, false, mechanism::TimedArrowTrap},
    {14, "conveyor", '>', tfamily::Conveyor, false, false, mechanism::None},
    {15, "teleport", 'T', tfamily::Teleport, false, false, mechanism::None},
    {16, "pillar", 'I', tfamily::Pillar, true, false, mechanism::None},
    {17, "exit", 'X', tfamily::Exit, false, false, mechanism::None},
};
inline constexpr int32_t TileTypeCount = sizeof TileTypes / sizeof TileTypes[0];

// The row of a tile type, or nullptr for a code no row has (such a cell gets nothing: no
// block at floor height 0).
constexpr const ttiletype* TileTypeOf(int32_t code) {
    return code >= 0 && code < TileTypeCount ? &TileTypes[code] : nullptr;
}

// What the hero's moves make of a cell, read from its row.
// A switch plate of the cell's link flips it between wall and floor.
constexpr bool PlateFlips(const ttiletype& t) {
    return t.mechanism == mechanism::SwitchLoweredWall ||
           t.mechanism == mechanism::SwitchRaisedWall;
}
// A switch plate of the cell's link sets it off: the walls above and the traps it fires.
constexpr bool PlateDriven(const ttiletype& t) {
    return PlateFlips(t) || t.mechanism == mechanism::SwitchArrowTrap ||
           t.mechanism == mechanism::SwitchRockTrap;
}
constexpr bool IsPlate(const ttiletype& t) {
    return t.mechanism == mechanism::SwitchPlate;
}
// Gone once the hero has stood on it and left.
constexpr bool Crumbles(const ttiletype& t) {
    return t.mechanism == mechanism::CrumblingFloor;
}
// A pit that becomes floor once the hero has passed over it.
constexpr bool Closes(const ttiletype& t) {
    return t.mechanism == mechanism::ClosingPit;
}
constexpr bool HurtsUnderfoot(const ttiletype& t) {
    return t.mechanism == mechanism::SpikesHidden;
}
// Something to stand on when it is not solid: a block with a floor.
constexpr bool HasFloor(const ttiletype& t) {
    return t.family != tfamily::None && !t.pit;
}

// The items a cell may carry, by the file's numbering (I).
struct titemtype {
    int32_t code;     // I in the file
    const char* name; // the source form's and the editor's word
    int32_t item;     // the world's item code
};

inline constexpr titemtype FileItems[] = {
    {0, "invincibility", item::Invincibility},
    {1, "blessing", item::Blessing},
    {2, "health", item::Health},
    {3, "invisibility", item::Invisibility},
    {4, "killall", item::KillAll},
    {5, "life", item::Life},
    {6, "speed", item::Speed},
    {7, "treasure", item::Treasure},
    {8, "treasure2", item::Treasure2},
    {9, "treasure3", item::Treasure3},
    {10, "deco1", 9},
    {11, "deco2", 10},
    {12, "deco3", 11},
    {13, "deco4", 12},
    {14, "deco5", 13},
    {15, "deco6", 14},
    {16, "deco7", 15},
};
inline constexpr int32_t FileItemCount = sizeof FileItems / sizeof FileItems[0];

// The world's item for the file's I; anything outside the table is no item.
constexpr int32_t ItemFromFile(int32_t i) {
    return (i >= 0 && i < FileItemCount) ? FileItems[i].item : item::None;
}

// Both tables are indexed by their codes.
constexpr bool CodesAreIndices() {
    for (int32_t k = 0; k < TileTypeCount; ++k)
        if (TileTypes[k].code != k) return false;
    for (int32_t k = 0; k < FileItemCount; ++k)
        if (FileItems[k].code != k) return false;
    return true;
}
static_assert(CodesAreIndices());

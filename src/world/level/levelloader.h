#pragma once
// Turning a parsed level document into the world tables: the grid, the creatures, the
// hero's start, the two lights, the author's name and the level's music.
#include "engine/xmlparser.h"
#include "world/tables.h"

#include <cstdint>
#include <memory>
#include <string>

struct tmainlight {
    int32_t R = 255, G = 255, B = 255;
    float X = 0.0f, Y = -1.0f, Z = 0.0f; // unit direction the light shines along
    float I = 1.0f;                      // intensity, the file's percent / 100
};

struct tfilllight {
    int32_t R = 0, G = 0, B = 0;
    float I = 0.0f;
};

// Outputs of the last level loaded.
extern std::string creatorname;
extern tmainlight mainlight;
extern tfilllight filllight;
// The level's Mu text as the file gives it (what music was asked for, played or not).
extern std::string levelmusic;

// Creature codes of a map cell (M).
namespace creaturecode {
inline constexpr int32_t Zombie = 0;
inline constexpr int32_t Warrior = 1;
inline constexpr int32_t Ghost = 2;
inline constexpr int32_t Blob = 5;
} // namespace creaturecode

// The file numbers items differently from the tile's item code: I 0..16 in the file.
inline constexpr int32_t FileItemToItem[17] = {item::Invincibility,
                                               item::Blessing,
                                               item::Health,
                                               item::Invisibility,
                                               item::KillAll,
                                               item::Life,
                                               item::Speed,
                                               item::Treasure,
                                               item::Treasure2,
                                               item::Treasure3,
                                               9,
                                               10,
                                               11,
                                               12,
                                               13,
                                               14,
                                               15};

// The tile's item for the file's I; anything outside 0..16 is no item.
constexpr int32_t ItemFromFile(int32_t i) {
    return (i >= 0 && i <= 16) ? FileItemToItem[i] : item::None;
}

// Fills the world from a level document (the caller has run ClearWorld). A level that is
// refused (Id and Ag differ, an element missing, fewer than 2500 map cells, a number that
// does not convert or lies out of range) changes nothing and answers false, with the
// reason in *whyRefused when given.
bool LoadLevel(const tnode& root, std::string* whyRefused = nullptr);

// The design of the nearest cell around (column, row) whose block is `key`, searched in
// square rings of growing distance; 0 when there is none.
int32_t FindFloorDesign(int32_t column, int32_t row, int32_t key);

// Is the Mu text a plain file name inside "snd\"? A path separator or ".." would let a
// level open any file on the machine as music.
bool SafeMusicName(const std::string& name);

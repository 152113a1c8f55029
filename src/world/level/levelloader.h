#pragma once
// Turning a parsed level document into the world tables: the grid, the creatures, the
// hero's start, the two lights, the author's name and the level's music.
#include "engine/xmlparser.h"
#include "level/levelform.h"
#include "world/tables.h"

#include <cstdint>
#include <memory>
#include <string>

// Fills the world from a level document (the caller has run ClearWorld): the document is
// read into a level form (ReadLevelForm), then the world is filled from that. A level that
// is refused (Id and Ag differ, an element missing, fewer than 2500 map cells, a number that
// does not convert or lies out of range) changes nothing and answers false, with the
// reason in *whyRefused when given.
bool LoadLevel(const tnode& root, std::string* whyRefused = nullptr);

// Fills the world from a level already read (the caller has run ClearWorld): the grid, the
// creatures, the hero's start, the lights, the author's name and the music.
void FillWorld(const tlevelform& form);

// The design of the nearest cell around (column, row) whose block is `key`, searched in
// square rings of growing distance; 0 when there is none.
int32_t FindFloorDesign(int32_t column, int32_t row, int32_t key);

// Is the Mu text a plain file name inside "snd\"? A path separator or ".." would let a
// level open any file on the machine as music.
bool SafeMusicName(const std::string& name);

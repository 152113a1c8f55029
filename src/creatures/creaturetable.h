#pragma once
// Every kind of creature: the word the tools use, the code a level file places it by, the
// model it is known by and how one is made. Adding a monster is its class in this folder
// and a row here.
#include "world/creaturekinds.h"

#include <span>

std::span<const tcreaturekind> CreatureTable();

// Hands the table to the world; the game's start-up, the tools and the tests call it once
// before any level is loaded.
void UseCreatureTable();

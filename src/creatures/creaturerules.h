#pragma once
// Small rules shared by the monsters and the traps' projectiles: the cell a creature stands
// on, distances in the column-row plane, the turn of a model toward its direction and the
// loudness of something striking flesh.
#include "creatures/creature.h"
#include "world/tables.h"

#include <cstdint>

// The cell under the creature, or nullptr outside the grid.
ttile* OwnCell(const tcreature& c);
// Is the creature's cell inside the grid and seen? Nothing is drawn over unseen cells.
bool OnSeenCell(const tcreature& c);
// Moves the creature along its direction by its walking step x times / over.
void MoveAlong(tcreature& c, float times, float over = 1.0f);
// The cell an arrow or stone has moved into, with any creature mark wiped from it; nullptr
// when it has left the grid or met a solid cell, and must end.
ttile* EnterCell(const tcreature& c);
// Distance in the column-row plane; height plays no part.
float PlaneDistance(float column1, float row1, float column2, float row2);
float DistanceToHero(const tcreature& c);
// A model faces its direction d when turned about the vertical axis by (d - 5) x pi / 4.
float TurnOf(int32_t direction);
// A bullet or an arrow striking: random(51) + 0.5 times the effect volume. Mostly above 1;
// what that means is the sound layer's business.
float HitSoundVolume();

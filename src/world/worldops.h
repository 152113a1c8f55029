#pragma once
// The small shared operations on the world tables: score, reload, hurting the hero,
// particles, list removal, creature spawning, trap shots and the vision mark.
#include "world/tables.h"

#include <cstdint>

// The one way to award points: halved (toward zero) in guide mode.
void AddScore(int32_t points);
// Refills the gun's magazine from its spare rounds.
void Reload(int32_t gun);
// Takes amount div 2 .. amount energy and sprays blood by the damage.
void HurtHero(int32_t amount);
// The blood spray of a hit taking `damage` energy: damage div 2 drops.
void SprayBlood(int32_t drops);

// Appends a particle with a scale drawn between minScale and maxScale. When the list
// cannot grow the particle is simply not added.
void SpawnEffect(int32_t model, float sizeFactor, float maxScale, float minScale,
                 const tfloat3& angles, const tfloat3& velocity, const tfloat3& position);
// Three random angles, random(360) degrees each, in radians.
tfloat3 RandomAngles();

// Delete entry i of particles, bullets or creatures, keeping the order of the rest; an index
// outside the list does nothing.
void RemoveEffect(size_t i);
void RemoveBullet(size_t i);
void RemoveCreature(size_t i);

// Creature spawning (row before column, as the callers pass them). Each new creature marks
// its cell occupied.
void AddZombie(int32_t row, int32_t column);
void AddWarrior(int32_t row, int32_t column);
void AddGhost(int32_t row, int32_t column);
void AddBlob(int32_t row, int32_t column);
void AddStone(int32_t direction, int32_t row, int32_t column);
void AddArrow(int32_t direction, int32_t row, int32_t column);

// A trap shoots into each of its four neighbours that is inside the grid and not solid.
void FireStones(int32_t column, int32_t row);
void FireArrows(int32_t column, int32_t row);

// The vision sweep's mark: false outside the grid; else marks the cell seen and answers
// whether the view goes on past it (the cell is not solid).
bool MarkSeen(int32_t column, int32_t row);

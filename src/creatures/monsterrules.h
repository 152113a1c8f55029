#pragma once
// The pieces of a monster's update and drawing that zombies, warriors and ghosts share,
// each driven by the monster's kind table (monsters.h).
#include "creatures/monsters.h"

// The strike cycle of zombies and warriors: attackphase runs 0 .. 2 in steps of 0.1 and
// the blow lands when it is 0, once every 20 frames.
inline constexpr float AttackPhaseStep = 0.1f;
inline constexpr float AttackCycle = 2.0f;
// Bullets this close to a zombie or warrior reach it.
inline constexpr float BulletReach = 0.8f;
// Below this height the hero is falling into a pit and out of reach.
inline constexpr float LowestReachableHeight = -0.5f;

// A zombie or warrior standing on a rising wall, or in the path of a rolling stone, dies:
// its debris flies along its own direction or the stone's. True when it died.
bool CrushedInCell(tcreature& c);
// Blessing turns zombies and warriors to walk straight away from the hero.
void TurnAwayIfBlessed(tcreature& c);
// The close-range strike of a zombie or warrior: while the hero stands in range it stops,
// and the blow lands at the start of each cycle.
void StrikeIfClose(tcreature& c, const tmonsterkind& kind);
// A zombie or warrior does not step onto a cell it may not walk on.
void StopAtUnwalkable(tcreature& c);
// One walking step in the creature's direction, unless it has stopped or another creature
// stands just ahead.
void WalkStep(tcreature& c, const tmonsterkind& kind);
// Writes the kind's mark on the creature's cell.
void MarkOwnCell(const tcreature& c, int32_t mark);

// Drawing: the walk pose on all bones, the attack pose on the kind's attack bones, and the
// model drawn with its lowest point at height 0.
void SetWalkPose(const tcreature& c, const tmonsterkind& kind);
void SetAttackPose(const tcreature& c, const tmonsterkind& kind);
// The lower of the two feet (bones 16 and 20) as the model's last draw placed them.
float FootHeight(int32_t model);
// The model at (column, -lift, row), turned toward the creature's direction.
void DrawTurned(const tcreature& c, int32_t model, float lift);

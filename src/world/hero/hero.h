#pragma once
// The hero's share of one frame of the game loop, in the frame's order:
//   HeroStep(input)   frame step 4: spikes and jump recharge, jump, gravity and landing,
//                     direction from the controls, the stop at an edge, poses, walking with
//                     collision, the clamp to the grid.
//   HeroCellEffects() frame step 5: closing pit, crumbling floor, exit, conveyor, switch
//                     plate, teleport on the cell he is on after walking.
//   HeroTakeFacing()  frame step 7: Facing follows this frame's direction.
//   PickUps()         frame step 8: the item on his cell (heropickups.h).
// What the step keeps from frame to frame is inlevel.herostate (world/tables.h), cleared by
// ResetLevelEntry and ResetAttempt.
#include "engine/dinput.h"
#include "world/hero/heropickups.h"
#include "world/tables.h"

void HeroStep(const TDInput& input);
void HeroCellEffects();
void HeroTakeFacing();

// For drawing the hero (guns and hero drawing): the teleport scale the hero and his gun are
// drawn at, and whether he glows this frame.
float HeroTeleportScale();
bool HeroGlowing();

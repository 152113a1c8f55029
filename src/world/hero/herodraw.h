#pragma once
// Drawing the hero (drawing step 12 of the game loop, after the creatures): his model on
// his feet, turned to Facing and scaled by the teleport, the guide marker on his cell in
// guide mode, and the gun in his hand on bone 7. Potions show on all three: invisibility
// makes them see-through, invincibility tints them red, blessing blue, both magenta; the
// teleport makes the hero and his gun glow.
#include "engine/dgraphics.h"
#include "platform/gpu/types.h"

#include <cstdint>

// The colour the hero is tinted toward, with the strength of the tint as its alpha (a
// quarter of the way); 0 when no tinting potion runs.
gpu::Argb HeroTint(int32_t invincibilityTimer, int32_t blessingTimer);

void DrawHero(TDGraphics& graphics);
// The ghost of the kept best run where his path has him now: the hero's model, see-through,
// without gun or guide marker. Nothing when there is no ghost or his run is over.
void DrawGhostHero(TDGraphics& graphics);

// The hand bone the gun hangs on, and the bones whose lower one is the hero's foot.
inline constexpr int32_t HandBone = 7;
inline constexpr int32_t LeftFootBone = 16;
inline constexpr int32_t RightFootBone = 20;

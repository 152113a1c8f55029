#pragma once
// The hero's guns inside the frame of the game loop, in the order the loop calls them:
//
//   (ResetLevelEntry)           once when a level is entered: the change-gun latch is
//                               released and the shell ejection starts at rest
//                               (inlevel.gunstate, world/tables.h).
//   ChangeGun(input)            frame step 10: the change key cycles to the next owned gun.
//   FireGun(input)              frame step 11: the muzzle position of this frame, then a shot
//                               when fire is held, the gun is ready and the magazine is not
//                               empty (bullet, shell, sound, muzzle light).
//   RecoilAndCooldown()         frame step 13: the recoil pose of the hero's arms and the
//                               current gun's cooldown.
//
//   DrawBullets()               drawing step 4: every bullet in flight.
//   DrawMuzzleLight(graphics)   drawing step 5: point light 1 at the muzzle while a shot's
//                               light fades (halved every drawn frame).
//   ReloadCountdown()           drawing step 6: an emptied magazine refills after 60 drawn
//                               frames, so the reload pauses while frames are skipped.
//   DrawMuzzleFlash(graphics)   drawing step 7: the flame at the muzzle in the frame of a shot.
//
// A step drawn in several pictures (the picture drawn between steps) changes the game once:
// TakeMuzzleLight and EjectNextShell are the parts of steps 5 and 7 that do, SetMuzzleLight
// and DrawMuzzleFlame the parts every picture draws.
#include "engine/dgraphics.h"
#include "engine/dinput.h"
#include "world/tables.h"

#include <cstdint>

void ChangeGun(const TDInput& input);
void FireGun(const TDInput& input);
void RecoilAndCooldown();

void DrawBullets();
void DrawMuzzleLight(TDGraphics& graphics);
void ReloadCountdown();
void DrawMuzzleFlash(TDGraphics& graphics);

// The muzzle light's range in tenths for this step's pictures; the light then fades by half.
int32_t TakeMuzzleLight();
void SetMuzzleLight(TDGraphics& graphics, int32_t tenths);
// In the step of a shot: the sideways speed of the next shell.
void EjectNextShell();
void DrawMuzzleFlame(TDGraphics& graphics);

// The reload frames of an emptied magazine.
inline constexpr int32_t ReloadFrames = 60;

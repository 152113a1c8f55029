#include "world/hero/hero.h"

#include "world/hero/herocells.h"
#include "world/hero/herocommon.h"
#include "world/hero/herocontrols.h"
#include "world/hero/herojump.h"
#include "world/hero/heroposes.h"
#include "world/hero/herowalk.h"

void HeroStep(const TDInput& input) {
    inlevel.herostate.cell = HeroCell();
    SpikesAndRecharge();
    Jump(JumpHeld(input));
    GravityAndLanding();
    inlevel.herostate.direction = DirectionFromControls(input);
    StopAtEdge();
    AnimatePoses();
    WalkWithCollision();
    ClampToGrid();
}

void HeroCellEffects() {
    CellEffects();
}

void HeroTakeFacing() {
    if (inlevel.herostate.direction >= 1 && inlevel.herostate.direction <= 8)
        inlevel.Facing = inlevel.herostate.direction;
}

float HeroTeleportScale() {
    return inlevel.herostate.teleportScale;
}

bool HeroGlowing() {
    return inlevel.herostate.glowing;
}

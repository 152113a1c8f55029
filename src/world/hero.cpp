#include "world/hero.h"

#include "world/herocells.h"
#include "world/herocommon.h"
#include "world/herocontrols.h"
#include "world/herojump.h"
#include "world/heroposes.h"
#include "world/herowalk.h"

void HeroStep(const TDInput& input) {
    herostate.cell = HeroCell();
    SpikesAndRecharge();
    Jump(JumpHeld(input));
    GravityAndLanding();
    herostate.direction = DirectionFromControls(input);
    StopAtEdge();
    AnimatePoses();
    WalkWithCollision();
    ClampToGrid();
}

void HeroCellEffects() {
    CellEffects();
}

void HeroTakeFacing() {
    if (herostate.direction >= 1 && herostate.direction <= 8) Facing = herostate.direction;
}

float HeroTeleportScale() {
    return herostate.teleportScale;
}

bool HeroGlowing() {
    return herostate.glowing;
}

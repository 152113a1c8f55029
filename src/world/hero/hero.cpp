#include "world/hero/hero.h"

#include "world/hero/herocells.h"
#include "world/hero/herocommon.h"
#include "world/hero/herocontrols.h"
#include "world/hero/herojump.h"
#include "world/hero/heroposes.h"
#include "world/hero/herowalk.h"

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
    if (herostate.direction >= 1 && herostate.direction <= 8) inlevel.Facing = herostate.direction;
}

float HeroTeleportScale() {
    return herostate.teleportScale;
}

bool HeroGlowing() {
    return herostate.glowing;
}

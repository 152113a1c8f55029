#include "world/hero/herostate.h"

therostate herostate;

void HeroEnterLevel() {
    herostate.lastStanding = {};
    herostate.walkPhase = 0.0f;
    herostate.atEdge = false;
    herostate.EdgeWobble = 0;
}

void HeroStartAttempt() {
    herostate.teleportScale = 1.0f;
    // A hero who died on a teleport target starts the new world free to be carried again.
    herostate.teleported = false;
    herostate.glowing = false;
    herostate.poseBlend = 0.0f;
    herostate.poseSnapshot = -1;
    herostate.exitReached = false;
    herostate.direction = 0;
}

#pragma once
// What the hero step keeps from frame to frame besides his body (`hero`), `Facing`, the
// potion timers and the player record. One record, so the resets of a level and of an
// attempt can be seen in one place.
#include <cstdint>

struct tcellindex {
    int32_t column = 0;
    int32_t row = 0;
    bool operator==(const tcellindex&) const = default;
};

struct therostate {
    int32_t direction = 0;     // this frame's walking direction 0..8 (0 = none)
    tcellindex cell;           // the cell at the start of the frame; recomputed after walking
    tcellindex lastStanding;   // only a change of it can set off spikes
    float walkPhase = 0.0f;    // 0 <= phase < 4 in the four-pose walk cycle
    float poseBlend = 0.0f;    // progress from the snapshot toward the standing pose
    int32_t poseSnapshot = -1; // the model's spare pose holding the snapshot; -1 none yet
    bool atEdge = false;       // stopped at an edge: the wobble is not started again
    int32_t EdgeWobble = 0;    // frames left of the balance gesture
    float teleportScale = 1.0f;
    bool teleported = false;  // the jump has been made; cleared off the teleport cell
    bool glowing = false;     // drawn in the teleport glow this frame
    bool exitReached = false; // from now on only exit cells may be walked onto
};

extern therostate herostate;

// When a level is entered (once per call of the game loop): the values that live across
// attempts start from nothing.
void HeroEnterLevel();
// At the start of every attempt: teleport scale, pose blend and snapshot, the exit flag.
void HeroStartAttempt();

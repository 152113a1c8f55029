#pragma once
// The world tables of the level being played: the tile grid, the hero's body, the creature,
// particle and bullet lists, and the state of the level in play (inlevel) with everything a
// level carries besides them: the hero step's, the guns' and the loop's state, what the
// loader read from the file and the start picture's slide. They are defined together in
// tables.cpp, the one place that also knows how to reset them.
#include "level/levelform.h"
#include "level/tiletypes.h"
#include "world/directions.h"
#include "world/heroplace.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class tcreature;
class tnode;

// One cell of the grid: fourteen 4-byte fields in this order.
struct ttile {
    int32_t channel = 0;     // link number: teleport pairs, switch plate and what it sets off
    int32_t param = 0;       // conveyor direction 0..3, closing-pit mark, timed-trap counter
    float floor = 0.0f;      // floor height; -50 for a pit
    int32_t block = 0;       // model number of what stands here; -1 nothing (a pit)
    int32_t seen = 0;        // SeenMark once the hero has seen the cell
    int32_t solid = 0;       // 1 blocks walking, bullets and particles
    int32_t mechanism = 0;   // moving-tile state, see the Mechanism numbers
    float anim = 0.0f;       // spike height; tilt of a crumbling floor
    float fallspeed = 0.0f;  // falling speed of a crumbling floor (negative is down)
    int32_t item = 0;        // item lying here, see the Item codes
    int32_t period = 100;    // frames between shots of a timed trap
    int32_t design = 0;      // added to block to pick the member of its family
    int32_t floordesign = 0; // design of the floor drawn under a trap or pillar
    int32_t occupied = 0;    // creature mark: 0 free, 1 creature, 2 ghost, 99 + d stone

    bool operator==(const ttile&) const = default;
};

inline constexpr int32_t NoBlock = -1;
// A breakable wall has no model of its own. 0 is the hero's model number, which no cell
// ever uses as a block, so 0 can say "breakable wall" without ambiguity.
inline constexpr int32_t BreakableWallBlock = 0;
inline constexpr float PitFloor = -50.0f;
inline constexpr int32_t SeenMark = 2;

// The occupied marks.
namespace mark {
inline constexpr int32_t Free = 0;
inline constexpr int32_t Creature = 1;
inline constexpr int32_t Ghost = 2;
inline constexpr int32_t StoneBase = 99; // 99 + direction: a stone rolls through the cell
} // namespace mark

using tgrid = std::array<std::array<ttile, GridSize>, GridSize>;

// The hero's body; his player record is Player() (playerrecord.h).
struct thero {
    float column = 0.0f;
    float row = 0.0f;
    float height = 0.0f;
    float climb = 0.0f; // vertical speed per frame, up positive
};

using tfloat3 = std::array<float, 3>; // column, height, row (or angles about those axes)

// A flying particle: blood, debris, shells, picked-up items.
struct teffect {
    tfloat3 position{};
    tfloat3 velocity{};
    tfloat3 angles{}; // radians, each grows by 0.1 per frame
    float scale = 1.0f;
    float scale2 = 0.0f; // scale times the spawn's size factor; kept, not drawn
    int32_t model = 0;
};

struct tbullet {
    float column = 0.0f;
    float height = 0.0f;
    float row = 0.0f;
    int32_t direction = 1;
};

// tiles[column][row]; row 0 is the bottom line of the map.
extern tgrid tiles;
extern thero hero;
extern std::vector<std::unique_ptr<tcreature>> creatures;
// The flying particles: blood, debris, shells.
extern std::vector<teffect> effects;
extern std::vector<tbullet> bullets;

struct tcellindex {
    int32_t column = 0;
    int32_t row = 0;
    bool operator==(const tcellindex&) const = default;
};

// What the hero step keeps from frame to frame besides his body (`hero`), `Facing`, the
// potion timers and the player record.
struct therostate {
    // Cleared by ResetAttempt.
    int32_t direction = 0;     // this frame's walking direction 0..8 (0 = none)
    float poseBlend = 0.0f;    // progress from the snapshot toward the standing pose
    int32_t poseSnapshot = -1; // the model's spare pose holding the snapshot; -1 none yet
    float teleportScale = 1.0f;
    bool teleported = false;  // the jump has been made; cleared off the teleport cell
    bool glowing = false;     // drawn in the teleport glow this frame
    bool exitReached = false; // from now on only exit cells may be walked onto

    // Cleared by ResetLevelEntry.
    tcellindex lastStanding; // only a change of it can set off spikes
    float walkPhase = 0.0f;  // 0 <= phase < 4 in the four-pose walk cycle
    bool atEdge = false;     // stopped at an edge: the wobble is not started again
    int32_t EdgeWobble = 0;  // frames left of the balance gesture

    // Recomputed every frame before it is read.
    tcellindex cell; // the cell at the start of the frame; recomputed after walking
};

// What the gun code keeps between the steps of a frame and from frame to frame; all of it
// cleared by ResetLevelEntry.
struct tgunstate {
    bool firedThisFrame = false; // the flash is drawn in this frame's picture
    float ejection = 0.0f;       // sideways speed factor of the next shell, 1.01..1.5 once drawn
    tfloat3 muzzle{};            // muzzle position of this frame (kept while no gun is held)
    bool changeLatch = false;    // the change control is held: one change per press
};

// What the game loop keeps from frame to frame besides the world tables.
struct tloopstate {
    // Set by GameLoop when a level is entered.
    const tnode* level = nullptr; // the document every attempt is built from
    int32_t startScore = 0;       // the player's score when the level was entered

    // Cleared by ResetLevelEntry.
    bool guideLatch = false;          // the guide control is held: one toggle per press
    int64_t frames = 0;               // frames played in this call of GameLoop, over all attempts
    int32_t attempt = 0;              // 1 for the first attempt of this call
    bool stopped = false;             // afterFrame asked to stop: the level ends without an outcome
    bool focusPause = false;          // the window lost the focus: pause after this frame
    bool inFocusPause = false;        // paused because the window lost the focus (not by a key)
    std::vector<int64_t> undrawn;     // frames of this call left undrawn, rising
    std::vector<theroplace> heroPath; // the hero after every frame of this call

    // Cleared only by ResetWorldTables: the moving tiles run on from level to level, and
    // the rate is measured afresh before each drawn frame.
    uint16_t frameCounter = 0; // grows by one every frame and wraps; drives moving tiles
    int32_t frameRate = 0;     // drawn frames per second, measured before each drawn frame
};

// What the loader read from the level file besides the grid, the creatures and the hero's
// start; written by every load, so it always tells of the last level loaded.
struct tloaded {
    std::string creatorname;
    tmainlight mainlight;
    tfilllight filllight;
    // The level's Mu text as the file gives it (what music was asked for, played or not).
    std::string levelmusic;
};

// The start picture's vertical pixel position and its speed (down positive), moved only in
// drawn frames; set by ResetAttempt a third of the way down the screen, about to sink and
// fly off the top.
struct tintroslide {
    float IntroSlide = 0.0f;
    float IntroSlideSpeed = 4.0f;
};

// The state of the level in play besides the grid and the lists. The fields are grouped by
// the reset that clears them; which reset clears what is the rhythm of the game.
struct tlevelstate {
    // Cleared by ResetAttempt, at the start of every attempt.
    // Frames left of each potion; counted down at the start of every frame.
    int32_t SpeedTimer = 0, BlessingTimer = 0, InvincibilityTimer = 0, InvisibilityTimer = 0;
    int32_t Facing = 1;        // the hero's last direction 1..8
    int32_t TreasureBonus = 0; // money collected in this attempt
    // Counters for the results screen.
    int32_t MonstersKilled = 0, PotionsFound = 0, TreasuresFound = 0, RoundsFired = 0;

    // Cleared by ResetLevelEntry, once when a level is entered.
    // Indexed by gun 1..3 ([0] unused): reload countdown and frames until the next shot.
    std::array<int32_t, 4> ReloadTimer{};
    std::array<int32_t, 4> FireCooldown{};

    // Cleared by ClearWorld, before every load of a level.
    int32_t DeathFade = 0; // +2 per frame once the energy is gone; 64 ends the attempt
    int32_t ExitFade = 0;  // 1 at the exit, then +2 per frame; 64 ends the level

    // Cleared only by ResetWorldTables: guide mode and the screenshot number last for the
    // whole run; the muzzle light dies away by itself.
    bool GuideOn = false;         // guide mode
    int32_t MuzzleLight = 0;      // range in tenths of the muzzle-flash light
    int32_t ScreenshotNumber = 1; // number of the next screenshot file

    // The records of the pieces of play, each with its resets marked inside.
    therostate herostate;
    tgunstate gunstate;
    tloopstate loopstate;
    tloaded loaded; // rewritten by every load of a level
    tintroslide overlay;
};
extern tlevelstate inlevel;

// The cell at (column, row), or nullptr outside the grid.
inline ttile* TileAt(int32_t column, int32_t row) {
    return InGrid(column, row) ? &tiles[column][row] : nullptr;
}

// Resets done at fixed moments of play.
// Before every load of a level: empties creatures and particles, rewrites every cell except
// design and floordesign, lands the hero, refills the energy, clears the fades.
void ClearWorld();
// Start of every attempt: potion timers, Facing, treasure bonus, the result counters, the
// hero step's attempt values and the start picture's slide.
void ResetAttempt();
// Once when a level is entered: bullets, the gun timers and the gun state, the hero step's
// level values and the loop's counters.
void ResetLevelEntry();
// Everything back to its value at program start (tools and tests start from here).
void ResetWorldTables();

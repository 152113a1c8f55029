#pragma once
// The world tables of the level being played: the tile grid, the hero's body, the creature,
// particle and bullet lists, and the state of the level in play (inlevel). They are defined
// together in tables.cpp, the one place that also knows how to reset them.
#include "level/tiletypes.h"
#include "world/directions.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class tcreature;

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
// Start of every attempt: potion timers, Facing, treasure bonus and the result counters.
void ResetAttempt();
// Once when a level is entered: bullets and the gun timers.
void ResetLevelEntry();
// Everything back to its value at program start (tools and tests start from here).
void ResetWorldTables();

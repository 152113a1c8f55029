#pragma once
// Completability: can the hero get from the start cell to an exit with the game's own
// movement rules? The search is deliberately cautious: whatever it cannot be sure of (a
// jump that needs pixel-perfect timing, a speed potion, a gun for a breakable wall, a
// diagonal squeeze past two corners) it does not use, so "completable" can be trusted.
//
// What it models:
// - walking to the four neighbours that are neither solid nor a pit;
// - straight jumps of two or three cells (over at most two pit cells): a full jump rises at
//   0.5 a frame, loses 0.05 a frame and lands after 20-21 frames, 3.2-3.36 cells at 0.16 a
//   frame; the edge rule stops a walking hero 0.18-0.34 past his cell's centre, so the
//   landing point lies 3.38 or more past that centre but can fall short of 3.5: the cell
//   three ahead is certain, four is not;
// - switch plates (pressed by walking or landing on them, never by jumping over): walls of
//   their link sink, walls of their link rise and block;
// - crumbling floors, usable once: after the hero leaves one it is a pit;
// - closing pits: a pit until the hero has jumped over it, floor afterwards;
// - teleports: the pair partner of a teleport (the last cell of the same link in the game's
//   scan order); standing on one is optional, the hero may walk over it;
// - conveyors: floor (the hero walks at 0.16 a frame, a belt pushes 0.08 at most).
// Creatures, traps and spikes hurt but do not bar the way; they are not modelled.
#include "levelmodel.h"

#include <string>
#include <vector>

namespace levelkit {

enum class MoveKind { Start, Walk, Jump, Teleport };

struct RouteStep {
    int column, line;
    MoveKind kind;
};

struct CheckResult {
    bool completable = false;
    std::string reason;           // why not, when not
    std::vector<RouteStep> route; // start to exit, one entry per move
    int cells = 0;                // length of the route in cells crossed (a teleport counts none)
    int walks = 0, jumps = 0, teleports = 0, platesPressed = 0, spikeCells = 0;
    long statesSearched = 0;
};

// The search stops (and answers "not completable") after this many states.
inline constexpr long CheckStateLimit = 400000;

CheckResult CheckLevel(const LevelSource& level);

// One line for people: "completable: route of N moves (...)" or "not completable: why".
std::string Describe(const CheckResult& result);

} // namespace levelkit

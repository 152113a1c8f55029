#pragma once
// Completability: can the hero get from the start cell to an exit with the game's own
// movement rules? The search is deliberately cautious: whatever it cannot be sure of (a
// jump that needs pixel-perfect timing, a speed potion, a gun for a breakable wall, a
// diagonal squeeze past two corners) it does not use, so "completable" can be trusted.
//
// What it models:
// - walking to the four neighbours that are neither solid nor a pit;
// - straight jumps of two or three cells (over at most two pit cells). A full-power jump
//   rises at 0.5 a frame and loses 0.05 a frame, so it lands after 20 or 21 frames, in which
//   the hero may move 0.16 a frame and may stop moving whenever he likes: up to 3.2 cells.
//   Walking toward a pit, the edge rule stops him 0.18 to 0.34 past his cell's centre, so
//   the cell three ahead is always within reach; the cell four ahead only from a lucky
//   take-off point, which the check does not count on;
// - switch plates (pressed by walking or landing on them, never by jumping over): the
//   lowering walls of their link open, the raising walls of their link close;
// - crumbling floors, usable once: after the hero leaves one it is a pit;
// - closing pits: a pit until the hero has jumped over it, floor afterwards;
// - teleports: the pair partner of a teleport (the last cell of the same link in the game's
//   scan order); standing on one is optional, the hero may walk over it;
// - conveyors: floor (the hero walks at 0.16 a frame, a belt pushes 0.08 at most).
// What each cell is (solid, floor to stand on, plate, plate-driven wall, crumbling floor,
// closing pit, teleport, exit) is read from the tile table the game's loader builds its
// cells from (level/tiletypes.h), and the level is read with the game's own rules first: a
// level the game refuses has no route.
// Creatures, traps and spikes hurt but do not bar the way; they are not modelled. Where
// crumbled floors could combine in too many ways, only the first few combinations at each
// place are followed; that too can only miss routes.
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

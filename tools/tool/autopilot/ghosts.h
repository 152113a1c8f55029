#pragma once
// Ghosts: nothing stops them and nothing kills them but the kill-all potion. A ghost drifts
// toward the hero at a seventh of his pace and drains him while he stays within its reach.
// A player either runs straight past one when he has the energy for it, or stands off and
// lets it come to him, out of the narrow way it blocks, and then goes round it.
#include "route.h"

#include <vector>

namespace autopilot {

// What a ghost costs the route: cells within its reach are walls in all but name, so a
// route that still passes one is a route with no way round.
inline constexpr int GhostWallCost = 20000;

// Adds the ghosts' costs to the cells (costs.ghost).
void GhostCosts(const tview& view, tcosts& costs);

// Frames the hero would spend within a ghost's reach following the route from where he
// stands, the ghosts drifting after him as they do.
int GhostExposure(const tview& view, const std::vector<tstep>& route);

// How far the nearest ghost is from the point (very far without one).
float NearestGhost(const tview& view, float column, float row);

struct tghostplan {
    enum class Kind : uint8_t {
        Clear, // no ghost on the way
        Dash,  // straight past it, without stopping
        Lure,  // to (column, row), out of the ghost's reach, to draw it off the way
        Hold,  // stand where he is and let it come
    } kind = Kind::Clear;
    int column = -1, row = -1;
};

const char* GhostPlanName(tghostplan::Kind kind);

// What to do about the ghosts on the route to the goal. patient: the hero may still spend
// time luring rather than paying energy; dashing: he was running past one last frame.
tghostplan PlanForGhosts(const tview& view, const troutes& routes, const std::vector<tstep>& route,
                         bool patient, bool dashing);

} // namespace autopilot

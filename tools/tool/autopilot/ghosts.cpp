// Ghosts as a player learns them: one hurts only within its reach, it stops there to feed
// and otherwise drifts after the hero, straight or slantwise, through walls and over pits.
// So its reach is a wall on the map, and when that wall shuts the only way, the choice is
// between paying energy to run past and standing off until it has come away from the way.
#include "ghosts.h"

#include "world/directions.h"
#include "world/tables.h"

#include <cmath>

namespace autopilot {

namespace {

constexpr float Reach = 1.4f;      // the ghost hurts within this
constexpr float WallReach = 1.75f; // cells this close count as shut: the hero is never centred
constexpr float NearReach = 2.6f;  // and these cost a little, to keep a step's distance
constexpr int GhostNearCost = 40;
constexpr float Drift = 7.0f;     // a ghost moves a seventh of a walking step
constexpr float WalkStep = 0.16f; // the hero's step a frame
constexpr int FlightFrames = 20;  // a full jump up and down
constexpr int TeleportFrames = 20;
constexpr int SimulatedSteps = 80;
// Energy a frame within reach is 1 or 2; a little over the mean, and a margin for the
// stumble or two a run past takes.
constexpr float EnergyPerFrame = 1.6f;
constexpr int DashMargin = 10;
// What the hero keeps for what comes after: below it he lures rather than runs past.
constexpr int Reserve = 15;
// A run past this short is not worth a long wait.
constexpr int CheapExposure = 10;
// Standing off: a place this far from every ghost, and kept until one comes this close.
constexpr float LureDistance = 3.2f, HoldDistance = 2.3f;
// Farther than this from every ghost the hero goes on his way: it comes to him anyway.
constexpr float ApproachDistance = 4.5f;

struct tseenghost {
    float column, row;
};

std::vector<tseenghost> Ghosts(const tview& view) {
    std::vector<tseenghost> ghosts;
    for (const tthing& t : view.things)
        if (t.kind == Thing::Ghost) ghosts.push_back({t.column, t.row});
    return ghosts;
}

float Nearest(const std::vector<tseenghost>& ghosts, float column, float row) {
    float nearest = 1e9f;
    for (const tseenghost& g : ghosts)
        nearest = std::min(nearest, std::hypot(g.column - column, g.row - row));
    return nearest;
}

// One axis of the ghost's step: it stops on the hero rather than pass him.
float StepAxis(float position, float step, float target) {
    const float next = position + step;
    if ((position < target && next > target) || (position > target && next < target)) return target;
    return next;
}

// The ghost's frame as the game runs it: within reach it feeds, else it drifts closer.
bool Feed(tseenghost& g, float column, float row) {
    if (std::hypot(g.column - column, g.row - row) < Reach) return true;
    constexpr int Toward[3][3] = {{6, 7, 8}, {5, 0, 1}, {4, 3, 2}};
    const int ci = column < g.column ? 0 : column > g.column ? 2 : 1;
    const int ri = row < g.row ? 0 : row > g.row ? 2 : 1;
    const tdirection& step = Direction(Toward[ci][ri]);
    g.column = StepAxis(g.column, step.column / Drift, column);
    g.row = StepAxis(g.row, step.row / Drift, row);
    return false;
}

bool Calm(const tcell& cell) {
    return cell.kind == Cell::Floor || cell.kind == Cell::Plate || cell.kind == Cell::Exit;
}

} // namespace

const char* GhostPlanName(tghostplan::Kind kind) {
    constexpr const char* names[] = {"clear", "dash", "lure", "hold"};
    return names[static_cast<int>(kind)];
}

void GhostCosts(const tview& view, tcosts& costs) {
    for (auto& column : costs.ghost) column.fill(0);
    for (const tseenghost& g : Ghosts(view)) {
        const int gc = CellOf(g.column), gr = CellOf(g.row);
        for (int c = gc - 3; c <= gc + 3; ++c)
            for (int r = gr - 3; r <= gr + 3; ++r) {
                if (!tview::Inside(c, r)) continue;
                const float d = std::hypot(float(c) - g.column, float(r) - g.row);
                if (d < WallReach)
                    costs.ghost[size_t(c)][size_t(r)] += GhostWallCost;
                else if (d < NearReach)
                    costs.ghost[size_t(c)][size_t(r)] += GhostNearCost;
            }
    }
}

float NearestGhost(const tview& view, float column, float row) {
    return Nearest(Ghosts(view), column, row);
}

int GhostExposure(const tview& view, const std::vector<tstep>& route) {
    std::vector<tseenghost> ghosts = Ghosts(view);
    if (ghosts.empty()) return 0;
    const float speed = view.hero.SpeedTimer > 0 ? 2 * WalkStep : WalkStep;
    float column = view.hero.column, row = view.hero.row;
    int exposed = 0;
    auto frame = [&] {
        for (tseenghost& g : ghosts) exposed += Feed(g, column, row) ? 1 : 0;
    };
    auto advance = [&](const tstep& to) {
        const float dc = float(to.column) - column, dr = float(to.row) - row;
        const float d = std::hypot(dc, dr);
        if (d <= speed) {
            column = float(to.column);
            row = float(to.row);
            return true;
        }
        column += dc / d * speed;
        row += dr / d * speed;
        return false;
    };
    int steps = 0;
    for (const tstep& step : route) {
        if (++steps > SimulatedSteps) break;
        if (step.move == Move::Teleport) {
            for (int f = 0; f < TeleportFrames; ++f) frame();
            column = float(step.column);
            row = float(step.row);
        } else if (step.move == Move::Jump) {
            for (int f = 0; f < FlightFrames; ++f) {
                advance(step);
                frame();
            }
        } else {
            while (!advance(step)) frame();
            frame();
        }
    }
    return exposed;
}

tghostplan PlanForGhosts(const tview& view, const troutes& routes, const std::vector<tstep>& route,
                         bool patient, bool dashing) {
    const std::vector<tseenghost> ghosts = Ghosts(view);
    if (ghosts.empty() || route.empty()) return {};
    const int exposure = GhostExposure(view, route);
    if (exposure == 0) return {};
    const tbody& h = view.hero;
    const float nearest = Nearest(ghosts, h.column, h.row);
    // Halfway past one, turning back only doubles the price.
    if (dashing && nearest < Reach + 0.4f) return {tghostplan::Kind::Dash};
    if (nearest > ApproachDistance) return {};
    // On a floor that crumbles, sinks, moves or springs spikes there is no standing about.
    if (!Calm(view.At(CellOf(h.column), CellOf(h.row)))) return {tghostplan::Kind::Dash};
    const int need = int(float(exposure) * EnergyPerFrame) + DashMargin;
    const bool affordable = need <= view.hero.Energy - Reserve;
    if (affordable && (exposure <= CheapExposure || !patient)) return {tghostplan::Kind::Dash};
    if (patient) {
        // A potion that heals (or ends every ghost) within reach without passing one.
        int best = troutes::Unreached;
        tghostplan lure{tghostplan::Kind::Lure};
        for (int c = 0; c < Size; ++c)
            for (int r = 0; r < Size; ++r) {
                const tcell& cell = view.At(c, r);
                if ((cell.item == item::Health && h.Energy < 100) || cell.item == item::KillAll)
                    if (routes.Cost(c, r) < std::min(best, GhostWallCost)) {
                        best = routes.Cost(c, r);
                        lure.column = c;
                        lure.row = r;
                    }
            }
        if (lure.column >= 0) return lure;
        if (nearest >= HoldDistance) return {tghostplan::Kind::Hold};
        for (int c = 0; c < Size; ++c)
            for (int r = 0; r < Size; ++r)
                if (Calm(view.At(c, r)) && routes.Cost(c, r) < std::min(best, GhostWallCost) &&
                    Nearest(ghosts, float(c), float(r)) >= LureDistance) {
                    best = routes.Cost(c, r);
                    lure.column = c;
                    lure.row = r;
                }
        if (lure.column >= 0) return lure;
    }
    // Cornered, or waited long enough: through, whatever it costs.
    return {tghostplan::Kind::Dash};
}

} // namespace autopilot

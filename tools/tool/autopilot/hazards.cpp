// Hazards as a player learns them: spikes spring in one rhythm for the whole level, traps
// shoot along their four lanes at a steady beat, stones and arrows fly straight, and ghosts
// drift through walls and hurt whoever lingers near them.
#include "pilot.h"

#include "world/directions.h"
#include "world/tables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace autopilot {

namespace {

constexpr int TrapLaneCost = 6;
constexpr int MonsterCost = 120, MonsterArmedCost = 30;
constexpr int LaneLength = 14;
// A crumbling bridge that has begun to fall is the way the hero came: going back over it
// ends the way on for good, so it is the last resort.
constexpr int UsedBridgeCost = 4000;
// Spikes are drawn and hurt while above this; they sink 0.1 a frame below it, then climb
// back 0.5 a frame and spring at -0.5: about 21 frames to cross.
constexpr float SpikesHurt = -1.5f;
constexpr float SpikesLowest = -3.0f, SpikesSpring = -0.5f;
constexpr float SpikesSink = 0.1f, SpikesRise = 0.5f;
constexpr int ThreatFrames = 12;
constexpr float StoneSpeed = 0.096f, ArrowSpeed = 0.24f;
constexpr float StoneReach = 0.95f, ArrowReach = 0.75f;

struct tflight {
    float column, row;
    int direction;
    bool stone;
    int start; // frames from now until it exists
};

// Every projectile that is flying or will be fired by a timed trap within the frames.
std::vector<tflight> Flights(const tview& view, int frames) {
    std::vector<tflight> flights;
    for (const tthing& t : view.things)
        if (t.kind == Thing::Arrow || t.kind == Thing::Stone)
            flights.push_back({t.column, t.row, t.direction, t.kind == Thing::Stone, 0});
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r) {
            const tcell& cell = view.At(c, r);
            const bool rock = cell.mechanism == mechanism::TimedRockTrap;
            if (!rock && cell.mechanism != mechanism::TimedArrowTrap) continue;
            const int wait = rock ? cell.period - cell.param : cell.period + 1 - cell.param;
            if (wait > frames) continue;
            for (const auto& n : Neighbours) {
                const int nc = c + n[0], nr = r + n[1];
                if (tview::Inside(nc, nr) && view.At(nc, nr).kind != Cell::Wall)
                    flights.push_back({float(nc), float(nr), n[2], rock, std::max(wait, 0)});
            }
        }
    return flights;
}

// Does the flight pass within its reach of the point between the frames?
bool Hits(const tview& view, const tflight& f, float column, float row, int from, int to) {
    const tdirection& d = Direction(f.direction);
    const float speed = (f.stone ? StoneSpeed : ArrowSpeed) / 0.16f;
    const float reach = f.stone ? StoneReach : ArrowReach;
    float c = f.column, r = f.row;
    for (int t = f.start; t <= to; ++t) {
        if (t >= from && std::hypot(c - column, r - row) < reach) return true;
        c += d.column * speed;
        r += d.row * speed;
        const int cc = CellOf(c), cr = CellOf(r);
        if (!tview::Inside(cc, cr)) return false;
        const Cell kind = view.At(cc, cr).kind;
        if (kind == Cell::Wall) return false;
        if (f.stone && (kind == Cell::Pit || kind == Cell::ClosingPit)) return false;
    }
    return false;
}

void AddAround(tcosts& costs, int column, int row, int radius, int cost) {
    for (int c = column - radius; c <= column + radius; ++c)
        for (int r = row - radius; r <= row + radius; ++r)
            if (tview::Inside(c, r)) costs.extra[size_t(c)][size_t(r)] += cost;
}

} // namespace

bool Threatened(const tview& view, float column, float row, int from, int to) {
    for (const tflight& f : Flights(view, to))
        if (Hits(view, f, column, row, from, to)) return true;
    return false;
}

int Dodge(const tview& view, int preferred) {
    // Where the hero would be in a few frames going each way, the way he wanted first.
    constexpr int Ahead = 5, Soon = 14;
    const tbody& h = view.hero;
    int order[9] = {preferred, 0, 1, 2, 3, 4, 5, 6, 7};
    for (int i = 1; i < 9; ++i) order[i] = i == preferred ? 8 : i;
    for (int d : order) {
        if (d < 0 || d > 8) continue;
        const tdirection& s = Direction(d);
        const float c = h.column + Ahead * s.column, r = h.row + Ahead * s.row;
        const int cc = CellOf(c), cr = CellOf(r);
        if (!tview::Inside(cc, cr) || !Standable(view.At(cc, cr).kind) || view.At(cc, cr).occupied)
            continue;
        if (!Threatened(view, c, r, 0, Soon)) return d;
    }
    return preferred;
}

void HazardCosts(const tview& view, tcosts& costs) {
    for (auto& column : costs.extra) column.fill(0);
    for (const tthing& t : view.things) {
        const int c = CellOf(t.column), r = CellOf(t.row);
        if (t.kind == Thing::Zombie || t.kind == Thing::Warrior) {
            const bool armed = view.hero.Gun != 0;
            AddAround(costs, c, r, 1, armed ? MonsterArmedCost : MonsterCost);
        }
    }
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r) {
            const tcell& cell = view.At(c, r);
            if (cell.kind != Cell::Crumbling) continue;
            bool used = false;
            for (const auto& n : Neighbours)
                for (int k = 1; k <= 2; ++k) {
                    const int nc = c + n[0] * k, nr = r + n[1] * k;
                    used |= tview::Inside(nc, nr) && view.At(nc, nr).kind == Cell::Pit &&
                            view.At(nc, nr).mechanism == mechanism::CrumblingFloor;
                }
            if (used) costs.extra[size_t(c)][size_t(r)] += UsedBridgeCost;
        }
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r) {
            const int m = view.At(c, r).mechanism;
            if (m != mechanism::TimedRockTrap && m != mechanism::TimedArrowTrap) continue;
            for (const auto& n : Neighbours)
                for (int k = 1; k <= LaneLength; ++k) {
                    const int lc = c + n[0] * k, lr = r + n[1] * k;
                    if (!tview::Inside(lc, lr) || view.At(lc, lr).kind == Cell::Wall) break;
                    costs.extra[size_t(lc)][size_t(lr)] += TrapLaneCost;
                }
        }
}

int SpikesQuiet(const tcell& cell) {
    if (cell.mechanism == mechanism::SpikesSprung) {
        if (cell.anim >= SpikesHurt) return 0;
        return int((cell.anim - SpikesLowest) / SpikesSink) +
               int((SpikesSpring - SpikesLowest) / SpikesRise);
    }
    return int((SpikesSpring - cell.anim) / SpikesRise);
}

bool SafeToEnter(const tview& view, int column, int row, int spikeFrames) {
    const tcell& cell = view.At(column, row);
    if (cell.kind == Cell::Spikes && SpikesQuiet(cell) < spikeFrames) return false;
    return !Threatened(view, float(column), float(row), 0, ThreatFrames);
}

bool InDanger(const tview& view) {
    constexpr int Soon = 14;
    return view.hero.height < 0.5f && Threatened(view, view.hero.column, view.hero.row, 0, Soon);
}

bool FlightThreatened(const tview& view, float column, float row, int toColumn, int toRow,
                      int frames) {
    // A stone knocks the hero out of the air as well: every point of the way counts, each
    // a few frames either side of when he passes it (the run-up and the landing vary).
    constexpr int Slack = 6;
    const std::vector<tflight> flights = Flights(view, frames + Slack);
    for (int t = 0; t <= frames + Slack; t += 2) {
        const float k = std::min(1.0f, float(t) / float(frames));
        const float c = column + (float(toColumn) - column) * k;
        const float r = row + (float(toRow) - row) * k;
        for (const tflight& f : flights)
            if (Hits(view, f, c, r, std::max(0, t - Slack), t + Slack)) return true;
    }
    return false;
}

bool WayThreatened(const tview& view, const std::vector<tstep>& route, int frames) {
    // Where the hero walks along the route frame by frame, straight from cell to cell,
    // until the frames run out or the route stops walking.
    constexpr float Step = 0.16f;
    constexpr int Slack = 2;
    const std::vector<tflight> flights = Flights(view, frames + Slack);
    if (flights.empty()) return false;
    float c = view.hero.column, r = view.hero.row;
    size_t next = 0;
    for (int t = 1; t <= frames && next < route.size(); ++t) {
        if (route[next].move != Move::Walk) break;
        const float dc = float(route[next].column) - c, dr = float(route[next].row) - r;
        const float left = std::hypot(dc, dr);
        if (left <= Step) {
            c = float(route[next].column);
            r = float(route[next].row);
            ++next;
        } else {
            c += dc / left * Step;
            r += dr / left * Step;
        }
        for (const tflight& f : flights)
            if (Hits(view, f, c, r, std::max(0, t - Slack), t + Slack)) return true;
    }
    return false;
}

} // namespace autopilot

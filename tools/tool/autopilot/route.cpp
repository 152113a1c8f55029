#include "route.h"

#include <algorithm>
#include <queue>

namespace autopilot {

namespace {

constexpr int WalkCost = 10;
constexpr int UnknownCost = 14; // a little dearer: known ways first
constexpr int SpikeCost = 40;   // a jump over them is usually cheaper
// Usable only once: a way over crumbling floors is taken when nothing else is left.
constexpr int CrumblingCost = CrumblingPrice;
constexpr int TeleportWalkCost = 30; // crossing one risks being sent away
constexpr int OccupiedCost = 60;     // creatures move, but the hero cannot walk through them
constexpr int JumpExtra = 15;        // waiting for full jump power
constexpr int UnknownJumpCost = 30;
constexpr int JumpOccupiedCost = 200;
constexpr int TeleportCost = 25; // twenty frames of shrinking and growing

int EnterCost(const tcell& cell) {
    int cost = WalkCost;
    switch (cell.kind) {
    case Cell::Unknown:
        cost = UnknownCost;
        break;
    case Cell::Spikes:
        cost += SpikeCost;
        break;
    case Cell::Crumbling:
        cost += CrumblingCost;
        break;
    case Cell::Teleport:
        cost += TeleportWalkCost;
        break;
    default:
        break;
    }
    if (cell.occupied) cost += OccupiedCost;
    return cost;
}

bool Walkable(const tcell& cell) {
    return cell.kind == Cell::Unknown || Standable(cell.kind);
}

// A jump passes over anything that is not solid and lands on a known standable cell.
bool Passable(const tcell& cell) {
    return cell.kind != Cell::Wall && cell.kind != Cell::Unknown;
}

} // namespace

void TeleportPartner(const tview& view, int column, int row, int& toColumn, int& toRow) {
    toColumn = toRow = -1;
    const tcell& from = view.At(column, row);
    if (from.kind != Cell::Teleport) return;
    for (int r = 0; r < Size; ++r)
        for (int c = 0; c < Size; ++c)
            if ((c != column || r != row) && view.At(c, r).kind == Cell::Teleport &&
                view.At(c, r).channel == from.channel) {
                toColumn = c;
                toRow = r;
            }
}

void troutes::Search(const tview& view, int column, int row, const tcosts& costs) {
    cost_.fill(Unreached);
    parent_.fill(-1);
    using tentry = std::pair<int, int>; // cost, index
    std::priority_queue<tentry, std::vector<tentry>, std::greater<>> open;
    const int start = Index(column, row);
    cost_[start] = 0;
    open.push({0, start});
    auto relax = [&](int from, int c, int r, int add, Move move) {
        const int to = Index(c, r);
        const int cost = cost_[from] + add +
                         costs.extra[static_cast<size_t>(c)][static_cast<size_t>(r)] +
                         costs.ghost[static_cast<size_t>(c)][static_cast<size_t>(r)];
        if (cost >= cost_[to]) return;
        cost_[to] = cost;
        parent_[to] = from;
        how_[to] = move;
        open.push({cost, to});
    };
    while (!open.empty()) {
        auto [cost, at] = open.top();
        open.pop();
        if (cost != cost_[at]) continue;
        const int c = at / Size, r = at % Size;
        const tcell& here = view.At(c, r);
        // From an unknown cell the hero only walks on: he will see more when he gets there.
        const bool canJump = Standable(here.kind) && here.kind != Cell::Crumbling;
        for (int n = 0; n < 4; ++n) {
            const int dc = Neighbours[n][0], dr = Neighbours[n][1];
            const int nc = c + dc, nr = r + dr;
            if (!tview::Inside(nc, nr)) continue;
            const tcell& next = view.At(nc, nr);
            if (Walkable(next) &&
                !(costs.blocked[static_cast<size_t>(c)][static_cast<size_t>(r)] >> n & 1))
                relax(at, nc, nr, EnterCost(next), Move::Walk);
            if (!canJump || !Passable(next) ||
                costs.blocked[static_cast<size_t>(c)][static_cast<size_t>(r)] >> (4 + n) & 1)
                continue;
            // A ghost hanging over the chasm drains the hero in flight as well.
            int over = 0;
            for (int reach = 2; reach <= 3; ++reach) {
                over += costs.ghost[static_cast<size_t>(c + dc * (reach - 1))]
                                   [static_cast<size_t>(r + dr * (reach - 1))];
                const int lc = c + dc * reach, lr = r + dr * reach;
                if (!tview::Inside(lc, lr)) break;
                const tcell& land = view.At(lc, lr);
                // A jump toward a cell not seen yet is a way to explore: the hero sees it
                // long before he takes off. A creature on the landing would stop him in
                // mid-air over the pit: the pilot waits for it to go (or shoots it).
                if (Standable(land.kind) && land.kind != Cell::Teleport &&
                    land.kind != Cell::Spikes)
                    relax(at, lc, lr,
                          reach * WalkCost + JumpExtra + (land.occupied ? JumpOccupiedCost : 0) +
                              (land.kind == Cell::Crumbling ? CrumblingCost : 0) + over,
                          Move::Jump);
                else if (land.kind == Cell::Unknown)
                    relax(at, lc, lr, reach * WalkCost + JumpExtra + UnknownJumpCost + over,
                          Move::Jump);
                if (!Passable(land)) break;
            }
        }
        if (here.kind == Cell::Teleport) {
            int tc, tr;
            TeleportPartner(view, c, r, tc, tr);
            if (tc >= 0) relax(at, tc, tr, TeleportCost, Move::Teleport);
        }
    }
}

std::vector<tstep> troutes::RouteTo(int column, int row) const {
    std::vector<tstep> route;
    if (!Reached(column, row)) return route;
    for (int at = Index(column, row); parent_[at] >= 0; at = parent_[at])
        route.push_back({at / Size, at % Size, how_[at]});
    std::reverse(route.begin(), route.end());
    return route;
}

} // namespace autopilot

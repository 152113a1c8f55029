// What the pilot goes for next. A player heads for the exit once he knows the way, picks up
// what lies close to his way, tries a plate when the way is shut, and otherwise looks round
// the nearest corner he has not seen yet.
#include "pilot.h"

#include "world/tables.h"

#include <memory>

namespace autopilot {

namespace {

// How far (in tenths of a cell) the pilot walks for an item.
constexpr int ItemReach = 100;
constexpr int HealthWanted = 70;
constexpr int PlateReach = 150; // energy below which a health potion is worth a walk

bool Wanted(const tcell& cell, const tbody& hero) {
    if (IsTreasure(cell.item)) return true;
    switch (cell.item) {
    case item::Health:
        return hero.Energy < HealthWanted;
    case item::Life:
    case item::KillAll:
    case item::Invincibility:
        return true;
    default:
        return false;
    }
}

// The view as it would be once the plate at (column, row) is pressed.
void PressInView(tview& view, int column, int row) {
    const int channel = view.At(column, row).channel;
    view.At(column, row).kind = Cell::Floor;
    view.At(column, row).channel = 0;
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r) {
            tcell& cell = view.At(c, r);
            if (cell.channel != channel || cell.kind == Cell::Unknown) continue;
            if (cell.mechanism == mechanism::SwitchLoweredWall) cell.kind = Cell::Floor;
            if (cell.mechanism == mechanism::SwitchRaisedWall) cell.kind = Cell::Wall;
        }
}

bool ExitReachedFrom(const tview& view, int column, int row, const tcosts& costs) {
    auto routes = std::make_unique<troutes>();
    routes->Search(view, column, row, costs);
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r)
            if (view.At(c, r).kind == Cell::Exit && routes->Reached(c, r)) return true;
    return false;
}

struct tbest {
    int cost = troutes::Unreached;
    int column = -1, row = -1;
    void Offer(int c, int r, int k) {
        if (k < cost) {
            cost = k;
            column = c;
            row = r;
        }
    }
    bool Found() const { return column >= 0; }
};

} // namespace

const char* GoalName(Goal goal) {
    constexpr const char* names[] = {"none", "exit", "item", "plate", "explore", "edge"};
    return names[static_cast<int>(goal)];
}

tgoal ChooseGoal(const tview& view, const troutes& routes, const tcosts& costs, int column,
                 int row) {
    tbest item, exit, unknown, plate;
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r) {
            if (!routes.Reached(c, r) || (c == column && r == row)) continue;
            const tcell& cell = view.At(c, r);
            const int cost = routes.Cost(c, r);
            if (cell.kind == Cell::Unknown) unknown.Offer(c, r, cost);
            // A teleport whose partner has not been seen is a way to somewhere new.
            if (cell.kind == Cell::Teleport) {
                int tc, tr;
                TeleportPartner(view, c, r, tc, tr);
                if (tc < 0) unknown.Offer(c, r, cost);
            }
            if (cell.kind == Cell::Exit) exit.Offer(c, r, cost);
            if (cell.kind == Cell::Plate) plate.Offer(c, r, cost);
            if (Standable(cell.kind) && Wanted(cell, view.hero) && cost <= ItemReach)
                item.Offer(c, r, cost);
        }
    if (item.Found()) return {Goal::Item, item.column, item.row};
    if (exit.Found()) return {Goal::Exit, exit.column, exit.row};

    // A plate that opens the way to an exit already seen.
    tbest opener;
    auto whatIf = std::make_unique<tview>();
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r) {
            if (view.At(c, r).kind != Cell::Plate || !routes.Reached(c, r)) continue;
            *whatIf = view;
            PressInView(*whatIf, c, r);
            if (ExitReachedFrom(*whatIf, c, r, costs)) opener.Offer(c, r, routes.Cost(c, r));
        }
    if (opener.Found()) return {Goal::Plate, opener.column, opener.row};
    // A plate close at hand is tried before looking further: most open a way. And plates
    // always come before ways over crumbling floors, which cannot be walked back.
    if (plate.Found() && plate.cost < CrumblingPrice &&
        (plate.cost <= PlateReach || unknown.cost >= CrumblingPrice))
        return {Goal::Plate, plate.column, plate.row};
    if (unknown.Found()) return {Goal::Explore, unknown.column, unknown.row};
    if (plate.Found()) return {Goal::Plate, plate.column, plate.row};
    return {};
}

} // namespace autopilot

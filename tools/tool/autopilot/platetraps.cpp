// Plates that set off traps: a plate whose trap shoots along a lane through the plate itself
// shoots whoever presses it. A player learns to jump over such a plate (a jump does not
// press it) rather than step on it.
#include "pilot.h"

#include "world/tables.h"

namespace autopilot {

namespace {

// A shot from this close reaches the hero before he is off the plate.
constexpr int PlateTrapReach = 3;
constexpr int PlateTrapCost = 150;

bool ShootsAt(const tview& view, int trapColumn, int trapRow, int column, int row) {
    for (const auto& n : Neighbours)
        for (int k = 1; k <= PlateTrapReach; ++k) {
            const int c = trapColumn + n[0] * k, r = trapRow + n[1] * k;
            if (!tview::Inside(c, r) || view.At(c, r).kind == Cell::Wall) break;
            if (c == column && r == row) return true;
        }
    return false;
}

} // namespace

void PlateTrapCosts(const tview& view, tcosts& costs) {
    for (int pc = 0; pc < Size; ++pc)
        for (int pr = 0; pr < Size; ++pr) {
            const tcell& plate = view.At(pc, pr);
            if (plate.kind != Cell::Plate) continue;
            bool shot = false;
            for (int c = 0; c < Size && !shot; ++c)
                for (int r = 0; r < Size && !shot; ++r) {
                    const tcell& trap = view.At(c, r);
                    shot = trap.channel == plate.channel &&
                           (trap.mechanism == mechanism::SwitchArrowTrap ||
                            trap.mechanism == mechanism::SwitchRockTrap) &&
                           ShootsAt(view, c, r, pc, pr);
                }
            if (shot) costs.extra[size_t(pc)][size_t(pr)] += PlateTrapCost;
        }
}

} // namespace autopilot

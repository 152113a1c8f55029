// Keeping away from zombies and warriors: the step (or leap) away from a monster the hero
// cannot fight where he stands, and whether one is near a cell.
#include "pilot.h"

#include "world/directions.h"

#include <algorithm>
#include <cmath>

namespace autopilot {

bool tpilot::MonsterNear(int column, int row, float Near) const {
    for (const tthing& t : view_.things)
        // A stunned warrior stands still, but it still strikes.
        if ((t.kind == Thing::Zombie || t.kind == Thing::Warrior) &&
            std::hypot(t.column - float(column), t.row - float(row)) < Near)
            return true;
    return false;
}

int tpilot::Flee(bool& jump, tstep& landing, bool fleeing) const {
    // Armed, the hero still steps back from a monster within its reach: a warrior facing
    // him parries every shot, and a zombie at his side strikes faster than he kills it.
    // From a warrior he keeps going until well clear: stepping back in at once only meets
    // its blow again, while the room he retreats to gives him a line past its shield.
    constexpr float Near = 1.7f, ArmedNear = 1.35f, WarriorClear = 2.4f;
    const tbody& h = view_.hero;
    // An empty magazine is no defence, however many rounds wait to refill it.
    const bool armed = h.Gun != 0 && h.AmmoCurrent[size_t(h.Gun)] > 0;
    float awayC = 0, awayR = 0;
    for (const tthing& t : view_.things) {
        const float dc = h.column - t.column, dr = h.row - t.row;
        const float d = std::hypot(dc, dr);
        const bool monster = t.kind == Thing::Zombie || t.kind == Thing::Warrior;
        const float reach = fleeing && t.kind == Thing::Warrior ? WarriorClear
                            : armed                             ? ArmedNear
                                                                : Near;
        // Ghosts are not fled from: they follow, slowly, and are dealt with on the way.
        if (monster && h.InvincibilityTimer == 0 && d < reach) {
            awayC += dc / std::max(d, 0.1f);
            awayR += dr / std::max(d, 0.1f);
        }
    }
    if (awayC == 0 && awayR == 0) return 0;
    int best = 0;
    float bestScore = -1e9f;
    for (int d = 1; d <= 8; ++d) {
        const tdirection& s = Direction(d);
        // Every cell on the way must bear him: the game stops a walk at an edge.
        bool open = true;
        for (int k = 1; k <= 3 && open; ++k) {
            const int c = CellOf(h.column + float(k) * s.column);
            const int r = CellOf(h.row + float(k) * s.row);
            if (!tview::Inside(c, r)) {
                open = false;
                break;
            }
            const tcell& cell = view_.At(c, r);
            open = Standable(cell.kind) && cell.kind != Cell::Spikes && !cell.occupied;
        }
        if (!open) continue;
        const float score = s.column * awayC + s.row * awayR;
        if (score > bestScore) {
            bestScore = score;
            best = d;
        }
    }
    if (bestScore > 0) return best;
    // Cornered at an edge: over it.
    const int hc = CellOf(h.column), hr = CellOf(h.row);
    for (const auto& n : Neighbours) {
        if (float(n[0]) * awayC + float(n[1]) * awayR <= 0) continue;
        for (int reach = 2; reach <= 3; ++reach) {
            const int c = hc + n[0] * reach, r = hr + n[1] * reach;
            if (!tview::Inside(c, r)) break;
            const tcell& cell = view_.At(c, r);
            if (Standable(cell.kind) && cell.kind != Cell::Spikes && cell.kind != Cell::Crumbling &&
                !cell.occupied) {
                // A leap on half power falls short, into the chasm.
                if (h.Jump < 100) return 0;
                jump = std::fabs(h.height - view_.At(hc, hr).floor) < 0.1f;
                landing = {c, r, Move::Jump};
                return n[2];
            }
            if (cell.kind == Cell::Wall) break;
        }
    }
    return 0;
}

} // namespace autopilot

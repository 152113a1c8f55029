#pragma once
// Route planning over the cells the hero knows: walking to the four neighbours, straight
// jumps that land two or three cells ahead, and teleports to a seen partner. Cells not seen
// yet count as walkable at a price, so the same search explores. Costs are in tenths of a
// cell walked; hazards add to them, so the cheapest route is also the safer one.
#include "view.h"

#include <vector>

namespace autopilot {

enum class Move : uint8_t { Walk, Jump, Teleport };

struct tstep {
    int column, row; // the cell the move arrives at
    Move move;
};

// Extra costs the pilot adds to cells (ghosts near, trap lanes) and edges it found it
// cannot take. Indexed [column][row].
struct tcosts {
    std::array<std::array<int, Size>, Size> extra{};
    // What ghosts cost: counted for the cells a jump flies over too.
    std::array<std::array<int, Size>, Size> ghost{};
    // Ways found shut: bit n walks to neighbour n, bit 4 + n jumps that way.
    std::array<std::array<uint8_t, Size>, Size> blocked{};
};

class troutes {
  public:
    // Cheapest routes from (column, row) to every cell.
    void Search(const tview& view, int column, int row, const tcosts& costs);
    // Cost to reach the cell; Unreached when it cannot be reached.
    int Cost(int column, int row) const { return cost_[Index(column, row)]; }
    bool Reached(int column, int row) const { return Cost(column, row) < Unreached; }
    // The moves from the start to the cell, first move first.
    std::vector<tstep> RouteTo(int column, int row) const;

    static constexpr int Unreached = 1 << 29;

  private:
    static int Index(int c, int r) { return c * Size + r; }
    std::array<int, Size * Size> cost_{};
    std::array<int, Size * Size> parent_{};
    std::array<Move, Size * Size> how_{};
};

// Where a teleport sends the hero: the last other teleport of the same link in the game's
// scan order (rows 0..49, columns within), if the hero has seen one; else (-1, -1).
void TeleportPartner(const tview& view, int column, int row, int& toColumn, int& toRow);

// What crossing a crumbling floor costs: more than any ordinary detour, since there is no
// way back over it.
inline constexpr int CrumblingPrice = 400;

// The four straight neighbours: column and row steps, and the game's direction number.
inline constexpr int Neighbours[4][3] = {{0, 1, 1}, {1, 0, 3}, {0, -1, 5}, {-1, 0, 7}};

} // namespace autopilot

#pragma once
// A view drawn as rows of characters, first string the highest row: '.' floor, '~' pit,
// '#' wall, ',' crumbling floor, 'T' teleport (link 1), 'X' exit, '?' not seen yet,
// '+' floor with a health potion, 'G' floor with a ghost over it, 'R' a timed rock trap in
// the wall that fires in `wait` frames.
#include "autopilot/view.h"

#include "world/tables.h"

#include <memory>
#include <string>
#include <vector>

namespace autopilot {

inline std::unique_ptr<tview> Draw(const std::vector<std::string>& rows, int wait = 0) {
    auto view = std::make_unique<tview>();
    for (auto& column : view->cells)
        for (tcell& cell : column) cell.kind = Cell::Wall;
    const int top = static_cast<int>(rows.size()) - 1;
    for (int line = 0; line <= top; ++line)
        for (size_t c = 0; c < rows[size_t(line)].size(); ++c) {
            const int column = static_cast<int>(c), row = top - line;
            tcell& cell = view->At(column, row);
            switch (rows[size_t(line)][c]) {
            case '.':
                cell.kind = Cell::Floor;
                break;
            case '~':
                cell.kind = Cell::Pit;
                break;
            case ',':
                cell.kind = Cell::Crumbling;
                break;
            case 'T':
                cell.kind = Cell::Teleport;
                cell.channel = 1;
                break;
            case 'X':
                cell.kind = Cell::Exit;
                break;
            case '?':
                cell.kind = Cell::Unknown;
                break;
            case '+':
                cell.kind = Cell::Floor;
                cell.item = item::Health;
                break;
            case 'G':
                cell.kind = Cell::Floor;
                view->things.push_back({Thing::Ghost, float(column), float(row), 0.0f, 1, 0});
                break;
            case 'R':
                cell.kind = Cell::Wall;
                cell.mechanism = mechanism::TimedRockTrap;
                cell.period = 90;
                cell.param = 90 - wait;
                break;
            default:
                cell.kind = Cell::Wall;
                break;
            }
        }
    return view;
}

} // namespace autopilot

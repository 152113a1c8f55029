#pragma once
// A view drawn as rows of characters, first string the highest row: '.' floor, '~' pit,
// '#' wall, ',' crumbling floor, 'T' teleport (link 1), 'X' exit, '?' not seen yet, 'R' a
// timed rock trap in the wall that fires in `wait` frames.
#include "autopilot/view.h"

#include "world/tables.h"

#include <memory>
#include <string>
#include <vector>

namespace autopilot {

inline std::unique_ptr<tview> Sketch(const std::vector<std::string>& rows, int wait = 0) {
    auto view = std::make_unique<tview>();
    for (auto& column : view->cells)
        for (tcell& cell : column) cell.kind = Cell::Wall;
    const int top = static_cast<int>(rows.size()) - 1;
    for (int line = 0; line <= top; ++line)
        for (size_t c = 0; c < rows[size_t(line)].size(); ++c) {
            tcell& cell = view->At(static_cast<int>(c), top - line);
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
            case 'R':
                cell.mechanism = mechanism::TimedRockTrap;
                cell.period = 90;
                cell.param = 90 - wait;
                break;
            default:
                break;
            }
        }
    return view;
}

} // namespace autopilot

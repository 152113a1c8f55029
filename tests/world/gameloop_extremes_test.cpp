// A user level written with numbers at the ends of the 32-bit range plays: traps count,
// belts and designs are drawn, floors under traps are found, and nothing overflows.
#include "gameloopfixture.h"

#include <climits>

namespace looptest {
namespace {

using playfield::tmap;

TEST_F(GameLoopTest, ALevelOfExtremeNumbersPlaysHundredsOfFrames) {
    tmap map({"SAPSA", ".....", ">.H.<", "SAraA"}, 20, 20);
    const int32_t extremes[] = {INT32_MAX, INT32_MIN, INT32_MAX - 1, 1'000'000'007};
    int k = 0;
    for (int column = 20; column < 25; ++column) {
        for (int row = 20; row < 24; ++row) {
            testlevel::tcellplan& cell = map.Cell(column, row);
            if (cell.E == 12 || cell.E == 13) {
                cell.F = k % 2 ? INT32_MAX : INT32_MIN + 1;
                cell.X = extremes[k % 4];
            }
            cell.O = extremes[(k + 1) % 4];
            ++k;
        }
    }
    map.Cell(20, 22).O = INT32_MAX; // belts going nowhere
    map.Cell(24, 22).O = INT32_MIN;
    map.plan.I = std::to_string(INT32_MAX);
    map.plan.fillI = std::to_string(INT32_MIN);
    Level(map);
    player.Lives = 1;
    int64_t played = 0;
    onFrame = [&](int64_t frame) {
        played = frame + 1;
        return frame < 300;
    };
    Play();
    EXPECT_GT(played, 200);
}

} // namespace
} // namespace looptest

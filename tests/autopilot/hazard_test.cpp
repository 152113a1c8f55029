// Stones and warriors as the pilot meets them: a stone fired across the middle of a jump or
// of a walk through a lane, and a warrior whose shield faces the hero's only line of fire.
#include "autopilot/pilot.h"
#include "viewsketch.h"

#include "world/tables.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace autopilot;

TEST(Hazards, AStoneCrossingTheWayIsSeenInTime) {
    // The trap fires down across row 1; the hero crosses its column about a third of the
    // way along, seven frames into a jump or six into a walk.
    const std::vector<std::string> rows = {"#R###", ".....", "....."};
    const struct {
        const char* what;
        bool jump;
        int wait;
        bool threatened;
    } cases[] = {
        {"a stone fired as he flies over its lane, the landing clear", true, 7, true},
        {"the trap fires long after he has landed", true, 60, false},
        {"the stone has gone by before he takes off", true, -20, false},
        {"a stone fired as he walks through its lane", false, 6, true},
        {"the lane is crossed well before the trap fires", false, 60, false},
    };
    for (const auto& c : cases) {
        // A negative wait: it fired that many frames ago, and its stone is on its way.
        auto view = Draw(rows, c.wait < 0 ? 90 + c.wait : c.wait);
        if (c.wait < 0)
            view->things.push_back({Thing::Stone, 1.0f, 1.0f + 0.096f * float(c.wait), 0.0f, 5, 0});
        view->hero.column = 0.0f;
        view->hero.row = 1.0f;
        if (c.jump) {
            EXPECT_EQ(FlightThreatened(*view, 0.0f, 1.0f, 3, 1, 22), c.threatened) << c.what;
        } else {
            const std::vector<tstep> route = {
                {1, 1, Move::Walk}, {2, 1, Move::Walk}, {3, 1, Move::Walk}, {4, 1, Move::Walk}};
            EXPECT_EQ(WayThreatened(*view, route, 32), c.threatened) << c.what;
        }
    }
}

TEST(Combat, AWarriorFacingTheOnlyLineIsSteppedRound) {
    const struct {
        const char* what;
        int warriorDirection, stun;
        bool sidestep;
    } cases[] = {
        {"shield toward the hero: off its line first", 5, 0, true},
        {"stunned, it does not turn: stepping aside gains nothing", 5, 40, false},
        {"turned slantwise, the straight shot gets past the shield", 4, 0, false},
    };
    for (const auto& c : cases) {
        auto view = Draw({".....", ".....", ".....", ".....", "....."});
        tbody& h = view->hero;
        h.column = 2.0f;
        h.row = 1.0f;
        h.Facing = 1;
        h.Gun = 3;
        h.Own = {true, false, false, true};
        h.AmmoCurrent[3] = 30;
        view->things.push_back({Thing::Warrior, 2.0f, 2.5f, 0.0f, c.warriorDirection, c.stun});
        const tcombat fight = Fight(*view, false);
        EXPECT_EQ(fight.sidestep != 0, c.sidestep) << c.what;
        if (c.sidestep) {
            EXPECT_TRUE(fight.sidestep == 3 || fight.sidestep == 7) << c.what;
        }
        EXPECT_TRUE(fight.fire) << c.what; // the pilot holds it back while he steps
    }
}

TEST(Combat, AnEmptyMagazineIsNotWaitedOutNextToAMonster) {
    // The rifle refills only in the hand; the submachine gun is loaded.
    const struct {
        const char* what;
        float zombieColumn;
        int rifleRounds;
        bool change;
    } cases[] = {
        {"a zombie close: on with the loaded gun", 4.0f, 0, true},
        {"nothing close: the rifle refills in the hand", 20.0f, 0, false},
        {"a loaded rifle stays in the hand", 4.0f, 12, false},
    };
    for (const auto& c : cases) {
        auto view = Draw({"......................"});
        tbody& h = view->hero;
        h.Gun = 3;
        h.Own = {true, false, true, true};
        h.AmmoCurrent = {0, 0, 50, c.rifleRounds};
        h.AmmoAll = {0, 0, 100, 100};
        view->things.push_back({Thing::Zombie, c.zombieColumn, 0.0f, 0.0f, 7, 0});
        EXPECT_EQ(Fight(*view, false).change, c.change) << c.what;
    }
}

TEST(Hazards, APlateThatShootsWhoeverPressesItIsDear) {
    const struct {
        const char* what;
        int trapChannel;
        int trapColumn; // on row 1, above the corridor; the plate is at (2, 0)
        bool dear;
    } cases[] = {
        {"its arrow trap beside it fires across it", 1, 2, true},
        {"the trap answers another plate", 2, 2, false},
        {"the trap's lanes miss the plate", 1, 4, false},
    };
    for (const auto& c : cases) {
        auto view = Draw({"#####", "....."});
        view->At(2, 0).kind = Cell::Plate;
        view->At(2, 0).channel = 1;
        view->At(c.trapColumn, 1).mechanism = mechanism::SwitchArrowTrap;
        view->At(c.trapColumn, 1).channel = c.trapChannel;
        tcosts costs;
        PlateTrapCosts(*view, costs);
        EXPECT_EQ(costs.extra[2][0] > 0, c.dear) << c.what;
    }
}

} // namespace

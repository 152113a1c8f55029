// Ghosts on the way: their reach shuts a way when there is another, running past one costs
// what the frames within its reach cost, and a hero short of energy stands off instead.
#include "autopilot/ghosts.h"
#include "viewsketch.h"

#include "world/directions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace autopilot;

struct tplan {
    std::unique_ptr<tview> view;
    std::unique_ptr<troutes> routes = std::make_unique<troutes>();
    std::vector<tstep> route;
};

// The hero at (column, row) and his route to the exit, the ghosts' costs counted.
tplan Plan(const std::vector<std::string>& rows, float column, float row, int energy = 100) {
    tplan p{Draw(rows)};
    p.view->hero.column = column;
    p.view->hero.row = row;
    p.view->hero.Energy = energy;
    tcosts costs;
    GhostCosts(*p.view, costs);
    p.routes->Search(*p.view, CellOf(column), CellOf(row), costs);
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r)
            if (p.view->At(c, r).kind == Cell::Exit) p.route = p.routes->RouteTo(c, r);
    return p;
}

TEST(Ghosts, ReachShutsTheWayOnlyWhenThereIsAnother) {
    const tplan around = Plan({".......", ".#####.", "...G..X"}, 0, 0);
    ASSERT_FALSE(around.route.empty());
    EXPECT_EQ(GhostExposure(*around.view, around.route), 0) << "the way over the top";
    EXPECT_LT(around.routes->Cost(6, 0), GhostWallCost);

    const tplan through = Plan({"#######", "#######", "...G..X"}, 0, 0);
    ASSERT_FALSE(through.route.empty()) << "a ghost never makes the exit unreachable";
    EXPECT_GE(through.routes->Cost(6, 0), GhostWallCost);
}

TEST(Ghosts, ExposureIsTheFramesWithinReach) {
    // Walking past a ghost on the way is about 2.8 cells within its reach at 0.16 a frame;
    // one that drifts after the hero from behind never catches up.
    const tplan past = Plan({"#########", "#########", "....G...X"}, 0, 0);
    const int frames = GhostExposure(*past.view, past.route);
    EXPECT_GE(frames, 14);
    EXPECT_LE(frames, 24);
    const tplan behind = Plan({"#########", "#########", "G........X"}, 2, 0);
    EXPECT_EQ(GhostExposure(*behind.view, behind.route), 0);
}

TEST(Ghosts, WhatTheHeroDoesAboutAGhostInANarrowWay) {
    // A room on the left, a one-cell passage with a ghost in it, the exit at its end.
    const std::vector<std::string> hall = {
        "......#######", "......#######", "........G...X", "......#######", "......#######",
    };
    std::vector<std::string> potion = hall;
    potion[0][0] = '+';
    std::vector<std::string> faraway = hall;
    faraway[2][8] = '.';
    faraway[0][3] = 'G';
    using Kind = tghostplan::Kind;
    const struct {
        const char* what;
        std::vector<std::string> rows;
        float column, row;
        int energy;
        bool patient, dashing;
        Kind kind;
    } cases[] = {
        {"a ghost off the way is no matter", faraway, 5, 2, 30, true, false, Kind::Clear},
        {"far from it, he goes on and lets it come", hall, 1, 2, 30, true, false, Kind::Clear},
        {"full energy and no more patience: straight past", hall, 5, 2, 100, false, false,
         Kind::Dash},
        {"short of energy, out of its reach: he lets it come", hall, 5, 2, 30, true, false,
         Kind::Hold},
        {"short of energy, within a step of it: he backs off", hall, 6, 2, 30, true, false,
         Kind::Lure},
        {"short of energy, a potion in the room: he drinks first", potion, 5, 2, 30, true, false,
         Kind::Lure},
        {"half-way past, he does not turn back", hall, 8.5f, 2, 20, true, true, Kind::Dash},
    };
    for (const auto& c : cases) {
        const tplan p = Plan(c.rows, c.column, c.row, c.energy);
        const tghostplan plan = PlanForGhosts(*p.view, *p.routes, p.route, c.patient, c.dashing);
        EXPECT_STREQ(GhostPlanName(plan.kind), GhostPlanName(c.kind)) << c.what;
        if (plan.kind != Kind::Lure) continue;
        if (c.rows == potion) {
            EXPECT_EQ(plan.column, 0) << c.what;
            EXPECT_EQ(plan.row, 4) << c.what;
        } else {
            EXPECT_GE(NearestGhost(*p.view, float(plan.column), float(plan.row)), 3.0f) << c.what;
        }
    }
}

TEST(Ghosts, NoStandingOffOnAFloorThatCrumbles) {
    tplan p = Plan({"......#######", "......#######", ".....,..G...X"}, 5, 0, 30);
    const tghostplan plan = PlanForGhosts(*p.view, *p.routes, p.route, true, false);
    EXPECT_STREQ(GhostPlanName(plan.kind), "dash");
}

} // namespace

#include "levelcheck.h"
#include "sourcemaker.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

using levelkit::CheckLevel;
using levelkit::MoveKind;
using testlevels::Level;
using testlevels::Source;

TEST(LevelCheck, JumpsCrossTwoPitCellsButNotThree) {
    auto two = CheckLevel(*Level(Source({"..~~..X"}, 0, 0)));
    EXPECT_TRUE(two.completable) << two.reason;
    EXPECT_EQ(two.jumps, 1);
    auto three = CheckLevel(*Level(Source({"..~~~.X"}, 0, 0)));
    EXPECT_FALSE(three.completable);
    EXPECT_NE(three.reason.find("no exit can be reached"), std::string::npos) << three.reason;
    // A wall in the way cannot be jumped over, nor can a jump land on one.
    EXPECT_FALSE(CheckLevel(*Level(Source({"..#~..X"}, 0, 0))).completable);
    // Diagonal gaps are not trusted: only straight jumps.
    EXPECT_FALSE(CheckLevel(*Level(Source({".~~", "~~~", "~~X"}, 0, 0))).completable);
    // Closing pits are pits until jumped over; unknown tile types have no floor at all.
    EXPECT_FALSE(CheckLevel(*Level(Source({"..uu~.X"}, 0, 0))).completable);
    EXPECT_FALSE(CheckLevel(*Level(Source({"..?~~.X"}, 0, 0, "2 0 tile=18\n"))).completable);
}

TEST(LevelCheck, TeleportPairsCarryTheHeroToTheLastPartnerInScanOrder) {
    // Two islands, no bridge: only the teleport pair (link 7) joins them.
    auto joined = CheckLevel(*Level(Source({".T~~~~~~T.X"}, 0, 0, "1 0 link=7\n8 0 link=7\n")));
    EXPECT_TRUE(joined.completable) << joined.reason;
    EXPECT_EQ(joined.teleports, 1);
    auto unpaired = CheckLevel(*Level(Source({".T~~~~~~T.X"}, 0, 0, "1 0 link=7\n8 0 link=8\n")));
    EXPECT_FALSE(unpaired.completable);
    // Three teleports of one link. The game scans world rows upward (map lines 49..0),
    // columns left to right, and the last match wins: from (0, 2) that is (5, 0).
    auto level = Level(
        Source({".T~~~T.X", "~~~~~~~~", "T.~~~~~~"}, 0, 2, "1 0 link=3\n5 0 link=3\n0 2 link=3\n"));
    auto result = CheckLevel(*level);
    ASSERT_TRUE(result.completable) << result.reason;
    EXPECT_EQ(result.teleports, 1);
    EXPECT_EQ(result.route[1].kind, MoveKind::Teleport);
    EXPECT_EQ(result.route[1].column, 5);
    EXPECT_EQ(result.route[1].line, 0);
}

TEST(LevelCheck, SwitchPlatesLowerAndRaiseTheWallsOfTheirLink) {
    // The door (D, link 1) bars the corridor; the plate lies in a side pocket.
    auto opened =
        CheckLevel(*Level(Source({"...D..X", ".o~~~~~"}, 0, 0, "3 0 link=1\n1 1 link=1\n")));
    EXPECT_TRUE(opened.completable) << opened.reason;
    EXPECT_EQ(opened.platesPressed, 1);
    auto noPlate = CheckLevel(*Level(Source({"...D..X", "..~~~~~"}, 0, 0, "3 0 link=1\n")));
    EXPECT_FALSE(noPlate.completable);
    auto wrongLink =
        CheckLevel(*Level(Source({"...D..X", ".o~~~~~"}, 0, 0, "3 0 link=1\n1 1 link=2\n")));
    EXPECT_FALSE(wrongLink.completable);
    // Three plates in a row cannot be jumped clear: they raise the wall (d) ahead.
    auto sealed = CheckLevel(
        *Level(Source({"..ooo.d.X"}, 0, 0, "2 0 link=4\n3 0 link=4\n4 0 link=4\n6 0 link=4\n")));
    EXPECT_FALSE(sealed.completable);
    // One plate can be: a hero in the air presses nothing.
    auto hopped = CheckLevel(*Level(Source({"..o.d.X"}, 0, 0, "2 0 link=4\n4 0 link=4\n")));
    EXPECT_TRUE(hopped.completable) << hopped.reason;
    EXPECT_EQ(hopped.platesPressed, 0);
    EXPECT_GE(hopped.jumps, 1);
}

TEST(LevelCheck, CrumblingFloorsCarryTheHeroOnce) {
    auto once = CheckLevel(*Level(Source({"..,,,.X"}, 0, 0)));
    EXPECT_TRUE(once.completable) << once.reason;
    // Stepping stones that crumble, with the plate for the door beyond them: the hero
    // would have to use them twice.
    const std::string links = "2 0 link=1\n12 0 link=1\n";
    auto twice = CheckLevel(*Level(Source({"X.D.,~~,~~,.o"}, 3, 0, links)));
    EXPECT_FALSE(twice.completable);
    auto plain = CheckLevel(*Level(Source({"X.D..~~.~~..o"}, 3, 0, links)));
    EXPECT_TRUE(plain.completable) << plain.reason;
}

TEST(LevelCheck, RefusesLevelsTheGameWouldNotPlay) {
    EXPECT_NE(CheckLevel(*Level(Source({"...."}, 0, 0))).reason.find("no exit"), std::string::npos);
    EXPECT_NE(CheckLevel(*Level(Source({"~..X"}, 0, 0))).reason.find("starts on a pit"),
              std::string::npos);
    auto level = Level(Source({"...X"}, 0, 0));
    level->header[levelkit::HAg] = "4321";
    EXPECT_NE(CheckLevel(*level).reason.find("Id and Ag differ"), std::string::npos);
    level = Level(Source({"...X"}, 0, 0, "1 0 link=\"x\"\n"));
    EXPECT_FALSE(CheckLevel(*level).completable);
    level = Level(Source({"...X"}, 60, 0));
    EXPECT_NE(CheckLevel(*level).reason.find("not a cell"), std::string::npos);
    // A link beyond the game's range makes the game refuse the level, even on a cell the
    // route never needs.
    const std::pair<const char*, bool> links[] = {
        {"1000000", true}, {"-1000000", true}, {"1000001", false}, {"-2147483648", false}};
    for (const auto& [link, completable] : links) {
        level = Level(Source({"...X"}, 0, 0, std::string("2 0 link=") + link + "\n"));
        const auto result = CheckLevel(*level);
        EXPECT_EQ(result.completable, completable) << link;
        EXPECT_EQ(result.reason.find(link) != std::string::npos, !completable) << result.reason;
    }
}

TEST(LevelCheck, RouteRunsFromStartToExitInSingleMoves) {
    auto result = CheckLevel(*Level(Source({"....", "~~~.", "~~~.", "~~~.", "X..."}, 0, 0)));
    ASSERT_TRUE(result.completable) << result.reason;
    EXPECT_EQ(result.cells, 10);
    EXPECT_EQ(result.route.front().kind, MoveKind::Start);
    EXPECT_EQ(result.route.back().column, 0);
    EXPECT_EQ(result.route.back().line, 4);
    for (size_t k = 1; k < result.route.size(); ++k) {
        int d = std::abs(result.route[k].column - result.route[k - 1].column) +
                std::abs(result.route[k].line - result.route[k - 1].line);
        EXPECT_EQ(d, 1) << "step " << k;
    }
}

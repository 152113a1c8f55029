// Route planning over what the hero has seen: walking, the jump reach, exploring unseen
// cells, teleport partners, and crumbling floors left for last.
#include "autopilot/route.h"
#include "autopilot/shopping.h"
#include "viewsketch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace autopilot;

struct tcase {
    const char* what;
    std::vector<std::string> rows;
    int toColumn, toRow;
    bool reached;
    std::vector<Move> moves; // the whole route; empty: not checked
};

TEST(Route, MovesAHeroCanMake) {
    const tcase cases[] = {
        {"a one-cell chasm is jumped", {".~.#X"}, 2, 0, true, {Move::Jump}},
        {"a two-cell chasm is jumped", {".~~.X"}, 4, 0, true, {Move::Jump, Move::Walk}},
        {"three pit cells are out of reach", {".~~~.X"}, 5, 0, false, {}},
        {"no jump through a wall", {".#.X"}, 3, 0, false, {}},
        {"unseen cells are walked into to look", {"..??X"}, 4, 0, true, {}},
        {"no jump over or from cells not seen", {".?~.X"}, 4, 0, false, {}},
        {"a jump may land on a cell not seen, to look", {".~?"}, 2, 0, true, {Move::Jump}},
        {"a teleport takes the hero to its partner",
         {"T#T.X"},
         4,
         0,
         true,
         {Move::Teleport, Move::Walk, Move::Walk}},
        {"a crumbling bridge is left when a detour exists",
         {"......", ".,,,,X"},
         5,
         0,
         true,
         {Move::Walk, Move::Walk, Move::Walk, Move::Walk, Move::Walk, Move::Walk, Move::Walk}},
    };
    for (const tcase& c : cases) {
        const auto view = Draw(c.rows);
        auto routes = std::make_unique<troutes>();
        routes->Search(*view, 0, 0, tcosts{});
        EXPECT_EQ(routes->Reached(c.toColumn, c.toRow), c.reached) << c.what;
        if (c.moves.empty()) continue;
        std::vector<Move> moves;
        for (const tstep& s : routes->RouteTo(c.toColumn, c.toRow)) moves.push_back(s.move);
        EXPECT_EQ(moves, c.moves) << c.what;
    }
}

TEST(Route, TeleportPartnerIsTheLastInScanOrder) {
    // Rows 0..49 outer, columns inner: the one on the higher row comes last.
    const auto view = Draw({"..T", "T.T"});
    int column = 0, row = 0;
    TeleportPartner(*view, 0, 0, column, row);
    EXPECT_EQ(column, 2);
    EXPECT_EQ(row, 1);
}

tplayer Purse(int money, bool pistol = false, bool rifle = false, int pistolRounds = 0,
              bool smg = false) {
    tplayer p;
    p.Money = money;
    p.Own = {true, pistol, smg, rifle};
    p.AmmoAll[1] = pistolRounds;
    return p;
}

TEST(Shopping, GunFirstThenRoundsForTheBestGun) {
    const struct {
        const char* what;
        tplayer player;
        std::vector<int> rows;
    } cases[] = {
        {"nothing affordable", Purse(999), {}},
        {"the pistol and what is left in rounds", Purse(1012), {0, 1, 1, 1}},
        {"rounds only up to the stock", Purse(1000, true, false, 60), {1}},
        {"the submachine gun as soon as affordable", Purse(3030, true), {2, 3}},
        {"the rifle over the submachine gun, and no pistol with it", Purse(3530), {4, 5, 5}},
        {"the rifle once affordable, though the submachine gun is owned",
         Purse(3500, true, false, 0, true),
         {4}},
        {"rifle rounds when the rifle is the best gun owned", Purse(20, true, true, 0), {5}},
    };
    for (const auto& c : cases) EXPECT_EQ(ShoppingList(c.player), c.rows) << c.what;
}

TEST(Shopping, KeysWalkTheRowsFromContinue) {
    // From "Continue -->" one Down reaches the pistol row; every press is let go again.
    const std::vector<std::vector<int>> keys = ShopKeys({0, 1});
    const std::vector<std::vector<int>> expected = {
        {},    {208}, {},    {57}, {},    {208}, {},    {57}, {}, // to row 0, buy, to row 1, buy
        {208}, {},    {208}, {},   {208}, {},    {208}, {},   {208},
        {},    {57},  {}}; // on to Continue
    EXPECT_EQ(keys, expected);
}

} // namespace

#pragma once
// The autopilot's shopping: a fixed policy (a gun as soon as it is affordable and better than
// every gun owned, then rounds for the best gun up to a stock) and the key presses that carry
// it out in the shop screen. The best gun is the one that kills most in a second: the
// submachine gun fires fastest, but the assault rifle's bullets kill more often.
#include "world/playerrecord.h"

#include <vector>

namespace autopilot {

// The shop's rows, in the order the screen lists them (row 6 is "Continue -->").
inline constexpr int ShopRows = 7;
inline constexpr int ContinueRow = 6;

// How good a gun is (0 for none): higher kills more in a second.
int GunRank(int gun);

// The rows to buy, in order, for a player with this purse and equipment.
std::vector<int> ShoppingList(const tplayer& player);

// The keys to hold at each poll of the shop screen to buy the rows and continue: the screen
// starts on "Continue -->" and reacts to presses, so each press is one poll held and one
// poll let go.
std::vector<std::vector<int>> ShopKeys(const std::vector<int>& rows);

} // namespace autopilot

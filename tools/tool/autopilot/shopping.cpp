#include "shopping.h"

namespace autopilot {

namespace {

constexpr int KeyDownArrow = 208, KeySpace = 57;

struct tware {
    int row;
    int gun;
    int price;
    int rounds; // 0 for the gun itself
};
// The shop's prices; the policy needs them to plan the whole visit at once.
constexpr tware Guns[] = {{4, 3, 3500, 0}, {0, 1, 1000, 0}};
constexpr tware Rounds[] = {{5, 3, 15, 30}, {3, 2, 25, 50}, {1, 1, 4, 8}};
// Rounds the pilot likes to carry for the gun in hand.
constexpr int Stock[4] = {0, 64, 300, 300};

} // namespace

std::vector<int> ShoppingList(const tplayer& player) {
    std::vector<int> rows;
    int money = player.Money;
    auto own = player.Own;
    for (const tware& gun : Guns) {
        if (own[size_t(gun.gun)] || own[3] || money < gun.price) continue;
        rows.push_back(gun.row);
        money -= gun.price;
        own[size_t(gun.gun)] = true;
    }
    for (const tware& pack : Rounds) {
        if (!own[size_t(pack.gun)]) continue;
        int rounds = player.AmmoCurrent[size_t(pack.gun)] + player.AmmoAll[size_t(pack.gun)];
        while (rounds < Stock[pack.gun] && money >= pack.price) {
            rows.push_back(pack.row);
            money -= pack.price;
            rounds += pack.rounds;
        }
        break; // rounds for the best gun only
    }
    return rows;
}

std::vector<std::vector<int>> ShopKeys(const std::vector<int>& rows) {
    std::vector<std::vector<int>> keys{{}};
    auto press = [&keys](int key) {
        keys.push_back({key});
        keys.push_back({});
    };
    int at = ContinueRow;
    for (int row : rows) {
        for (; at != row; at = (at + 1) % ShopRows) press(KeyDownArrow);
        press(KeySpace);
    }
    for (; at != ContinueRow; at = (at + 1) % ShopRows) press(KeyDownArrow);
    press(KeySpace);
    return keys;
}

} // namespace autopilot

#include "shopping.h"

#include "creatures/monsters.h"
#include "world/guns/guntables.h"

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
constexpr tware GunWares[] = {{0, 1, 1000, 0}, {2, 2, 3000, 0}, {4, 3, 3500, 0}};
constexpr tware Rounds[] = {{1, 1, 4, 8}, {3, 2, 25, 50}, {5, 3, 15, 30}};
// Rounds the pilot likes to carry for the gun in hand.
constexpr int Stock[4] = {0, 64, 400, 400};

} // namespace

int GunRank(int gun) {
    // Kills a frame, in thousandths of a percent: how often it fires times how often a
    // bullet kills.
    return gun <= 0 || gun > 3 ? 0 : 1000 * HitChanceOf(gun) / Guns[gun].FireInterval;
}

std::vector<int> ShoppingList(const tplayer& player) {
    std::vector<int> rows;
    int money = player.Money;
    auto own = player.Own;
    // The best gun affordable, when it beats every gun owned.
    int owned = 0;
    for (int gun = 1; gun <= 3; ++gun)
        if (own[size_t(gun)] && GunRank(gun) > GunRank(owned)) owned = gun;
    const tware* buy = nullptr;
    for (const tware& gun : GunWares)
        if (money >= gun.price && GunRank(gun.gun) > GunRank(owned) &&
            (!buy || GunRank(gun.gun) > GunRank(buy->gun)))
            buy = &gun;
    if (buy) {
        rows.push_back(buy->row);
        money -= buy->price;
        own[size_t(buy->gun)] = true;
        owned = buy->gun;
    }
    // Rounds for the best gun owned only.
    for (const tware& pack : Rounds) {
        if (pack.gun != owned) continue;
        int rounds = player.AmmoCurrent[size_t(pack.gun)] + player.AmmoAll[size_t(pack.gun)];
        while (rounds < Stock[pack.gun] && money >= pack.price) {
            rows.push_back(pack.row);
            money -= pack.price;
            rounds += pack.rounds;
        }
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

#include "world/hero/heropickups.h"

#include "engine/random.h"
#include "world/creaturebase.h"
#include "world/creaturekinds.h"
#include "world/hero/herocommon.h"
#include "world/playerrecord.h"
#include "world/worldops.h"

namespace {

constexpr int32_t TreasurePoints = 150;
constexpr int32_t TreasureMoney = 5;
constexpr int32_t PotionFrames = 360;

enum class tkind { Nothing, Treasure, Health, Life, Timer, KillAll };

struct tpickup {
    tkind kind;
    int32_t model;            // the particle that flies up
    int32_t* timer = nullptr; // the potion timer it restarts
};

// By item code 0..17.
constexpr tpickup Pickups[] = {
    {tkind::Nothing, -1},
    {tkind::Treasure, models::Treasure1},
    {tkind::Health, models::HealthPotion},
    {tkind::Life, models::LifePotion},
    {tkind::Timer, models::SpeedPotion, &inlevel.SpeedTimer},
    {tkind::Timer, models::BlessingPotion, &inlevel.BlessingTimer},
    {tkind::Timer, models::InvincibilityPotion, &inlevel.InvincibilityTimer},
    {tkind::Timer, models::InvisibilityPotion, &inlevel.InvisibilityTimer},
    {tkind::KillAll, models::KillAllPotion},
    // 9..15: decorations are only drawn.
    {tkind::Nothing, -1},
    {tkind::Nothing, -1},
    {tkind::Nothing, -1},
    {tkind::Nothing, -1},
    {tkind::Nothing, -1},
    {tkind::Nothing, -1},
    {tkind::Nothing, -1},
    {tkind::Treasure, models::Treasure2},
    {tkind::Treasure, models::Treasure3},
};

const tpickup& PickupOf(int32_t code) {
    constexpr int32_t count = sizeof Pickups / sizeof Pickups[0];
    return Pickups[(code >= 0 && code < count) ? code : 0];
}

void FlyUp(int32_t model, const tcellindex& cell) {
    const float r1 = static_cast<float>(Random(41));
    const float r2 = static_cast<float>(Random(61));
    const float r3 = static_cast<float>(Random(41));
    const tfloat3 velocity{(r1 - 20.0f) / 100.0f, r2 / 100.0f + 0.6f, (r3 - 20.0f) / 100.0f};
    const tfloat3 angles = RandomAngles();
    SpawnEffect(model, 1.5f, 1.0f, 1.0f, angles, velocity,
                {static_cast<float>(cell.column), 0.0f, static_cast<float>(cell.row)});
}

} // namespace

void KillAllSeenMonsters() {
    for (size_t i = creatures.size(); i-- > 0;) {
        tcreature& c = *creatures[i];
        const ttile* tile = TileAt(CellOf(c.column), CellOf(c.row));
        if (!tile || tile->seen != SeenMark || !IsMonsterModel(c.model)) continue;
        c.Die(c.direction);
        RemoveCreature(i);
    }
}

void PickUps() {
    const tcellindex cell = HeroCell();
    ttile& tile = TileOf(cell);
    if (std::fabs(hero.height - tile.floor) >= 0.1f) return;
    const tpickup& pickup = PickupOf(tile.item);
    tplayer& player = Player();
    switch (pickup.kind) {
    case tkind::Nothing:
        return;
    case tkind::Treasure:
        ++inlevel.TreasuresFound;
        AddScore(TreasurePoints);
        inlevel.TreasureBonus += TreasureMoney;
        break;
    case tkind::Health:
        ++inlevel.PotionsFound;
        player.Energy = 100;
        break;
    case tkind::Life:
        ++inlevel.PotionsFound;
        ++player.Lives;
        break;
    case tkind::Timer:
        ++inlevel.PotionsFound;
        *pickup.timer = PotionFrames; // a second potion restarts the count, it does not add
        break;
    case tkind::KillAll:
        ++inlevel.PotionsFound;
        KillAllSeenMonsters();
        break;
    }
    WorldOutput().PlayEffect(sfx::Test, EffectLevel());
    FlyUp(pickup.model, cell);
    tile.item = item::None;
}

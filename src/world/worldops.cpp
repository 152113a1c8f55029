#include "world/worldops.h"

#include "engine/random.h"
#include "render/assetorder.h"
#include "world/creaturebase.h"
#include "world/creaturekinds.h"
#include "world/guns/guntables.h"
#include "world/playerrecord.h"

#include <algorithm>
#include <climits>
#include <new>

void AddScore(int32_t points) {
    Player().Score += inlevel.GuideOn ? points / 2 : points;
}

void Reload(int32_t gun) {
    if (gun < 1 || gun > GunCount) return;
    tplayer& player = Player();
    // Counted in 64 bits and held to the 32-bit range: rounds at either end of it (a
    // doctored players file) must not wrap around.
    const int64_t magazine = Guns[gun].MagazineSize;
    int64_t current = player.AmmoCurrent[gun];
    int64_t spare = player.AmmoAll[gun];
    const int64_t need = magazine - current;
    if (spare < need) {
        current += spare;
        spare = 0;
    } else {
        current = magazine;
        spare -= need;
    }
    auto held = [](int64_t rounds) {
        return static_cast<int32_t>(std::clamp<int64_t>(rounds, INT32_MIN, INT32_MAX));
    };
    player.AmmoCurrent[gun] = held(current);
    player.AmmoAll[gun] = held(spare);
}

tfloat3 RandomAngles() {
    tfloat3 angles;
    for (float& angle : angles) angle = Radians(static_cast<float>(Random(360)));
    return angles;
}

void SprayBlood(int32_t drops) {
    for (int32_t i = 0; i < drops; ++i) {
        float r1 = static_cast<float>(Random(31));
        float r2 = static_cast<float>(Random(31));
        float r3 = static_cast<float>(Random(31));
        tfloat3 velocity{(r1 - 15.0f) / 100.0f, r2 / 100.0f + 0.2f, (r3 - 15.0f) / 100.0f};
        tfloat3 angles = RandomAngles();
        SpawnEffect(models::Blood, 0.3f, 0.6f, 0.2f, angles, velocity,
                    {hero.column, 1.0f, hero.row});
    }
}

void HurtHero(int32_t amount) {
    int32_t damage = amount / 2 + Random(amount / 2 + 1);
    Player().Energy -= damage;
    SprayBlood(damage / 2);
}

void SpawnEffect(int32_t model, float sizeFactor, float maxScale, float minScale,
                 const tfloat3& angles, const tfloat3& velocity, const tfloat3& position) {
    teffect effect;
    effect.position = position;
    effect.velocity = velocity;
    effect.angles = angles;
    effect.scale = minScale + static_cast<float>(Random(101)) * (maxScale - minScale) / 100.0f;
    effect.scale2 = effect.scale * sizeFactor;
    effect.model = model;
    try {
        effects.push_back(effect);
    } catch (const std::bad_alloc&) {
        // A particle is decoration: without memory for it the game simply goes on.
    }
}

namespace {
template <typename List> void RemoveAt(List& list, size_t i) {
    if (i < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
}

// The four neighbours a trap shoots into, with the direction the shot travels.
struct tneighbour {
    int32_t dc, dr, direction;
};
constexpr tneighbour TrapNeighbours[4] = {{-1, 0, 7}, {1, 0, 3}, {0, -1, 5}, {0, 1, 1}};

template <typename Add> void FireFromTrap(int32_t column, int32_t row, Add add) {
    for (const tneighbour& n : TrapNeighbours) {
        const ttile* cell = TileAt(column + n.dc, row + n.dr);
        if (cell && !cell->solid) add(n.direction, row + n.dr, column + n.dc);
    }
}
} // namespace

void RemoveEffect(size_t i) {
    RemoveAt(effects, i);
}
void RemoveBullet(size_t i) {
    RemoveAt(bullets, i);
}
void RemoveCreature(size_t i) {
    RemoveAt(creatures, i);
}

// Monsters and blobs start facing direction 1.
void AddZombie(int32_t row, int32_t column) {
    SpawnCreature(CreatureKindNamed("zombie"), 1, row, column);
}
void AddWarrior(int32_t row, int32_t column) {
    SpawnCreature(CreatureKindNamed("warrior"), 1, row, column);
}
void AddGhost(int32_t row, int32_t column) {
    SpawnCreature(CreatureKindNamed("ghost"), 1, row, column);
}
void AddBlob(int32_t row, int32_t column) {
    SpawnCreature(CreatureKindNamed("blob"), 1, row, column);
}
void AddStone(int32_t direction, int32_t row, int32_t column) {
    SpawnCreature(CreatureKindNamed("stone"), direction, row, column);
}
void AddArrow(int32_t direction, int32_t row, int32_t column) {
    SpawnCreature(CreatureKindNamed("arrow"), direction, row, column);
}

void FireStones(int32_t column, int32_t row) {
    FireFromTrap(column, row, AddStone);
}
void FireArrows(int32_t column, int32_t row) {
    FireFromTrap(column, row, AddArrow);
}

bool MarkSeen(int32_t column, int32_t row) {
    ttile* cell = TileAt(column, row);
    if (!cell) return false;
    cell->seen = SeenMark;
    return !cell->solid;
}

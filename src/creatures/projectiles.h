#pragma once
// The traps' arrows and stones. An arrow flies straight at constant speed and hurts the
// hero once; a stone rolls along the floor, falls off edges, crushes zombies and warriors
// in its way and is deadly to the hero. Neither can be shot down. The Add operations of the
// world create them with their direction (1, 3, 5 or 7) and the model their kind is known
// by.
#include "creatures/creature.h"

#include <cstdint>

class tarrow : public tcreature {
  public:
    static constexpr float Speed = 1.5f; // walking steps per frame: 0.24 cells along an axis
    static constexpr float Reach = 0.5f; // distance to the hero at which it strikes
    static constexpr int32_t LeastDamage = 15;
    static constexpr int32_t DamageSpread = 15; // damage 15..29

    tarrow(int32_t direction, float column, float row) : tcreature(direction, column, row) {}
    bool Update() override;
    void Draw(TDGraphics& graphics) override;
};

class tstone : public tcreature {
  public:
    // Walking steps per frame: 3 / 5, 0.096 cells along an axis.
    static constexpr float SpeedTimes = 3.0f, SpeedOver = 5.0f;
    static constexpr float Reach = 0.7f;
    static constexpr int32_t Damage = 100; // energy per frame the hero stays in reach
    static constexpr int32_t BloodDrops = 50;
    static constexpr float FadeStep = 0.1f; // full size and the level's light in 10 frames
    static constexpr float Gravity = 0.05f;
    static constexpr float LowestHeight = -100.0f;

    tstone(int32_t direction, float column, float row) : tcreature(direction, column, row) {}
    bool Update() override;
    void Draw(TDGraphics& graphics) override;
};

// Signs of a rolling stone's turn about the column (x) and row (z) axes by direction 0..8.
struct trollaxes {
    float x, z;
};
inline constexpr trollaxes StoneRollAxes[9] = {
    {0, 0}, {1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1},
};

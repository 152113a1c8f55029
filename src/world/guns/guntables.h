#pragma once
// The three guns, indexed by the player's Gun number (0 = no gun carries nothing).
#include "render/assetorder.h"

#include <cstdint>

struct tgun {
    int32_t MagazineSize;
    int32_t FireInterval; // frames between shots
    int32_t model;        // model store index of the gun drawn in the hero's hand
    int32_t shotsound;    // effect index
};

inline constexpr tgun Guns[4] = {
    {0, 0, -1, -1},
    {8, 13, models::Weapon2, sfx::FirstShot},
    {50, 5, models::Weapon1, sfx::FirstShot + 1},
    {30, 7, models::Weapon3, sfx::FirstShot + 2},
};

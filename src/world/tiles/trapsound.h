#pragma once
// Trap and belt sounds are louder the nearer the hero is: full volume up to `near` cells
// away (the larger of the column and row distances), then 0.75, 0.5 and 0.25 for each cell
// further, and nothing beyond.
#include "render/assetorder.h"

#include <cstdint>

struct tdistancesound {
    int32_t effect;
    int32_t near; // the farthest cell distance heard at full volume
};

inline constexpr tdistancesound RockSound{sfx::RockTrap, 3};
inline constexpr tdistancesound ArrowSound{sfx::ArrowTrap, 2};
inline constexpr tdistancesound BeltSound{sfx::Belt, 0}; // only on the hero's own cell
inline constexpr tdistancesound SpikeSound{sfx::Spikes, 1};

// The factor 0..1 of a source at (column, row) for a hero in (heroColumn, heroRow).
float DistanceFactor(const tdistancesound& sound, int32_t column, int32_t row, int32_t heroColumn,
                     int32_t heroRow);
// Plays the sound at EffectVolume x factor / 100; a factor of 0 plays nothing.
void PlayAtFactor(const tdistancesound& sound, float factor);

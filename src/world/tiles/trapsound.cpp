#include "world/tiles/trapsound.h"

#include "world/worldoutput.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr float Factors[4] = {1.0f, 0.75f, 0.5f, 0.25f};
}

float DistanceFactor(const tdistancesound& sound, int32_t column, int32_t row, int32_t heroColumn,
                     int32_t heroRow) {
    const int32_t distance = std::max(std::abs(heroColumn - column), std::abs(heroRow - row));
    for (int32_t i = 0; i < 4; ++i)
        if (distance <= sound.near + i) return Factors[i];
    return 0.0f;
}

void PlayAtFactor(const tdistancesound& sound, float factor) {
    if (factor > 0.0f) WorldOutput().PlayEffect(sound.effect, EffectLevel() * factor);
}

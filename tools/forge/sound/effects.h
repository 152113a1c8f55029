#pragma once
// The game's sound effects, one recipe per file.
#include "dsp.h"

#include <span>

namespace forge::sound {

struct EffectRecipe {
    const char* file; // as the game names it, "snd\..."
    Mono (*make)();
    float peak; // loudness relative to full scale, so effects sit together in a mix
};

// Every effect the game loads, in its load order.
std::span<const EffectRecipe> Effects();

// Renders one effect and brings it to its peak level.
Mono RenderEffect(const EffectRecipe& recipe);

} // namespace forge::sound

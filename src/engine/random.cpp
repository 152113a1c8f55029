#include "engine/random.h"

namespace {
uint32_t seed = 0;

void Step() {
    seed = seed * 134775813u + 1u;
}
} // namespace

void Randomize(uint32_t newSeed) {
    seed = newSeed;
}

uint32_t RandomSeed() {
    return seed;
}

int32_t Random(int32_t n) {
    Step();
    if (n <= 0) return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(n)) >> 32);
}

float RandomFloat() {
    Step();
    return static_cast<float>(static_cast<double>(seed) / 4294967296.0);
}

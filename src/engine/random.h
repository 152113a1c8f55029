#pragma once
// The one random generator of the whole program, a 32-bit linear congruential generator:
// seed := seed * 134775813 + 1 (mod 2^32), random(n) = seed * n div 2^32.
#include <cstdint>

void Randomize(uint32_t seed);
uint32_t RandomSeed();
// A number 0..n-1 (0 when n <= 0).
int32_t Random(int32_t n);
// A float in [0, 1).
float RandomFloat();

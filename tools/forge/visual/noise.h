#pragma once
// Deterministic lattice noise for the procedural textures: the same inputs give the same
// values on every run, so the data files come out byte for byte the same.
#include <cmath>
#include <cstdint>

namespace forge {

inline uint32_t Hash(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ uint32_t(x) * 0x85EBCA77u ^ uint32_t(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}
inline float Hash01(int32_t x, int32_t y, uint32_t seed) {
    return (Hash(x, y, seed) & 0xFFFFFF) / float(0x1000000);
}

// Smooth value noise, 0..1. `period` > 0 makes it tile every `period` lattice cells.
inline float ValueNoise(float x, float y, uint32_t seed, int period = 0) {
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - ix, fy = y - iy;
    auto wrap = [&](int v) { return period > 0 ? ((v % period) + period) % period : v; };
    float a = Hash01(wrap(ix), wrap(iy), seed), b = Hash01(wrap(ix + 1), wrap(iy), seed);
    float c = Hash01(wrap(ix), wrap(iy + 1), seed), d = Hash01(wrap(ix + 1), wrap(iy + 1), seed);
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

// Sum of octaves, 0..1.
inline float Fbm(float x, float y, uint32_t seed, int octaves = 4, int period = 0) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += ValueNoise(x, y, seed + o * 101, period) * amp;
        norm += amp;
        x *= 2, y *= 2, amp *= 0.5f;
        if (period > 0) period *= 2;
    }
    return sum / norm;
}

// Distance to the nearest and second nearest jittered point (cellular noise).
inline void Cells(float x, float y, uint32_t seed, float& nearest, float& second, uint32_t& id) {
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    nearest = second = 9;
    id = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            float px = ix + dx + 0.15f + 0.7f * Hash01(ix + dx, iy + dy, seed);
            float py = iy + dy + 0.15f + 0.7f * Hash01(ix + dx, iy + dy, seed + 7);
            float d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
            if (d < nearest)
                second = nearest, nearest = d, id = Hash(ix + dx, iy + dy, seed);
            else if (d < second)
                second = d;
        }
}

} // namespace forge

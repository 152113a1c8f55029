#pragma once
// Shared brushes of the material paintings, and the painters' tables. A painter gives the
// colour of its material at (u, v) in 0..1 across its cell of the texture sheet.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

#include "image.h"
#include "materials.h"
#include "noise.h"
#include "vecmath.h"

namespace forge {

using Painter = Colour (*)(float u, float v);
struct MaterialPainter {
    Material material;
    Painter paint;
};
// Floors, walls and mechanisms; items and creatures.
std::span<const MaterialPainter> SurfacePainters();
std::span<const MaterialPainter> ThingPainters();

inline Colour Grain(Colour base, float u, float v, uint32_t seed, float amount, float freq = 8) {
    float n = Fbm(u * freq, v * freq, seed, 4, int(freq)) - 0.5f;
    return Shade(base, 1 + n * amount * 2);
}

struct Brick {
    float s, t;   // position inside the brick, 0..1
    uint32_t id;  // which brick
    float mortar; // 1 in the joint, 0 inside the brick
};
inline Brick Bricks(float u, float v, int rows, int cols, float joint, uint32_t seed) {
    float row = v * rows;
    int r = int(row);
    float shift = (r % 2) ? 0.5f : 0.0f;
    float col = u * cols + shift;
    int c = int(std::floor(col));
    Brick b{col - c, row - r, Hash(((c % cols) + cols) % cols, r, seed), 0};
    float ex = std::min(b.s, 1 - b.s) / cols, ey = std::min(b.t, 1 - b.t) / rows;
    b.mortar = std::clamp(1 - std::min(ex, ey) / joint, 0.0f, 1.0f);
    return b;
}

inline Colour BrickWall(float u, float v, Colour brick, Colour mortar, int rows, int cols,
                        uint32_t seed, float variety) {
    Brick b = Bricks(u, v, rows, cols, 0.012f, seed);
    float tone = 1 + ((b.id & 255) / 255.f - 0.5f) * variety;
    Colour c = Grain(Shade(brick, tone), u, v, seed + 3, 0.25f, 16);
    // Lit top edge and shaded bottom edge give the bricks some depth.
    if (b.t < 0.12f) c = Shade(c, 1.12f);
    if (b.t > 0.88f) c = Shade(c, 0.8f);
    return Mix(c, Grain(mortar, u, v, seed + 9, 0.3f, 32), b.mortar);
}

inline Colour Tiles(float u, float v, int n, Colour a, Colour b, Colour joint, uint32_t seed) {
    int i = int(u * n), j = int(v * n);
    float s = u * n - i, t = v * n - j;
    Colour c = ((i + j) % 2) ? a : b;
    c = Grain(c, u, v, seed, 0.12f, 16);
    float e = std::min(std::min(s, 1 - s), std::min(t, 1 - t));
    if (e < 0.05f)
        c = joint;
    else if (s < 0.12f || t < 0.12f)
        c = Shade(c, 1.08f);
    return c;
}

inline Colour Glow(float u, float v, Colour centre, Colour edge) {
    float d = std::sqrt((u - 0.5f) * (u - 0.5f) + (v - 0.5f) * (v - 0.5f)) * 2;
    return Mix(centre, edge, std::clamp(d, 0.0f, 1.0f));
}

inline Colour Glass(float u, float v, Colour tint) {
    // A vertical highlight stripe reads as a glass bottle from any side.
    float hl = std::exp(-std::pow((u - 0.3f) * 9, 2.0f));
    Colour c = Mix(Shade(tint, 0.75f + 0.4f * (1 - v)), Rgb(255, 255, 255), hl * 0.7f);
    return c;
}

} // namespace forge

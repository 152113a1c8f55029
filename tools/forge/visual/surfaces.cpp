// Paintings of the ground, the walls and the mechanisms.
#include "paint.h"

namespace forge {
namespace {

// ---- floors ----
Colour PaintGrass(float u, float v) {
    float n = Fbm(u * 6, v * 6, 11, 4, 6);
    Colour c = Mix(Rgb(58, 120, 40), Rgb(110, 160, 60), n);
    float blade = ValueNoise(u * 64, v * 16, 12, 64);
    c = Shade(c, 0.85f + blade * 0.3f);
    if (Hash01(int(u * 40), int(v * 40), 13) > 0.97f) c = Rgb(230, 220, 90); // a few flowers
    return c;
}
Colour PaintDirt(float u, float v) {
    Colour c = Grain(Rgb(128, 96, 62), u, v, 21, 0.35f, 8);
    float pebble;
    float second;
    uint32_t id;
    Cells(u * 14, v * 14, 22, pebble, second, id);
    if (pebble < 0.18f && (id & 3) == 0) c = Mix(Rgb(150, 140, 125), c, pebble / 0.18f);
    return c;
}
Colour PaintMossEarth(float u, float v) {
    float n = Fbm(u * 5, v * 5, 31, 4, 5);
    return Grain(Mix(Rgb(80, 70, 50), Rgb(70, 110, 50), std::clamp((n - 0.4f) * 4, 0.0f, 1.0f)), u,
                 v, 32, 0.3f, 16);
}
Colour PaintRedCarpet(float u, float v) {
    Colour c = Grain(Rgb(150, 24, 30), u, v, 41, 0.12f, 32);
    float b = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
    if (b < 0.08f)
        c = Rgb(212, 170, 60);
    else if (b < 0.1f)
        c = Rgb(90, 10, 16);
    float d = std::fabs(u - 0.5f) + std::fabs(v - 0.5f);
    if (d < 0.22f && d > 0.17f) c = Rgb(212, 170, 60);
    return c;
}
Colour PaintHeather(float u, float v) {
    float n = Fbm(u * 8, v * 8, 51, 4, 8);
    Colour c = Mix(Rgb(90, 100, 50), Rgb(120, 80, 110), std::clamp((n - 0.45f) * 5, 0.0f, 1.0f));
    return Grain(c, u, v, 52, 0.3f, 32);
}
Colour PaintSand(float u, float v) {
    float ripple = std::sin((v * 9 + Fbm(u * 3, v * 3, 61, 3, 3) * 3) * 2 * Pi) * 0.5f + 0.5f;
    return Grain(Shade(Rgb(214, 184, 128), 0.92f + ripple * 0.12f), u, v, 62, 0.12f, 32);
}
Colour PaintAsh(float u, float v) {
    Colour c = Grain(Rgb(70, 62, 60), u, v, 71, 0.4f, 8);
    if (Fbm(u * 16, v * 16, 72, 3, 16) > 0.72f) c = Rgb(200, 80, 20); // embers
    return c;
}
Colour PaintBlueCarpet(float u, float v) {
    Colour c = Grain(Rgb(30, 50, 130), u, v, 81, 0.12f, 32);
    float b = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
    if (b < 0.07f) c = Rgb(220, 180, 70);
    if (int(u * 8) % 2 == int(v * 8) % 2 && b > 0.12f) c = Shade(c, 1.15f);
    return c;
}
Colour PaintFlagstone(float u, float v) {
    float a, b;
    uint32_t id;
    Cells(u * 3, v * 3, 91, a, b, id);
    Colour c =
        Grain(Shade(Rgb(140, 136, 126), 0.85f + (id & 255) / 255.f * 0.3f), u, v, 92, 0.25f, 16);
    if (b - a < 0.06f) c = Rgb(60, 58, 52);
    if (Fbm(u * 20, v * 20, 93, 2, 20) > 0.75f) c = Mix(c, Rgb(40, 40, 36), 0.5f); // cracks
    return c;
}
Colour PaintMarble(float u, float v) {
    Colour a = Rgb(232, 228, 220), b = Rgb(60, 62, 70);
    Colour c = Tiles(u, v, 2, a, b, Rgb(150, 140, 110), 101);
    float vein = std::sin((u + v) * 14 + Fbm(u * 4, v * 4, 102, 4, 4) * 8);
    if (std::fabs(vein) < 0.06f) c = Shade(c, 0.8f);
    return c;
}
Colour PaintGoldTile(float u, float v) {
    Colour c = Tiles(u, v, 4, Rgb(230, 185, 60), Rgb(200, 150, 40), Rgb(120, 80, 20), 111);
    float hl = std::exp(-std::pow((u - v) * 5, 2.0f)) * 0.25f;
    return Mix(c, Rgb(255, 245, 200), hl);
}
Colour PaintBasalt(float u, float v) {
    float a, b;
    uint32_t id;
    Cells(u * 4, v * 4, 121, a, b, id);
    Colour c = Grain(Shade(Rgb(52, 48, 52), 0.8f + (id & 255) / 255.f * 0.4f), u, v, 122, 0.2f, 16);
    if (b - a < 0.05f) c = Mix(Rgb(255, 120, 20), Rgb(200, 40, 10), (b - a) / 0.05f); // lava seams
    return c;
}
Colour PaintMosaic(float u, float v) {
    int i = int(u * 12), j = int(v * 12);
    float s = u * 12 - i, t = v * 12 - j;
    static const Colour palette[] = {Rgb(200, 90, 40), Rgb(40, 110, 140), Rgb(220, 190, 120),
                                     Rgb(150, 60, 50)};
    float d = std::max(std::fabs(u - 0.5f), std::fabs(v - 0.5f));
    int ring = int(d * 12);
    Colour c = Grain(palette[ring % 4], u, v, 131 + i, 0.15f, 64);
    if (s < 0.1f || t < 0.1f) c = Rgb(230, 215, 180);
    (void)j;
    return c;
}
Colour PaintEarthSide(float u, float v) {
    Colour c = Grain(Mix(Rgb(110, 80, 50), Rgb(70, 50, 35), v), u, v, 141, 0.35f, 8);
    if (v < 0.08f) c = Rgb(70, 110, 40); // turf lip
    return c;
}
Colour PaintStoneSide(float u, float v) {
    return BrickWall(u, v, Mix(Rgb(120, 116, 108), Rgb(80, 76, 70), v), Rgb(50, 48, 44), 3, 2, 151,
                     0.3f);
}

// ---- walls ----
Colour PaintFieldStone(float u, float v) {
    float a, b;
    uint32_t id;
    Cells(u * 5, v * 4, 161, a, b, id);
    Colour c =
        Grain(Shade(Rgb(130, 125, 110), 0.75f + (id & 255) / 255.f * 0.45f), u, v, 162, 0.2f, 16);
    c = Shade(c, 1.1f - a * 0.5f); // rounded stones
    if (b - a < 0.08f) c = Rgb(55, 60, 40);
    return c;
}
Colour PaintLogs(float u, float v) {
    int log = int(v * 5);
    float t = v * 5 - log;
    Colour c = Grain(Rgb(120, 82, 48), u * 0.3f, v, 171 + log, 0.3f, 16);
    float grain = std::sin(u * 60 + ValueNoise(u * 4, v * 20, 172) * 6) * 0.5f + 0.5f;
    c = Shade(c, 0.85f + grain * 0.2f);
    return Shade(c, 0.6f + 0.5f * std::sin(t * Pi)); // round logs
}
Colour PaintOldBrick(float u, float v) {
    Colour c = BrickWall(u, v, Rgb(150, 80, 60), Rgb(170, 160, 140), 6, 3, 181, 0.35f);
    if (Fbm(u * 3, v * 3, 182, 3, 3) > 0.65f) c = Mix(c, Rgb(60, 100, 40), 0.5f);
    return c;
}
Colour PaintMossBlock(float u, float v) {
    Colour c = BrickWall(u, v, Rgb(115, 118, 105), Rgb(60, 62, 55), 2, 2, 191, 0.25f);
    float moss = Fbm(u * 4, v * 4, 192, 4, 4) + v * 0.3f;
    if (moss > 0.7f) c = Mix(c, Rgb(70, 115, 45), std::min(1.0f, (moss - 0.7f) * 5));
    return c;
}
Colour PaintMarbleWall(float u, float v) {
    Colour c = Grain(Rgb(225, 220, 210), u, v, 201, 0.08f, 8);
    float vein = std::sin(u * 10 + v * 5 + Fbm(u * 5, v * 5, 202, 4, 5) * 9);
    if (std::fabs(vein) < 0.05f) c = Rgb(160, 150, 150);
    if (v < 0.08f || v > 0.92f) c = Rgb(220, 175, 60); // gilded trim
    return c;
}
Colour PaintGranite(float u, float v) {
    float a, b;
    uint32_t id;
    Cells(u * 3, v * 3, 211, a, b, id);
    Colour c =
        Grain(Shade(Rgb(110, 110, 118), 0.8f + (id & 255) / 255.f * 0.3f), u, v, 212, 0.35f, 32);
    if (b - a < 0.04f) c = Rgb(50, 50, 56);
    return c;
}
Colour PaintGoldBrick(float u, float v) {
    Brick b = Bricks(u, v, 4, 2, 0.01f, 221);
    Colour c = Mix(Rgb(250, 215, 90), Rgb(190, 130, 30), b.t);
    c = Mix(c, Rgb(255, 250, 220), std::exp(-std::pow((b.s - b.t) * 4, 2.0f)) * 0.3f);
    return Mix(c, Rgb(110, 70, 20), b.mortar);
}
Colour PaintLavaRock(float u, float v) {
    Colour c = PaintBasalt(u, v * 0.8f);
    return Shade(c, 0.9f + 0.3f * v); // hotter near the ground
}
Colour PaintIronPlate(float u, float v) {
    int i = int(u * 2), j = int(v * 2);
    float s = u * 2 - i, t = v * 2 - j;
    Colour c = Grain(Rgb(80, 78, 82), u, v, 231 + i + j * 2, 0.25f, 16);
    if (Fbm(u * 6, v * 6, 232, 3, 6) > 0.62f) c = Mix(c, Rgb(120, 60, 30), 0.6f); // rust
    if (s < 0.04f || t < 0.04f || s > 0.96f || t > 0.96f) c = Rgb(40, 38, 40);
    for (float rx : {0.1f, 0.9f})
        for (float ry : {0.1f, 0.9f})
            if ((s - rx) * (s - rx) + (t - ry) * (t - ry) < 0.0025f) c = Rgb(160, 158, 150);
    return c;
}
Colour PaintSandstone(float u, float v) {
    Colour c = BrickWall(u, v, Rgb(210, 170, 110), Rgb(160, 125, 80), 3, 2, 241, 0.15f);
    float strata = std::sin(v * 40 + Fbm(u * 3, v * 3, 242, 3, 3) * 4) * 0.05f;
    return Shade(c, 1 + strata);
}
Colour PaintGlyphs(float u, float v) {
    Colour c = Grain(Rgb(200, 165, 110), u, v, 251, 0.12f, 16);
    int i = int(u * 4), j = int(v * 4);
    float s = u * 4 - i, t = v * 4 - j;
    uint32_t h = Hash(i, j, 252);
    bool mark = false;
    if (h & 1) mark |= std::fabs(s - 0.5f) < 0.08f && t > 0.2f && t < 0.8f;
    if (h & 2) mark |= std::fabs(t - 0.5f) < 0.08f && s > 0.2f && s < 0.8f;
    if (h & 4) mark |= std::fabs(std::hypot(s - 0.5f, t - 0.5f) - 0.25f) < 0.06f;
    if (h & 8) mark |= std::fabs(s - t) < 0.08f && s > 0.25f && s < 0.75f;
    if (mark) c = (h & 16) ? Rgb(40, 90, 130) : Rgb(150, 50, 30);
    return c;
}
Colour PaintRoyalWall(float u, float v) {
    Colour c = BrickWall(u, v, Rgb(190, 185, 175), Rgb(120, 115, 110), 4, 2, 261, 0.15f);
    // A crimson banner with a gold crown in the middle.
    if (u > 0.3f && u < 0.7f && v > 0.1f && v < 0.9f - std::fabs(u - 0.5f) * 0.5f) {
        c = Grain(Rgb(150, 20, 40), u, v, 262, 0.1f, 16);
        float cx = u - 0.5f, cy = v - 0.45f;
        if (std::fabs(cx) < 0.1f && cy > -0.05f && cy < 0.05f) c = Rgb(230, 190, 60);
        if (std::fabs(cx) < 0.1f && cy < -0.05f && cy > -0.12f && int((cx + 0.1f) * 25) % 2 == 0)
            c = Rgb(230, 190, 60);
    }
    return c;
}

// ---- mechanisms ----
Colour PaintBelt(float u, float v) {
    // Dark rubber with fine ribs across; the chevrons on it are geometry.
    Colour c = Grain(Rgb(50, 50, 52), u, v, 271, 0.2f, 16);
    return Shade(c, 0.85f + 0.15f * std::fabs(std::sin(u * 40 * Pi)));
}
Colour PaintMetal(float u, float v) {
    float brushed = ValueNoise(u * 2, v * 90, 281) * 0.15f;
    return Shade(Rgb(150, 152, 158), 0.9f + brushed);
}
Colour PaintDarkMetal(float u, float v) {
    return Grain(Rgb(60, 62, 70), u, v, 291, 0.2f, 16);
}
Colour PaintTeleportGlow(float u, float v) {
    float d = std::hypot(u - 0.5f, v - 0.5f) * 2;
    float ring = 0.5f + 0.5f * std::cos(d * 18);
    return Mix(Rgb(220, 250, 255), Rgb(40, 120, 255),
               std::clamp(d * 0.8f + ring * 0.3f, 0.0f, 1.0f));
}
Colour PaintExitPad(float u, float v) {
    float d = std::max(std::fabs(u - 0.5f), std::fabs(v - 0.5f)) * 2;
    Colour c = Mix(Rgb(255, 250, 190), Rgb(60, 200, 90), d);
    if (std::fmod(d * 5, 1.0f) < 0.15f) c = Rgb(255, 255, 255);
    return c;
}
Colour PaintSteel(float u, float v) {
    return Shade(Rgb(185, 190, 200), 0.8f + 0.4f * (1 - v) + ValueNoise(u * 3, v * 50, 301) * 0.1f);
}
Colour PaintHolePlate(float u, float v) {
    Colour c = Grain(Rgb(95, 95, 100), u, v, 311, 0.2f, 16);
    float s = std::fmod(u * 3, 1.0f) - 0.5f, t = std::fmod(v * 3, 1.0f) - 0.5f;
    if (s * s + t * t < 0.04f) c = Rgb(15, 15, 18);
    return c;
}
Colour PaintTrapFace(float u, float v) {
    Colour c = BrickWall(u, v, Rgb(120, 112, 100), Rgb(60, 56, 50), 2, 2, 321, 0.2f);
    float s = u - 0.5f, t = v - 0.5f;
    if (std::fabs(s) < 0.22f && std::fabs(t) < 0.22f) c = Rgb(70, 64, 56); // carved face
    if (std::hypot(s + 0.1f, t + 0.08f) < 0.05f || std::hypot(s - 0.1f, t + 0.08f) < 0.05f)
        c = Rgb(230, 60, 30);                                                    // glowing eyes
    if (std::fabs(s) < 0.1f && std::fabs(t - 0.1f) < 0.04f) c = Rgb(10, 10, 10); // the slot
    return c;
}
Colour PaintRock(float u, float v) {
    return Grain(Rgb(120, 115, 105), u, v, 331, 0.5f, 4);
}

} // namespace

std::span<const MaterialPainter> SurfacePainters() {
    static constexpr MaterialPainter table[] = {
        {Material::Grass, PaintGrass},
        {Material::Dirt, PaintDirt},
        {Material::MossEarth, PaintMossEarth},
        {Material::RedCarpet, PaintRedCarpet},
        {Material::Heather, PaintHeather},
        {Material::Sand, PaintSand},
        {Material::Ash, PaintAsh},
        {Material::BlueCarpet, PaintBlueCarpet},
        {Material::Flagstone, PaintFlagstone},
        {Material::Marble, PaintMarble},
        {Material::GoldTile, PaintGoldTile},
        {Material::Basalt, PaintBasalt},
        {Material::Mosaic, PaintMosaic},
        {Material::EarthSide, PaintEarthSide},
        {Material::StoneSide, PaintStoneSide},
        {Material::FieldStone, PaintFieldStone},
        {Material::Logs, PaintLogs},
        {Material::OldBrick, PaintOldBrick},
        {Material::MossBlock, PaintMossBlock},
        {Material::MarbleWall, PaintMarbleWall},
        {Material::Granite, PaintGranite},
        {Material::GoldBrick, PaintGoldBrick},
        {Material::LavaRock, PaintLavaRock},
        {Material::IronPlate, PaintIronPlate},
        {Material::Sandstone, PaintSandstone},
        {Material::Glyphs, PaintGlyphs},
        {Material::RoyalWall, PaintRoyalWall},
        {Material::Belt, PaintBelt},
        {Material::Metal, PaintMetal},
        {Material::DarkMetal, PaintDarkMetal},
        {Material::TeleportGlow, PaintTeleportGlow},
        {Material::ExitPad, PaintExitPad},
        {Material::Steel, PaintSteel},
        {Material::HolePlate, PaintHolePlate},
        {Material::TrapFace, PaintTrapFace},
        {Material::RockSurface, PaintRock},
    };
    return table;
}

} // namespace forge

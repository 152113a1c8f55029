// Paintings of the items, particles and creatures.
#include "paint.h"

namespace forge {
namespace {

// ---- items ----
Colour PaintWood(float u, float v) {
    float grain = std::sin(v * 40 + Fbm(u * 3, v * 3, 341, 3, 3) * 10) * 0.5f + 0.5f;
    return Shade(Rgb(140, 95, 55), 0.8f + grain * 0.3f);
}
Colour PaintFeather(float, float v) {
    return Mix(Rgb(240, 240, 235), Rgb(200, 40, 40), v > 0.5f ? 1.f : 0.f);
}
Colour PaintBrass(float u, float v) {
    return Shade(Rgb(210, 170, 70), 0.8f + 0.4f * (1 - v) + 0.1f * u);
}
Colour PaintFlame(float u, float v) {
    return Glow(u, v, Rgb(255, 255, 220), Rgb(255, 140, 20));
}
Colour PaintCork(float u, float v) {
    return Grain(Rgb(170, 130, 80), u, v, 351, 0.3f, 32);
}
Colour PaintLabel(float u, float v) {
    Colour c = Rgb(235, 225, 195);
    if (std::fabs(v - 0.5f) < 0.06f && u > 0.2f && u < 0.8f) c = Rgb(90, 60, 40);
    return c;
}
Colour PaintGlassRed(float u, float v) {
    return Glass(u, v, Rgb(220, 30, 30));
}
Colour PaintGlassPink(float u, float v) {
    return Glass(u, v, Rgb(255, 120, 200));
}
Colour PaintGlassYellow(float u, float v) {
    return Glass(u, v, Rgb(250, 220, 30));
}
Colour PaintGlassBlue(float u, float v) {
    return Glass(u, v, Rgb(60, 140, 255));
}
Colour PaintGlassOrange(float u, float v) {
    return Glass(u, v, Rgb(255, 130, 20));
}
Colour PaintGlassViolet(float u, float v) {
    return Glass(u, v, Rgb(150, 60, 220));
}
Colour PaintGlassBlack(float u, float v) {
    return Glass(u, v, Rgb(45, 45, 50));
}
Colour PaintGold(float u, float v) {
    float hl = std::exp(-std::pow((u + v - 0.8f) * 4, 2.0f));
    return Mix(Shade(Rgb(240, 190, 50), 0.8f + 0.2f * ValueNoise(u * 8, v * 8, 361)),
               Rgb(255, 250, 210), hl * 0.6f);
}
Colour PaintChestWood(float u, float v) {
    Colour c = PaintWood(u, v * 0.5f);
    float b = std::min(std::min(u, 1 - u), std::min(v, 1 - v));
    if (b < 0.1f || std::fabs(u - 0.5f) < 0.04f) c = Rgb(90, 90, 95); // iron bands
    return c;
}
Colour PaintGemRed(float u, float v) {
    return Glow(u, v, Rgb(255, 160, 160), Rgb(160, 0, 20));
}
Colour PaintGemGreen(float u, float v) {
    return Glow(u, v, Rgb(190, 255, 190), Rgb(0, 130, 40));
}
Colour PaintBlood(float u, float v) {
    return Shade(Rgb(150, 0, 0), 0.8f + 0.4f * ValueNoise(u * 6, v * 6, 371));
}
Colour PaintShadow(float u, float v) {
    float d = std::hypot(u - 0.5f, v - 0.5f) * 2;
    return {0, 0, 0, std::clamp((1 - d) * 1.4f, 0.0f, 0.7f)};
}
Colour PaintGuideMark(float u, float v) {
    float d = std::hypot(u - 0.5f, v - 0.5f) * 2;
    Colour c = Rgb(60, 230, 255);
    c.a = (d > 0.75f && d < 0.95f) ? 0.9f : std::clamp(0.35f - d * 0.3f, 0.0f, 1.0f);
    return c;
}
Colour PaintEmpty(float u, float v) {
    return Grain(Rgb(18, 18, 24), u, v, 381, 0.3f, 8);
}
Colour PaintCrumbleGlass(float u, float v) {
    float a, b;
    uint32_t id;
    Cells(u * 4, v * 4, 391, a, b, id);
    Colour c = Rgb(140, 200, 230, 0.45f);
    if (b - a < 0.06f) c = Rgb(230, 250, 255, 0.8f);
    return c;
}
Colour PaintLeaf(float u, float v) {
    float vein = std::fabs(u - 0.5f) < 0.03f ? 0.7f : 1.0f;
    return Shade(Grain(Rgb(50, 130, 45), u, v, 401, 0.25f, 16), vein);
}
Colour PaintPottery(float u, float v) {
    Colour c = Grain(Rgb(180, 95, 55), u, v, 411, 0.15f, 16);
    if (std::fabs(v - 0.35f) < 0.05f || std::fabs(v - 0.65f) < 0.03f) c = Rgb(40, 30, 25);
    if (std::fabs(v - 0.5f) < 0.08f && int(u * 16) % 2 == 0) c = Rgb(230, 200, 150);
    return c;
}
Colour PaintBone(float u, float v) {
    return Grain(Rgb(225, 215, 190), u, v, 421, 0.15f, 16);
}
Colour PaintCandle(float u, float v) {
    return Shade(Rgb(240, 230, 200), 0.9f + 0.1f * (1 - v) + 0 * u);
}
Colour PaintBanner(float u, float v) {
    Colour c = Grain(Rgb(40, 60, 150), u, v, 431, 0.1f, 16);
    if (u < 0.08f || u > 0.92f) c = Rgb(220, 180, 60);
    if (std::hypot(u - 0.5f, v - 0.4f) < 0.15f) c = Rgb(230, 190, 60);
    return c;
}
Colour PaintCrystal(float u, float v) {
    return Glass(u, v, Rgb(150, 240, 255));
}
Colour PaintSnow(float u, float v) {
    return Grain(Rgb(240, 244, 250), u, v, 432, 0.06f, 16);
}

// ---- creatures ----
Colour PaintSkin(float u, float v) {
    return Grain(Rgb(225, 175, 135), u, v, 441, 0.06f, 8);
}
// Head paintings wrap around a sphere whose front is u = 0.5; the equator is v = 0.5.
Colour PaintFace(float u, float v) {
    Colour c = PaintSkin(u, v);
    float du = u - 0.5f;
    if (v < 0.3f || (std::fabs(du) > 0.2f && v < 0.62f))
        c = Grain(Rgb(90, 55, 30), u, v, 442, 0.2f, 16); // hair
    for (float ex : {-0.055f, 0.055f})
        if (std::hypot(du - ex, (v - 0.44f) * 0.8f) < 0.02f) c = Rgb(30, 40, 60);
    if (std::fabs(v - 0.38f) < 0.012f && std::fabs(std::fabs(du) - 0.055f) < 0.03f)
        c = Rgb(70, 40, 25); // brows
    if (std::fabs(v - 0.62f) < 0.012f && std::fabs(du) < 0.04f) c = Rgb(140, 60, 50);
    return c;
}
Colour PaintShirt(float u, float v) {
    Colour c = Grain(Rgb(60, 120, 90), u, v, 451, 0.12f, 16);
    if (std::fabs(u - 0.5f) < 0.03f) c = Rgb(40, 80, 60);
    return c;
}
Colour PaintTrousers(float u, float v) {
    return Grain(Rgb(120, 95, 65), u, v, 461, 0.15f, 16);
}
Colour PaintBoots(float u, float v) {
    return Grain(Rgb(70, 45, 30), u, v, 471, 0.15f, 16);
}
Colour PaintHat(float u, float v) {
    Colour c = Grain(Rgb(140, 100, 55), u, v, 481, 0.12f, 16);
    if (std::fabs(v - 0.7f) < 0.08f) c = Rgb(60, 35, 25); // hat band
    return c;
}
Colour PaintLeather(float u, float v) {
    return Grain(Rgb(110, 70, 40), u, v, 491, 0.2f, 16);
}
Colour PaintZombieSkin(float u, float v) {
    Colour c = Grain(Rgb(120, 150, 100), u, v, 501, 0.3f, 8);
    if (Fbm(u * 5, v * 5, 502, 3, 5) > 0.68f) c = Rgb(110, 40, 40); // wounds
    return c;
}
Colour PaintZombieFace(float u, float v) {
    Colour c = PaintZombieSkin(u, v);
    float du = u - 0.5f;
    for (float ex : {-0.06f, 0.06f})
        if (std::hypot(du - ex, (v - 0.44f) * 0.8f) < 0.028f) c = Rgb(250, 240, 120);
    if (std::fabs(v - 0.63f) < 0.03f && std::fabs(du) < 0.07f)
        c = int(u * 120) % 2 ? Rgb(40, 10, 10) : Rgb(220, 210, 180);
    return c;
}
Colour PaintRags(float u, float v) {
    Colour c = Grain(Rgb(90, 80, 100), u, v, 511, 0.35f, 8);
    if (ValueNoise(u * 20, v * 3, 512) > 0.7f) c = Shade(c, 0.6f);
    return c;
}
Colour PaintArmour(float, float v) {
    float band = std::fmod(v * 5, 1.0f);
    Colour c = Shade(Rgb(150, 155, 165), 0.75f + 0.35f * (1 - band));
    if (band > 0.9f) c = Rgb(60, 60, 66);
    return c;
}
Colour PaintHelmet(float u, float v) {
    Colour c = Shade(Rgb(160, 165, 175), 0.8f + 0.3f * (1 - v));
    float du = u - 0.5f;
    if (std::fabs(v - 0.45f) < 0.03f && std::fabs(du) < 0.14f) c = Rgb(10, 10, 12); // visor slit
    for (float ex : {-0.05f, 0.05f})
        if (std::hypot(du - ex, v - 0.45f) < 0.018f) c = Rgb(255, 60, 30);
    if (std::fabs(du) < 0.015f && v > 0.48f && v < 0.75f) c = Rgb(100, 100, 108); // nose guard
    return c;
}
Colour PaintTunic(float u, float v) {
    return Grain(Rgb(140, 30, 30), u, v, 521, 0.12f, 16);
}
Colour PaintShieldFace(float u, float v) {
    float d = std::hypot(u - 0.5f, v - 0.5f) * 2;
    Colour c = Grain(Rgb(150, 30, 30), u, v, 531, 0.1f, 8);
    if (d > 0.85f) c = Rgb(170, 170, 180);
    if (d < 0.2f) c = Rgb(200, 200, 210);
    if ((std::fabs(u - 0.5f) < 0.06f || std::fabs(v - 0.5f) < 0.06f) && d < 0.85f)
        c = Rgb(220, 180, 60);
    return c;
}
Colour PaintGhostBody(float u, float v) {
    Colour c = Mix(Rgb(230, 240, 255), Rgb(150, 180, 230), v);
    c.a = 0.55f - 0.25f * v + 0.1f * ValueNoise(u * 6, v * 6, 541);
    return c;
}
Colour PaintGhostFace(float u, float v) {
    Colour c = PaintGhostBody(u, v * 0.4f);
    float du = u - 0.5f;
    for (float ex : {-0.07f, 0.07f})
        if (std::hypot(du - ex, (v - 0.42f) * 0.7f) < 0.035f) c = Rgb(20, 20, 60, 0.9f);
    if (std::hypot(du, (v - 0.63f) * 0.6f) < 0.03f) c = Rgb(20, 20, 60, 0.9f);
    return c;
}

} // namespace

std::span<const MaterialPainter> ThingPainters() {
    static constexpr MaterialPainter table[] = {
        {Material::Wood, PaintWood},
        {Material::Feather, PaintFeather},
        {Material::Brass, PaintBrass},
        {Material::Flame, PaintFlame},
        {Material::Cork, PaintCork},
        {Material::Label, PaintLabel},
        {Material::GlassRed, PaintGlassRed},
        {Material::GlassPink, PaintGlassPink},
        {Material::GlassYellow, PaintGlassYellow},
        {Material::GlassBlue, PaintGlassBlue},
        {Material::GlassOrange, PaintGlassOrange},
        {Material::GlassViolet, PaintGlassViolet},
        {Material::GlassBlack, PaintGlassBlack},
        {Material::Gold, PaintGold},
        {Material::ChestWood, PaintChestWood},
        {Material::GemRed, PaintGemRed},
        {Material::GemGreen, PaintGemGreen},
        {Material::Blood, PaintBlood},
        {Material::Shadow, PaintShadow},
        {Material::GuideMark, PaintGuideMark},
        {Material::Empty, PaintEmpty},
        {Material::CrumbleGlass, PaintCrumbleGlass},
        {Material::Leaf, PaintLeaf},
        {Material::Pottery, PaintPottery},
        {Material::Bone, PaintBone},
        {Material::Candle, PaintCandle},
        {Material::Banner, PaintBanner},
        {Material::Crystal, PaintCrystal},
        {Material::Snow, PaintSnow},
        {Material::Skin, PaintSkin},
        {Material::Face, PaintFace},
        {Material::Shirt, PaintShirt},
        {Material::Trousers, PaintTrousers},
        {Material::Boots, PaintBoots},
        {Material::Hat, PaintHat},
        {Material::Leather, PaintLeather},
        {Material::ZombieSkin, PaintZombieSkin},
        {Material::ZombieFace, PaintZombieFace},
        {Material::Rags, PaintRags},
        {Material::Armour, PaintArmour},
        {Material::Helmet, PaintHelmet},
        {Material::Tunic, PaintTunic},
        {Material::ShieldFace, PaintShieldFace},
        {Material::GhostBody, PaintGhostBody},
        {Material::GhostFace, PaintGhostFace},
    };
    return table;
}

} // namespace forge

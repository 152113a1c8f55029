// Small things lying on cells or flying through the air: potions, treasures, particles,
// projectiles, the guide marker, the shadow and the decorations.
#include <cmath>

#include "builders.h"
#include "noise.h"

namespace forge {
namespace {

// Potions are drawn at 1.5 times their size, so a bottle of about 0.3 reads well.
void Bottle(MeshBuilder& b, Material glass, const std::vector<ProfilePoint>& body, float neckY) {
    b.material = glass;
    b.lathe(body, 14, true);
    b.material = Material::Cork;
    b.cylinder(0.028f, neckY, neckY + 0.05f, 8);
}
void SpeedPotion(MeshBuilder& b) { // tall slim flask
    Bottle(b, Material::GlassYellow,
           {{0, 0},
            {0.06f, 0},
            {0.07f, 0.02f},
            {0.07f, 0.2f},
            {0.03f, 0.24f},
            {0.03f, 0.3f},
            {0, 0.3f}},
           0.28f);
}
void HealthPotion(MeshBuilder& b) { // round flask
    std::vector<ProfilePoint> p{{0, 0}};
    for (int i = 1; i < 8; ++i) {
        float a = -Pi / 2 + Pi * i / 8;
        p.push_back({0.11f * std::cos(a), 0.11f + 0.11f * std::sin(a)});
    }
    p.push_back({0.03f, 0.22f});
    p.push_back({0.03f, 0.28f});
    p.push_back({0, 0.28f});
    Bottle(b, Material::GlassRed, p, 0.26f);
}
void InvisibilityPotion(MeshBuilder& b) { // conical flask
    Bottle(b, Material::GlassViolet,
           {{0, 0}, {0.12f, 0}, {0.12f, 0.02f}, {0.035f, 0.2f}, {0.035f, 0.27f}, {0, 0.27f}},
           0.25f);
}
void InvincibilityPotion(MeshBuilder& b) { // square bottle
    b.material = Material::GlassOrange;
    b.bevelBox({-0.08f, 0, -0.08f}, {0.08f, 0.2f, 0.08f}, 0.03f);
    b.cylinder(0.03f, 0.2f, 0.25f, 8);
    b.material = Material::Cork;
    b.cylinder(0.035f, 0.25f, 0.3f, 8);
    b.material = Material::Label;
    b.quad({-0.06f, 0.15f, -0.081f}, {0.06f, 0.15f, -0.081f}, {0.06f, 0.06f, -0.081f},
           {-0.06f, 0.06f, -0.081f});
}
void BlessingPotion(MeshBuilder& b) { // teardrop
    Bottle(b, Material::GlassBlue,
           {{0, 0},
            {0.06f, 0.01f},
            {0.1f, 0.06f},
            {0.09f, 0.13f},
            {0.05f, 0.2f},
            {0.025f, 0.25f},
            {0.025f, 0.3f},
            {0, 0.3f}},
           0.28f);
}
void LifePotion(MeshBuilder& b) { // double gourd with a heart-red glow
    Bottle(b, Material::GlassPink,
           {{0, 0},
            {0.08f, 0.01f},
            {0.1f, 0.07f},
            {0.06f, 0.14f},
            {0.075f, 0.19f},
            {0.05f, 0.24f},
            {0.025f, 0.27f},
            {0.025f, 0.31f},
            {0, 0.31f}},
           0.29f);
}
void KillAllPotion(MeshBuilder& b) { // black bulb with a long neck and a bone stopper
    Bottle(b, Material::GlassBlack,
           {{0, 0},
            {0.09f, 0.02f},
            {0.11f, 0.08f},
            {0.07f, 0.15f},
            {0.025f, 0.18f},
            {0.025f, 0.3f},
            {0, 0.3f}},
           0.28f);
    b.material = Material::Bone;
    b.sphere({0, 0.36f, 0}, {0.04f, 0.035f, 0.04f}, 8, 5);
}

void CoinPile(MeshBuilder& b) {
    b.material = Material::Gold;
    for (int i = 0; i < 14; ++i) {
        float a = i * 2.4f, r = 0.04f + 0.012f * i;
        b.place = RotationZ(0.3f * (Hash01(i, 1, 3) - 0.5f)) *
                  Translation({r * std::cos(a), 0.012f * (14 - i) * 0.5f, r * std::sin(a)});
        b.cylinder(0.05f, 0, 0.012f, 10);
    }
    b.place = Mat4{};
    b.lathe({{0.2f, 0}, {0.12f, 0.06f}, {0.05f, 0.1f}, {0, 0.11f}}, 14, true);
    b.material = Material::GemRed;
    b.sphere({0.02f, 0.13f, -0.02f}, {0.045f, 0.035f, 0.045f}, 8, 5);
}
void Crown(MeshBuilder& b) {
    b.material = Material::Gold;
    b.lathe(
        {{0.12f, 0}, {0.14f, 0.03f}, {0.14f, 0.09f}, {0.12f, 0.09f}, {0.1f, 0.03f}, {0.1f, 0.0f}},
        20, false);
    for (int i = 0; i < 6; ++i) {
        float a = i * Pi / 3;
        b.place = Translation({0.125f * std::cos(a), 0.09f, 0.125f * std::sin(a)});
        b.cone(0.03f, 0, 0.09f, 4);
    }
    b.place = Mat4{};
    b.material = Material::GemGreen;
    for (int i = 0; i < 3; ++i) {
        float a = Pi / 2 + i * 2 * Pi / 3;
        b.sphere({0.142f * std::cos(a), 0.05f, 0.142f * std::sin(a)}, {0.02f, 0.025f, 0.02f}, 6, 4);
    }
}

void Guide(MeshBuilder& b) {
    b.material = Material::GuideMark;
    b.lathe({{0.3f, 0.02f}, {0.38f, 0.02f}, {0.38f, 0.04f}, {0.3f, 0.04f}, {0.3f, 0.02f}}, 24,
            false);
    for (int i = 0; i < 4; ++i) { // four pointers toward the centre of the cell
        b.place = RotationY(i * Pi / 2);
        b.extrude({{-0.08f, 0.42f}, {0.08f, 0.42f}, {0, 0.3f}}, 0.02f, 0.05f);
    }
    b.place = Mat4{};
}

void ShadowDisc(MeshBuilder& b) {
    b.material = Material::Shadow;
    b.quad({-0.5f, 0, 0.5f}, {0.5f, 0, 0.5f}, {0.5f, 0, -0.5f}, {-0.5f, 0, -0.5f});
}

void MuzzleFlash(MeshBuilder& b) {
    // Unturned, the flash points along -x (the way a hero facing left shoots).
    b.material = Material::Flame;
    b.place = RotationZ(Pi / 2);
    b.lathe({{0, -0.02f}, {0.09f, 0.0f}, {0.06f, 0.1f}, {0, 0.3f}}, 8, true);
    b.place = Mat4{};
    std::vector<std::pair<float, float>> star;
    for (int i = 0; i < 12; ++i) {
        float r = (i % 2) ? 0.06f : 0.16f, a = i * Pi / 6;
        star.push_back({r * std::cos(a), r * std::sin(a)});
    }
    b.place = RotationZ(Pi / 2); // the star stands across the shot
    b.doubleSided = true;
    b.extrude(star, 0, 0);
    b.doubleSided = false;
    b.place = Mat4{};
}

void Shell(MeshBuilder& b) {
    b.material = Material::Brass;
    b.place = RotationZ(Pi / 2);
    b.cylinder(0.018f, -0.035f, 0.035f, 8);
    b.place = Mat4{};
}
void Bullet(MeshBuilder& b) {
    b.material = Material::Flame; // a bright tracer reads at any distance
    b.sphere({0, 0, 0}, {0.04f, 0.04f, 0.04f}, 8, 5);
}
void BloodDrop(MeshBuilder& b) {
    b.material = Material::Blood;
    b.sphere({0, 0, 0}, {0.09f, 0.07f, 0.08f}, 8, 5);
}
void Rock(MeshBuilder& b) {
    // Drawn half a unit above its height, so a ball of radius 0.42 rolls on the floor.
    b.material = Material::RockSurface;
    b.sphere({0, 0, 0}, {0.42f, 0.4f, 0.43f}, 14, 9);
}
void ArrowParts(MeshBuilder& b, bool shadow) {
    // Unturned, the arrow flies toward -z, at about knee height.
    float y = shadow ? 0.01f : 0.5f;
    if (shadow) {
        b.material = Material::Empty;
        b.extrude({{-0.015f, 0.3f}, {0.015f, 0.3f}, {0.015f, -0.25f}, {-0.015f, -0.25f}}, y, y);
        b.extrude({{-0.05f, -0.25f}, {0.05f, -0.25f}, {0, -0.36f}}, y, y);
        b.extrude({{-0.06f, 0.36f}, {0.06f, 0.36f}, {0.02f, 0.22f}, {-0.02f, 0.22f}}, y, y);
        return;
    }
    b.material = Material::Wood;
    b.place = RotationX(-Pi / 2) * Translation({0, y, 0});
    b.cylinder(0.015f, -0.3f, 0.27f, 6);
    b.material = Material::Steel;
    b.cone(0.04f, 0.25f, 0.38f, 6);
    b.place = Mat4{};
    b.material = Material::Feather;
    b.doubleSided = true;
    b.quad({0, y, 0.2f}, {0, y, 0.34f}, {0, y + 0.06f, 0.36f}, {0, y + 0.05f, 0.24f});
    b.quad({0, y, 0.2f}, {0.06f, y, 0.24f}, {0.05f, y, 0.36f}, {0, y, 0.34f});
    b.doubleSided = false;
}
void Arrow(MeshBuilder& b) {
    ArrowParts(b, false);
}
void ArrowShadow(MeshBuilder& b) {
    ArrowParts(b, true);
}

} // namespace

// ---- decorations: drawn with blending on floor cells, and raised onto walls as the "s" twin
namespace {

void Bush(MeshBuilder& b) {
    b.material = Material::Leaf;
    for (int i = 0; i < 6; ++i) {
        float a = i * 1.05f;
        b.sphere({0.12f * std::cos(a), 0.15f + 0.05f * (i % 2), 0.12f * std::sin(a)},
                 {0.14f, 0.12f, 0.14f}, 8, 5);
    }
    b.material = Material::GemRed; // berries
    for (int i = 0; i < 5; ++i) {
        float a = i * 1.3f + 0.4f;
        b.sphere({0.2f * std::cos(a), 0.22f, 0.2f * std::sin(a)}, {0.03f, 0.03f, 0.03f}, 6, 4);
    }
}
void Vase(MeshBuilder& b) {
    b.material = Material::Pottery;
    b.lathe({{0, 0},
             {0.1f, 0},
             {0.17f, 0.12f},
             {0.16f, 0.25f},
             {0.08f, 0.36f},
             {0.1f, 0.42f},
             {0.08f, 0.42f},
             {0.06f, 0.38f},
             {0, 0.37f}},
            16, true);
}
void Bones(MeshBuilder& b) {
    b.material = Material::Bone;
    for (int i = 0; i < 3; ++i) {
        float a = i * 2.1f;
        Vec3 c{0.12f * std::cos(a), 0.09f, 0.12f * std::sin(a)};
        b.sphere(c, {0.09f, 0.08f, 0.1f}, 10, 6);
        b.material = Material::Empty; // eye holes
        b.sphere(c + Vec3{-0.03f, 0.01f, -0.085f}, {0.022f, 0.022f, 0.01f}, 6, 4);
        b.sphere(c + Vec3{0.03f, 0.01f, -0.085f}, {0.022f, 0.022f, 0.01f}, 6, 4);
        b.material = Material::Bone;
    }
    b.place = RotationY(0.5f) * RotationZ(Pi / 2) * Translation({0, 0.03f, 0.15f});
    b.cylinder(0.02f, -0.18f, 0.18f, 6);
    b.place = Mat4{};
}
void Candelabra(MeshBuilder& b) {
    b.material = Material::Gold;
    b.lathe({{0.12f, 0}, {0.12f, 0.02f}, {0.03f, 0.05f}, {0.02f, 0.4f}, {0, 0.4f}}, 10, false);
    b.box({-0.18f, 0.38f, -0.015f}, {0.18f, 0.41f, 0.015f});
    for (float x : {-0.17f, 0.0f, 0.17f}) {
        b.material = Material::Candle;
        b.place = Translation({x, 0, 0});
        b.cylinder(0.025f, 0.41f, x == 0.0f ? 0.56f : 0.52f, 8);
        b.material = Material::Flame;
        b.place = Translation({x, x == 0.0f ? 0.56f : 0.52f, 0});
        b.lathe({{0, 0.0f}, {0.018f, 0.02f}, {0, 0.07f}}, 6, true);
    }
    b.place = Mat4{};
}
void Crystals(MeshBuilder& b) {
    b.material = Material::Crystal;
    for (int i = 0; i < 5; ++i) {
        float a = i * 1.26f, lean = 0.25f + 0.1f * (i % 2);
        b.place = RotationX(lean) * RotationY(a) *
                  Translation({0.06f * std::cos(a), 0, 0.06f * std::sin(a)});
        float h = 0.25f + 0.08f * (i % 3);
        b.lathe({{0, 0}, {0.05f, 0.02f}, {0.05f, h}, {0, h + 0.08f}}, 6, false);
    }
    b.place = Mat4{};
}
void Banner(MeshBuilder& b) {
    b.material = Material::Wood;
    b.cylinder(0.02f, 0, 0.9f, 6);
    b.box({-0.2f, 0.85f, -0.015f}, {0.2f, 0.88f, 0.015f});
    b.material = Material::Banner;
    b.doubleSided = true;
    b.quad({-0.18f, 0.85f, -0.02f}, {0.18f, 0.85f, -0.02f}, {0.18f, 0.4f, -0.02f},
           {-0.18f, 0.4f, -0.02f});
    b.doubleSided = false;
}
void Crates(MeshBuilder& b) {
    b.material = Material::ChestWood;
    b.bevelBox({-0.22f, 0, -0.2f}, {0.12f, 0.3f, 0.16f}, 0.02f);
    b.place = RotationY(0.4f);
    b.bevelBox({-0.05f, 0.3f, -0.1f}, {0.16f, 0.5f, 0.1f}, 0.02f);
    b.place = Mat4{};
    b.material = Material::Wood;
    b.lathe({{0.1f, 0}, {0.12f, 0.12f}, {0.1f, 0.24f}, {0, 0.24f}}, 12, true);
}

using Parts = void (*)(MeshBuilder&);
constexpr Parts Decorations[7] = {Bush, Vase, Bones, Candelabra, Crystals, Banner, Crates};

} // namespace

Model BuildDecoration(int number, bool onWall) {
    Model m;
    MeshBuilder b(m);
    // The solid-cell twin stands on top of the wall block it decorates.
    if (onWall) b.base = Translation({0, WallHeight, 0});
    Decorations[number - 1](b);
    FinishRigid(m);
    return m;
}

std::span<const NamedParts> ItemParts() {
    static constexpr NamedParts entries[] = {
        {"potion_of_speed.exp", SpeedPotion},
        {"potion_of_health.exp", HealthPotion},
        {"potion_of_invisibility.exp", InvisibilityPotion},
        {"potion_of_invincility.exp", InvincibilityPotion},
        {"potion_of_blessing.exp", BlessingPotion},
        {"potion_of_life.exp", LifePotion},
        {"potion_of_kill_all.exp", KillAllPotion},
        {"treasure2.exp", CoinPile},
        {"treasure3.exp", Crown},
        {"guide.exp", Guide},
        {"shadow.exp", ShadowDisc},
        {"liekki.exp", MuzzleFlash},
        {"hylsy.exp", Shell},
        {"ammo.exp", Bullet},
        {"blood.exp", BloodDrop},
        {"rock.exp", Rock},
        {"arrow.exp", Arrow},
        {"arrowshadow.exp", ArrowShadow},
    };
    return entries;
}

} // namespace forge

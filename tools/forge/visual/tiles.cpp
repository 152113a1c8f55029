// Floors, walls, conveyors and the other blocks that fill the grid. Every one fits its
// 1 x 1 cell (x and z within -0.5..0.5); floors have their top at height 0.
#include <array>
#include <cmath>

#include "builders.h"
#include "noise.h"

namespace forge {
namespace {

constexpr float Half = 0.5f;
constexpr float SlabBottom = -1.0f; // the sides show when a neighbour is a pit

struct FloorStyle {
    Material top;
    bool hard;
};
// One coherent set for the eight areas: valley, ruins, treasury, highlands, gold,
// underworld, temple, kings. Designs 0..7 are soft ground, 8..12 hard.
constexpr std::array<FloorStyle, FloorDesigns> FloorStyles{{
    {Material::Grass, false},
    {Material::Dirt, false},
    {Material::MossEarth, false},
    {Material::RedCarpet, false},
    {Material::Heather, false},
    {Material::Sand, false},
    {Material::Ash, false},
    {Material::BlueCarpet, false},
    {Material::Flagstone, true},
    {Material::Marble, true},
    {Material::GoldTile, true},
    {Material::Basalt, true},
    {Material::Mosaic, true},
}};
static_assert(!FloorStyles[LastSoftFloor].hard && FloorStyles[LastSoftFloor + 1].hard);

enum class WallTop { Flat, Bevel, Broken, Merlons, Studs, Logs };
struct WallStyle {
    Material face;
    WallTop top;
};
constexpr std::array<WallStyle, WallDesigns> WallStyles{{
    {Material::FieldStone, WallTop::Bevel},
    {Material::Logs, WallTop::Logs},
    {Material::OldBrick, WallTop::Broken},
    {Material::MossBlock, WallTop::Bevel},
    {Material::MarbleWall, WallTop::Flat},
    {Material::Granite, WallTop::Bevel},
    {Material::GoldBrick, WallTop::Flat},
    {Material::LavaRock, WallTop::Broken},
    {Material::IronPlate, WallTop::Studs},
    {Material::Sandstone, WallTop::Bevel},
    {Material::Glyphs, WallTop::Flat},
    {Material::RoyalWall, WallTop::Merlons},
}};

void Slab(MeshBuilder& b, Material top, Material side, float bevel, float bottom = SlabBottom) {
    b.material = side;
    b.sides({-Half, bottom, -Half}, {Half, -bevel - 0.02f, Half});
    b.material = top;
    b.bevelBox({-Half, -bevel - 0.02f, -Half}, {Half, 0, Half}, bevel, true);
}

} // namespace

void FinishRigid(Model& model) {
    model.bones = {Bone{}};
    model.poses = {Pose{"rest", {Vec3{}}}};
}

Model RigidModel(void (*parts)(MeshBuilder&)) {
    Model m;
    MeshBuilder b(m);
    parts(b);
    FinishRigid(m);
    return m;
}

Model BuildFloor(int design) {
    const FloorStyle& style = FloorStyles[design];
    Model m;
    MeshBuilder b(m);
    Slab(b, style.top, style.hard ? Material::StoneSide : Material::EarthSide,
         style.hard ? 0.03f : 0.0f);
    if (style.top == Material::Grass) { // a few tufts so the valley is not a flat carpet
        b.material = Material::Leaf;
        b.doubleSided = true;
        for (int i = 0; i < 5; ++i) {
            float x = -0.35f + 0.7f * Hash01(i, design, 5),
                  z = -0.35f + 0.7f * Hash01(i, design, 6);
            b.triangle({x - 0.05f, 0, z}, {x + 0.05f, 0, z}, {x + 0.01f, 0.1f, z + 0.01f},
                       {0, 0, -1}, 0, 1, 1, 1, 0.5f, 0);
            b.triangle({x, 0, z - 0.05f}, {x, 0, z + 0.05f}, {x - 0.01f, 0.09f, z}, {1, 0, 0}, 0, 1,
                       1, 1, 0.5f, 0);
        }
        b.doubleSided = false;
    }
    FinishRigid(m);
    return m;
}

Model BuildWall(int design) {
    const WallStyle& style = WallStyles[design];
    Model m;
    MeshBuilder b(m);
    b.material = style.face;
    // Two stacked blocks so the face picture is not stretched over the full height.
    b.sides({-Half, SlabBottom, -Half}, {Half, 0, Half});
    float h = WallHeight;
    switch (style.top) {
    case WallTop::Bevel:
        b.bevelBox({-Half, 0, -Half}, {Half, h, Half}, 0.08f, true);
        // Valley walls wear turf, highland walls snow.
        if (style.face == Material::FieldStone || style.face == Material::Granite) {
            b.material = style.face == Material::FieldStone ? Material::Grass : Material::Snow;
            b.bevelBox({-0.42f, h - 0.005f, -0.42f}, {0.42f, h + 0.05f, 0.42f}, 0.04f, true);
        }
        break;
    case WallTop::Broken:
        b.box({-Half, 0, -Half}, {Half, h - 0.15f, Half}, true);
        for (int i = 0; i < 3; ++i) {
            float x0 = -Half + i / 3.0f, w = 1 / 3.0f;
            float top = h - 0.15f + 0.15f * Hash01(i, design, 77);
            if (i == 1) top = h;
            b.box({x0, h - 0.15f, -Half}, {x0 + w, top, Half}, true);
        }
        break;
    case WallTop::Merlons:
        b.box({-Half, 0, -Half}, {Half, h - 0.15f, Half}, true);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                if ((i + j) % 2 == 0)
                    b.box({-Half + i / 3.0f, h - 0.15f, -Half + j / 3.0f},
                          {-Half + (i + 1) / 3.0f, h + 0.1f, -Half + (j + 1) / 3.0f}, true);
        break;
    case WallTop::Studs:
        b.box({-Half, 0, -Half}, {Half, h, Half}, true);
        b.material = Material::Metal;
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j) {
                b.place = Translation({-0.25f + 0.5f * i, 0, -0.25f + 0.5f * j});
                b.lathe({{0, h}, {0.06f, h}, {0.04f, h + 0.05f}, {0, h + 0.05f}}, 8, false);
            }
        b.place = Mat4{};
        break;
    case WallTop::Logs:
        b.box({-Half, 0, -Half}, {Half, h - 0.1f, Half}, true);
        b.material = Material::Wood;
        for (int i = 0; i < 4; ++i) { // sharpened stake tops
            for (int j = 0; j < 4; ++j) {
                b.place = Translation({-0.375f + 0.25f * i, 0, -0.375f + 0.25f * j});
                b.cone(0.12f, h - 0.1f, h + 0.12f + 0.05f * Hash01(i, j, 9), 6);
            }
        }
        b.place = Mat4{};
        break;
    case WallTop::Flat:
        b.box({-Half, 0, -Half}, {Half, h, Half}, true);
        break;
    }
    FinishRigid(m);
    return m;
}

Model BuildConveyor(int frame) {
    Model m;
    MeshBuilder b(m);
    Slab(b, Material::Belt, Material::DarkMetal, 0.0f);
    // Chevrons pointing along +x (the way the belt carries the hero when unturned), moved on
    // by an eighth of their spacing in each animation frame.
    b.material = Material::GoldTile;
    const float spacing = 0.25f;
    for (int k = -1; k < 5; ++k) {
        float x = -Half + k * spacing + frame * spacing / 8;
        if (x < -Half + 0.02f || x > Half - 0.22f) continue;
        // A ">" in two convex halves, which keeps the cap fans simple.
        b.extrude({{x, -0.3f}, {x + 0.08f, -0.3f}, {x + 0.2f, 0}, {x + 0.12f, 0}}, 0, 0.02f);
        b.extrude({{x + 0.12f, 0}, {x + 0.2f, 0}, {x + 0.08f, 0.3f}, {x, 0.3f}}, 0, 0.02f);
    }
    b.material = Material::Metal; // side rails
    b.box({-Half, 0, -Half}, {Half, 0.05f, -0.42f}, true);
    b.box({-Half, 0, 0.42f}, {Half, 0.05f, Half}, true);
    FinishRigid(m);
    return m;
}

namespace {

void Teleport(MeshBuilder& b) {
    Slab(b, Material::TeleportGlow, Material::StoneSide, 0.03f);
    b.material = Material::Metal;
    b.lathe({{0.36f, 0}, {0.42f, 0}, {0.42f, 0.06f}, {0.36f, 0.06f}, {0.36f, 0}}, 24, false);
    b.material = Material::Crystal;
    for (int i = 0; i < 4; ++i) {
        float a = Pi / 4 + i * Pi / 2;
        b.place = Translation({0.4f * std::cos(a), 0, 0.4f * std::sin(a)});
        b.lathe({{0, 0}, {0.05f, 0.05f}, {0.04f, 0.25f}, {0, 0.32f}}, 6, false);
    }
    b.place = Mat4{};
}

void Exit(MeshBuilder& b) {
    Slab(b, Material::ExitPad, Material::StoneSide, 0.03f);
    b.material = Material::Gold;
    for (int i = 0; i < 4; ++i) {
        float x = (i & 1) ? 0.4f : -0.4f, z = (i & 2) ? 0.4f : -0.4f;
        b.place = Translation({x, 0, z});
        b.lathe({{0, 0}, {0.05f, 0}, {0.04f, 0.3f}, {0.06f, 0.32f}, {0, 0.36f}}, 8, false);
    }
    b.place = Mat4{};
    b.material = Material::GemGreen;
    b.sphere({0, 0.12f, 0}, {0.1f, 0.1f, 0.1f}, 10, 6);
}

void Mask(MeshBuilder& b) {
    b.material = Material::Empty;
    b.quad({-Half, 0, Half}, {Half, 0, Half}, {Half, 0, -Half}, {-Half, 0, -Half});
}

void ClosingPit(MeshBuilder& b) {
    b.material = Material::CrumbleGlass;
    b.box({-Half, -0.1f, -Half}, {Half, 0, Half});
}

void Spikes(MeshBuilder& b) {
    // Spike tips reach half a unit above the spike tile's height; the game raises them
    // from below the floor when they spring.
    b.material = Material::Steel;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            b.place = Translation({-0.3f + 0.3f * i, 0, -0.3f + 0.3f * j});
            b.lathe({{0, -0.5f}, {0.07f, -0.5f}, {0.07f, 0.05f}, {0, 0.5f}}, 8, false);
        }
    b.place = Mat4{};
}

void SpikeHoles(MeshBuilder& b) {
    b.material = Material::HolePlate;
    b.box({-0.45f, 0, -0.45f}, {0.45f, 0.01f, 0.45f}, true);
}

void TrapBlock(MeshBuilder& b, Material face, float half = Half) {
    b.material = face;
    b.sides({-half, SlabBottom, -half}, {half, 0, half});
    b.box({-half, 0, -half}, {half, WallHeight, half}, true);
    b.material = Material::Metal;
    b.bevelBox({-0.45f, WallHeight, -0.45f}, {0.45f, WallHeight + 0.06f, 0.45f}, 0.03f, true);
}
void ArrowTrap(MeshBuilder& b) {
    TrapBlock(b, Material::TrapFace);
}
void RockTrap(MeshBuilder& b) {
    // The block stands a little inside its cell so the mouths stay within it.
    const float half = Half - 0.04f;
    TrapBlock(b, Material::Granite, half);
    // A dark round mouth on each side for the stones.
    for (int i = 0; i < 4; ++i) {
        b.place = RotationX(-Pi / 2) * Translation({0, 0.45f, -half}) * RotationY(i * Pi / 2);
        b.material = Material::DarkMetal;
        b.lathe({{0.22f, 0.0f}, {0.3f, 0.0f}, {0.3f, 0.04f}, {0.22f, 0.04f}, {0.22f, 0.0f}}, 16,
                false);
        b.material = Material::Empty;
        b.lathe({{0, 0.01f}, {0.22f, 0.01f}, {0, 0.01f}}, 16, false);
    }
    b.place = Mat4{};
}

void Column(MeshBuilder& b, Material stone, float height) {
    b.material = stone;
    b.bevelBox({-0.4f, 0, -0.4f}, {0.4f, 0.15f, 0.4f}, 0.04f, true);
    b.lathe({{0.28f, 0.15f}, {0.25f, 0.25f}, {0.22f, height - 0.25f}, {0.28f, height - 0.15f}}, 16,
            true);
    b.bevelBox({-0.36f, height - 0.15f, -0.36f}, {0.36f, height, 0.36f}, 0.03f);
}
void Pillar1(MeshBuilder& b) {
    Column(b, Material::MarbleWall, 1.6f);
}
void Statue(MeshBuilder& b) {
    b.material = Material::Sandstone;
    b.bevelBox({-0.4f, 0, -0.4f}, {0.4f, 0.45f, 0.4f}, 0.04f, true);
    b.material = Material::Granite; // a stone guardian with a spear, facing the player
    b.box({-0.12f, 0.45f, -0.08f}, {-0.02f, 0.95f, 0.08f});
    b.box({0.02f, 0.45f, -0.08f}, {0.12f, 0.95f, 0.08f});
    b.bevelBox({-0.18f, 0.95f, -0.1f}, {0.18f, 1.45f, 0.1f}, 0.04f);
    b.sphere({0, 1.58f, 0}, {0.11f, 0.13f, 0.11f}, 10, 7);
    b.box({-0.28f, 1.0f, -0.06f}, {-0.18f, 1.42f, 0.06f});
    b.box({0.18f, 1.0f, -0.06f}, {0.28f, 1.42f, 0.06f});
    b.material = Material::Metal;
    b.place = Translation({0.3f, 0.45f, -0.1f});
    b.cylinder(0.025f, 0, 1.4f, 6);
    b.cone(0.06f, 1.4f, 1.6f, 6);
    b.place = Mat4{};
}
void BrokenPillar(MeshBuilder& b) {
    b.material = Material::MossBlock;
    b.bevelBox({-0.4f, 0, -0.4f}, {0.4f, 0.15f, 0.4f}, 0.04f, true);
    b.lathe({{0.26f, 0.15f}, {0.24f, 0.7f}, {0.2f, 0.8f}, {0.08f, 0.95f}, {0, 0.9f}}, 10, false);
    b.place = Translation({0.2f, 0.15f, -0.2f}); // a fallen drum beside it
    b.sphere({0, 0.06f, 0}, {0.12f, 0.08f, 0.12f}, 8, 4);
    b.place = Mat4{};
}
void Obelisk(MeshBuilder& b) {
    b.material = Material::Glyphs;
    b.bevelBox({-0.38f, 0, -0.38f}, {0.38f, 0.2f, 0.38f}, 0.03f, true);
    b.extrude({{-0.22f, -0.22f}, {-0.22f, 0.22f}, {0.22f, 0.22f}, {0.22f, -0.22f}}, 0.2f, 1.5f);
    b.material = Material::Gold;
    b.lathe({{0.31f, 1.5f}, {0, 1.8f}}, 4, false);
}
void Brazier(MeshBuilder& b) {
    b.material = Material::IronPlate;
    b.lathe({{0.3f, 0},
             {0.3f, 0.08f},
             {0.12f, 0.16f},
             {0.1f, 1.0f},
             {0.3f, 1.15f},
             {0.32f, 1.25f},
             {0, 1.2f}},
            12, false);
    b.material = Material::Flame;
    b.lathe({{0.22f, 1.2f}, {0.18f, 1.35f}, {0.08f, 1.5f}, {0, 1.62f}}, 8, true);
}

} // namespace

// The placeholder of unseen cells covers most of the picture before the hero has looked
// around, so it costs as little as it can: one colour of its own, which the game's device
// draws without fetching texels, and only a short skirt, since deep sides would be drawn
// and then hidden by the next row's tops (beside a seen pit the skirt ends in the equally
// dark void).
constexpr float PlaceholderSkirt = -0.1f;

Model BuildPlaceholder() {
    // One box without a bottom: ten triangles, since every placeholder of the window is
    // set up, shaded and sorted into tiles one vertex at a time.
    Model m = RigidModel([](MeshBuilder& b) {
        b.material = Material::Empty;
        b.box({-Half, PlaceholderSkirt, -Half}, {Half, 0, Half}, true);
    });
    m.texture = PlaceholderTexture;
    return m;
}

Image PaintPlaceholder() {
    return Image(4, 4, Rgb(18, 18, 24));
}

std::span<const NamedParts> TileParts() {
    static constexpr NamedParts entries[] = {
        {"teleport.exp", Teleport},
        {"maali.exp", Exit},
        {"mask.exp", Mask},
        {"createlaatta.exp", ClosingPit},
        {"spikes.exp", Spikes},
        {"spikeholes.exp", SpikeHoles},
        {"arrowtrap.exp", ArrowTrap},
        {"rocktrap.exp", RockTrap},
        {"pylvas1.exp", Pillar1},
        {"patsas2.exp", Statue},
        {"pylvas2.exp", BrokenPillar},
        {"pylvas3.exp", Obelisk},
        {"pylvas4.exp", Brazier},
    };
    return entries;
}

} // namespace forge

// The texture sheet "textures.png": the model materials in their cells, the six shop
// pictures, the level start picture and the white fade texel at the rectangles the game
// cuts them from.
#include <algorithm>
#include <cmath>

#include "builders.h"
#include "forge.h"
#include "materials.h"
#include "pictures.h"
#include "raster.h"
#include "render/assetorder.h"
#include "text.h"

namespace forge {
namespace {

constexpr int StartGutter = 2; // texels

// The cell holding the start picture and the fade texel is painted white, so that the
// stretched fade texel stays pure white even when filtered with its neighbours.
void PaintSpecialCell(Image& sheet) {
    int cell = sheet.width / 16;
    sheet.fillRect(8 * cell, 12 * cell, 9 * cell, 13 * cell, {1, 1, 1, 1});
}

// A cartridge standing on its base, for the pictures of rounds.
Model Cartridge(float length) {
    Model m;
    MeshBuilder b(m);
    b.material = Material::Brass;
    b.cylinder(0.05f, 0, length * 0.7f, 12);
    b.material = Material::GoldTile;
    b.lathe({{0.045f, length * 0.7f}, {0.04f, length * 0.85f}, {0, length}}, 12, true);
    FinishRigid(m);
    return m;
}

struct ShopItem {
    const char* label;
    const char* gunFile; // nullptr for rounds
    int rounds;
    float cartridge;
};
constexpr ShopItem ShopItems[6] = {
    {"PISTOL", "weapon2.exp", 0, 0},         {"8 ROUNDS", nullptr, 8, 0.28f},
    {"SUBMACHINE GUN", "weapon1.exp", 0, 0}, {"50 ROUNDS", nullptr, 10, 0.3f},
    {"ASSAULT RIFLE", "weapon3.exp", 0, 0},  {"30 ROUNDS", nullptr, 7, 0.45f},
};

const Image& MaterialSheet() {
    static const Image sheet = [] {
        Image s(2048, 2048);
        PaintMaterials(s);
        return s;
    }();
    return sheet;
}

} // namespace

Image PaintShopPicture(int item, int width, int height) {
    const ShopItem& it = ShopItems[item];
    const int k = 3; // drawn three times larger, then reduced
    Rasterizer r(width * k, height * k);
    // A dark green felt with a lamp-lit middle, like a gun dealer's counter.
    for (int y = 0; y < r.colour.height; ++y)
        for (int x = 0; x < r.colour.width; ++x) {
            float dx = float(x) / r.colour.width - 0.5f, dy = float(y) / r.colour.height - 0.45f;
            float light = std::clamp(1.0f - (dx * dx + dy * dy) * 2.2f, 0.25f, 1.0f);
            r.colour.at(x, y) = Shade(Rgb(40, 70, 50), light);
        }
    r.light({0.4f, -0.8f, 0.5f}, {0.85f, 0.85f, 0.8f, 1}, {0.35f, 0.35f, 0.4f, 1});
    if (it.gunFile) {
        Model gun;
        BuildModel(it.gunFile, gun);
        // Laid on its side, barrel to the right, and framed to fill the picture.
        Mat4 turn = RotationX(Pi / 2 + 0.25f) * RotationY(-Pi / 2 + 0.3f);
        Vec3 lo{1e9f, 1e9f, 1e9f}, hi{-1e9f, -1e9f, -1e9f};
        for (Vec3 p : PlacedPositions(gun, RestRotations(gun))) {
            Vec3 q = TransformPoint(p, turn);
            lo = {std::min(lo.x, q.x), std::min(lo.y, q.y), std::min(lo.z, q.z)};
            hi = {std::max(hi.x, q.x), std::max(hi.y, q.y), std::max(hi.z, q.z)};
        }
        Vec3 centre = (lo + hi) * 0.5f;
        float aspect = float(width) / height;
        float fit = std::max((hi.x - lo.x) / aspect, hi.y - lo.y) * 0.5f * 1.25f;
        float distance = fit / std::tan(20 * Pi / 180) + (hi.z - lo.z);
        Mat4 world = turn * Translation(centre * -1.0f) * Translation({0, fit * 0.12f, 0});
        r.camera({0, 0, -distance}, {0, 0, 0}, 40);
        r.draw(gun, {}, world, MaterialSheet());
    } else {
        Model c = Cartridge(it.cartridge);
        r.camera({0, 0.55f, -1.6f}, {0, 0.1f, 0}, 40);
        for (int i = 0; i < it.rounds; ++i) {
            float x = (i - (it.rounds - 1) / 2.0f) * 0.12f;
            r.draw(c, {}, RotationY(0.3f * i) * Translation({x, -0.15f, 0.05f * (i % 2)}),
                   MaterialSheet());
        }
    }
    r.ink(0.6f);
    Image out = r.result(k);
    int size = std::max(8, height / 7);
    int tw = TextWidth(it.label, size, FontStyle::Bold);
    DrawOutlinedText(out, it.label, (width - tw) / 2, height - size / 2, size, Rgb(255, 220, 120),
                     Rgb(20, 15, 10));
    out.frame(0, 0, width, height, std::max(1, width / 125), Rgb(150, 110, 50));
    return out;
}

Image PaintStartPicture(int width, int height) {
    Image out(width, height, {0, 0, 0, 0});
    const char* text = "GO!";
    int size = height;
    while (size > 6 &&
           (TextWidth(text, size, FontStyle::Bold) > width - 4 || size * 0.8f > height - 2))
        --size;
    int tw = TextWidth(text, size, FontStyle::Bold);
    int baseline = (height + int(size * 0.72f)) / 2;
    DrawOutlinedText(out, text, (width - tw) / 2, baseline, size, Rgb(255, 200, 40),
                     Rgb(90, 30, 0));
    return out;
}

Image PaintTextureSheet(int size) {
    Image sheet(size, size, {0, 0, 0, 0});
    PaintMaterials(sheet);
    PaintSpecialCell(sheet);
    int picture = 0; // pictures cut from this sheet, in load order: six shop items, start, fade
    for (const AssetEntry& e : AssetOrder) {
        if (e.kind != AssetKind::Picture || std::string_view(e.file) != "textures.png") continue;
        const PictureRect& r = size == 2048 ? e.rect2048 : e.rect1024;
        if (picture < 6) {
            // Painted at the larger size and reduced, so both sheets show the same picture.
            Image big = PaintShopPicture(picture, e.rect2048.width, e.rect2048.height);
            sheet.copy(size == 2048 ? big : Resized(big, r.width, r.height), r.left, r.top);
        } else if (picture == 6) {
            // The start picture is drawn magnified and filtered: a clear gutter keeps the
            // white cell around it from showing as a faint frame at its edges.
            sheet.copy(Image(r.width + 2 * StartGutter, r.height + 2 * StartGutter),
                       r.left - StartGutter, r.top - StartGutter);
            sheet.copy(PaintStartPicture(r.width, r.height), r.left, r.top);
        } else {
            sheet.fillRect(r.left, r.top, r.left + r.width, r.top + r.height, {1, 1, 1, 1});
        }
        ++picture;
    }
    return sheet;
}

} // namespace forge

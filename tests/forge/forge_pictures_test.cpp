// The pictures the game cuts from the forge's output: the texture sheet's rectangles, the
// font's glyph rectangles and the story cells.
#include <gtest/gtest.h>

#include <algorithm>

#include "campaign/storycells.h"
#include "forge.h"
#include "materials.h"
#include "pictures.h"
#include "render/assetorder.h"
#include "render/font.h"

using namespace forge;

namespace {

bool Overlaps(const PictureRect& r, float x0, float y0, float x1, float y1) {
    return x0 < r.left + r.width && r.left < x1 && y0 < r.top + r.height && r.top < y1;
}

} // namespace

TEST(TextureSheet, PicturesSitAtTheirRectanglesAtBothSizes) {
    for (int size : {1024, 2048}) {
        SCOPED_TRACE(size);
        Image sheet = PaintTextureSheet(size);
        ASSERT_EQ(sheet.width, size);
        ASSERT_EQ(sheet.height, size);
        std::vector<PictureRect> rects;
        for (const AssetEntry& e : AssetOrder)
            if (e.kind == AssetKind::Picture && std::string_view(e.file) == "textures.png")
                rects.push_back(size == 2048 ? e.rect2048 : e.rect1024);
        ASSERT_EQ(rects.size(), 8u); // six shop pictures, the start picture, the fade texel

        // The fade texel is stretched over the screen: pure white and opaque.
        const Colour& fade = sheet.at(rects[7].left, rects[7].top);
        EXPECT_EQ(fade.r, 1.0f);
        EXPECT_EQ(fade.g, 1.0f);
        EXPECT_EQ(fade.b, 1.0f);
        EXPECT_EQ(fade.a, 1.0f);

        // The shop pictures cover their whole rectangle.
        for (int i = 0; i < 6; ++i) {
            const PictureRect& r = rects[i];
            for (int y = r.top; y < r.top + r.height; y += 7)
                for (int x = r.left; x < r.left + r.width; x += 7)
                    ASSERT_GT(sheet.at(x, y).a, 0.99f) << i;
        }
        // The start picture shows something, with see-through ground around its letters.
        int opaque = 0, clear = 0;
        const PictureRect& s = rects[6];
        for (int y = s.top; y < s.top + s.height; ++y)
            for (int x = s.left; x < s.left + s.width; ++x) {
                float a = sheet.at(x, y).a;
                opaque += a > 0.9f;
                clear += a < 0.1f;
            }
        EXPECT_GT(opaque, s.width * s.height / 10);
        EXPECT_GT(clear, s.width * s.height / 10);
        // Filtering at its magnified edges reads the texels just outside: they must be clear,
        // or the picture shows a frame.
        for (int x = s.left - 1; x <= s.left + s.width; ++x) {
            EXPECT_EQ(sheet.at(x, s.top - 1).a, 0.0f) << x;
            EXPECT_EQ(sheet.at(x, s.top + s.height).a, 0.0f) << x;
        }
        for (int y = s.top - 1; y <= s.top + s.height; ++y) {
            EXPECT_EQ(sheet.at(s.left - 1, y).a, 0.0f) << y;
            EXPECT_EQ(sheet.at(s.left + s.width, y).a, 0.0f) << y;
        }

        // Every material is painted: its cell is not left empty.
        for (int m = 0; m < int(Material::Count); ++m) {
            UvRect uv = MaterialRect(Material(m));
            EXPECT_GT(sheet.at(int((uv.u0 + uv.u1) / 2 * size), int((uv.v0 + uv.v1) / 2 * size)).a,
                      0.0f)
                << "material " << m << " has no painting";
        }
        // No material painting may reach into one of the pictures.
        for (int m = 0; m < int(Material::Count); ++m) {
            UvRect uv = MaterialRect(Material(m));
            for (const PictureRect& r : rects)
                EXPECT_FALSE(Overlaps(r, uv.u0 * size, uv.v0 * size, uv.u1 * size, uv.v1 * size))
                    << "material " << m;
        }
    }
}

TEST(Font, EveryGlyphFillsItsRectangleAndNothingElse) {
    Image font = PaintFont();
    std::vector<bool> inside(size_t(font.width) * font.height, false);
    for (size_t i = 0; i < FontGlyphs.size(); ++i) {
        const FontGlyph& g = FontGlyphs[i];
        char c = char(FontFirstChar + i);
        ASSERT_LE(g.left + g.width, font.width);
        ASSERT_LE(g.top + g.height, font.height);
        for (int y = g.top; y < g.top + g.height; ++y)
            for (int x = g.left; x < g.left + g.width; ++x)
                inside[size_t(y) * font.width + x] = true;
        if (c == ' ' || g.width <= 1) continue; // the space and the three placeholders stay empty
        // Fitted to its width: ink reaches the first and the last column of the rectangle.
        float left = 0, right = 0, brightest = 0;
        for (int y = g.top; y < g.top + g.height; ++y) {
            left = std::max(left, font.at(g.left, y).a);
            right = std::max(right, font.at(g.left + g.width - 1, y).a);
            for (int x = g.left; x < g.left + g.width; ++x)
                brightest = std::max(brightest, font.at(x, y).a);
        }
        EXPECT_GT(left, 0.2f) << "glyph '" << c << "'";
        EXPECT_GT(right, 0.2f) << "glyph '" << c << "'";
        EXPECT_GT(brightest, 0.9f) << "glyph '" << c << "'";
    }
    // Light glyphs on a clear ground: white wherever there is ink, nothing outside the glyphs.
    for (int y = 0; y < font.height; ++y)
        for (int x = 0; x < font.width; ++x) {
            const Colour& p = font.at(x, y);
            if (!inside[size_t(y) * font.width + x]) {
                ASSERT_EQ(p.a, 0.0f) << x << "," << y;
            } else if (p.a > 0) {
                ASSERT_TRUE(p.r == 1 && p.g == 1 && p.b == 1) << x << "," << y;
            }
        }
}

TEST(StoryCells, CellsAreSeparateAndPainted) {
    for (int i = 0; i < StoryCellCount; ++i)
        for (int j = i + 1; j < StoryCellCount; ++j) {
            const StoryCell &a = StoryCells[i], &b = StoryCells[j];
            bool apart = a.sheet != b.sheet || a.left + a.width <= b.left ||
                         b.left + b.width <= a.left || a.top + a.height <= b.top ||
                         b.top + b.height <= a.top;
            EXPECT_TRUE(apart) << "cells " << i << " and " << j;
        }
    std::vector<Image> sheets;
    for (int s = 1; s <= StorySheetCount; ++s) sheets.push_back(PaintStorySheet(s));
    for (int i = 0; i < StoryCellCount; ++i) {
        const StoryCell& c = StoryCells[i];
        const Image& sheet = sheets[c.sheet - 1];
        const Colour& middle = sheet.at(c.left + c.width / 2, c.top + c.height / 2);
        EXPECT_GT(middle.a, 0.5f) << "cell " << i;
    }
    // The overlay patch is drawn tinted, so it must be plain white.
    const StoryCell& overlay = StoryCells[StoryOverlayCell];
    for (int y = 0; y < overlay.height; ++y)
        for (int x = 0; x < overlay.width; ++x) {
            const Colour& p = sheets[overlay.sheet - 1].at(overlay.left + x, overlay.top + y);
            ASSERT_TRUE(p.r == 1 && p.g == 1 && p.b == 1 && p.a == 1);
        }
}

TEST(MenuPictures, SevenOpaqueScenesOfTheMenuSize) {
    ASSERT_EQ(MenuPictures().size(), 7u);
    for (const MenuPicture& p : MenuPictures()) {
        Image im = p.paint();
        EXPECT_EQ(im.width, 800) << p.file;
        EXPECT_EQ(im.height, 450) << p.file;
        // A scene, not a flat fill: the picture's brightness varies a good deal.
        float lo = 1, hi = 0;
        for (const Colour& c : im.pixels) {
            float l = (c.r + c.g + c.b) / 3;
            lo = std::min(lo, l), hi = std::max(hi, l);
        }
        EXPECT_GT(hi - lo, 0.4f) << p.file;
    }
}

TEST(StoryCells, PanelsTileTheStripAtTheIntrosPositions) {
    // Where the intro and the epilogue place their panels on the strip (design units) and
    // at which scale: panels of one strip must not cover each other, stay inside the strip's
    // margins and leave no caption hanging outside every panel.
    struct Placed {
        int cell;
        float x, y, scale;
    };
    const Placed intro[] = {{0, 288, 300, 1},      {1, 1028, 764, 1.5f},   {2, 288, 828, 1},
                            {3, 300, 838, 1.5f},   {4, 622, 838, 1.5f},    {5, 654, 828, 1},
                            {6, 962, 828, 1},      {7, 288, 1356, 1},      {8, 750, 1356, 1},
                            {9, 750, 1620, 1},     {10, 1122, 1456, 1.5f}, {11, 1132, 1566, 1.5f},
                            {12, 288, 1884, 1},    {13, 408, 2194, 1.5f},  {14, 602, 1884, 1},
                            {15, 542, 1894, 1.5f}, {16, 916, 1884, 1},     {17, 926, 1894, 1.5f},
                            {18, 288, 2514, 1},    {20, 632, 2524, 1.5f},  {19, 602, 2514, 1},
                            {21, 916, 2514, 1},    {22, 916, 2727, 1},     {23, 1000, 2860, 1.5f},
                            {24, 298, 2950, 1.5f}, {26, 288, 2940, 1}};
    const Placed epilogue[] = {{27, 288, 300, 1},
                               {28, 800, 300, 1},
                               {29, 288, 812, 1},
                               {30, 1138, 1162, 1.5f},
                               {31, 1148, 1212, 1.5f}};
    auto check = [](const Placed* begin, const Placed* end) {
        for (const Placed* a = begin; a != end; ++a) {
            const StoryCell& ca = StoryCells[a->cell];
            float ax1 = a->x + ca.width * a->scale, ay1 = a->y + ca.height * a->scale;
            EXPECT_LE(ax1, 1312.5f) << "cell " << a->cell << " runs past the strip's right margin";
            if (a->scale != 1) continue;
            for (const Placed* b = a + 1; b != end; ++b) {
                if (b->scale != 1) continue;
                const StoryCell& cb = StoryCells[b->cell];
                bool apart = ax1 <= b->x || b->x + cb.width <= a->x || ay1 <= b->y ||
                             b->y + cb.height <= a->y;
                EXPECT_TRUE(apart) << "panels " << a->cell << " and " << b->cell << " overlap";
            }
        }
    };
    check(std::begin(intro), std::end(intro));
    check(std::begin(epilogue), std::end(epilogue));
    // The last intro panel fills the band the letterbox leaves once the strip stops at 2624.
    const StoryCell& last = StoryCells[26];
    EXPECT_LE(2940 - 2624 + last.height, 1200 - 150);
    EXPECT_GE(2940 - 2624 + last.height, 800);
}

TEST(Icon, EverySizeShowsTheSamePictureOnATransparentGround) {
    const Image large = PaintIcon(256);
    for (int size : {64, 128, 256}) {
        SCOPED_TRACE(size);
        const Image icon = PaintIcon(size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        // Desktops draw the icon on any colour: the corners stay clear, the disc is solid.
        EXPECT_EQ(icon.at(0, 0).a, 0.0f);
        EXPECT_EQ(icon.at(size - 1, size - 1).a, 0.0f);
        EXPECT_EQ(icon.at(size / 2, size / 8).a, 1.0f);
        // Hat band and gold sit at the same places at every size.
        for (auto [u, v] : {std::pair{0.5f, 0.45f}, std::pair{0.5f, 0.76f}}) {
            const Colour a = icon.at(int(u * size), int(v * size));
            const Colour b = large.at(int(u * 256), int(v * 256));
            EXPECT_NEAR(a.r, b.r, 0.1f);
            EXPECT_NEAR(a.g, b.g, 0.1f);
        }
    }
}

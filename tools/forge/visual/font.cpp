// The bitmap font picture: every glyph is drawn into exactly its rectangle of the shared
// font table, white with soft edges on a transparent ground, so the game can tint it.
#include <algorithm>
#include <cmath>

#include "pictures.h"
#include "render/font.h"
#include "text.h"

namespace forge {
namespace {

// The glyphs are drawn large and then reduced into their rectangles: the baseline sits at
// row 16 of the line (capitals fill rows 1..15), descenders reach rows 16..19.
constexpr int Oversample = 8;
constexpr float Baseline = 15.5f;
constexpr float CapHeight = 14.0f;

void DrawGlyph(Image& picture, char c, const FontGlyph& rect) {
    if (rect.width <= 1 || c == ' ') return; // the placeholders and the space stay empty
    const int pixelSize =
        int(std::lround(CapHeight / 0.729f * Oversample)); // DejaVu caps: 0.729 em
    GlyphBitmap g = RenderGlyph(static_cast<unsigned char>(c), pixelSize, FontStyle::Bold);
    if (g.width == 0) return;
    float scaleY = 1.0f / Oversample;
    // Horizontally each glyph is fitted to the full width of its rectangle.
    const float scaleX = float(rect.width) / g.width;
    float topRow = Baseline - g.top * scaleY; // glyph's top in rectangle rows
    // The underscore hangs below the baseline in the font; lift it onto the last rows.
    if (c == '_') topRow = rect.height - g.height * scaleY - 0.5f;
    // Letters that reach below their rectangle (the J and Q of this font) are squeezed into it.
    if (topRow + g.height * scaleY > rect.height) scaleY = (rect.height - topRow) / g.height;
    for (int y = 0; y < rect.height; ++y)
        for (int x = 0; x < rect.width; ++x) {
            float sum = 0;
            int n = 0;
            for (int sy = 0; sy < Oversample; ++sy)
                for (int sx = 0; sx < Oversample; ++sx) {
                    float ry = y + (sy + 0.5f) / Oversample, rx = x + (sx + 0.5f) / Oversample;
                    int gy = int(std::floor((ry - topRow) / scaleY)),
                        gx = int(std::floor(rx / scaleX));
                    if (gy >= 0 && gy < g.height && gx >= 0 && gx < g.width)
                        sum += g.coverage[size_t(gy) * g.width + gx];
                    ++n;
                }
            float a = std::min(1.0f, sum / n * 1.15f);
            if (a > 0) picture.at(rect.left + x, rect.top + y) = {1, 1, 1, a};
        }
}

} // namespace

Image PaintFont() {
    int w = 0, h = 0;
    for (const FontGlyph& r : FontGlyphs)
        w = std::max(w, r.left + r.width), h = std::max(h, r.top + r.height);
    // A power-of-two picture keeps every texture loader happy.
    int size = 256;
    while (size < w || size < h) size *= 2;
    Image picture(size, size / 2 >= h ? size / 2 : size, {1, 1, 1, 0});
    for (size_t i = 0; i < FontGlyphs.size(); ++i)
        DrawGlyph(picture, char(FontFirstChar + i), FontGlyphs[i]);
    return picture;
}

} // namespace forge

#include "text.h"

#include <cstdio>
#include <cstdlib>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace forge {
namespace {

const char* FontFile(FontStyle style) {
    switch (style) {
    case FontStyle::Regular:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case FontStyle::Bold:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case FontStyle::Serif:
        return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    }
    return "";
}

// The FreeType library and the three faces, opened once for the whole run.
struct Faces {
    FT_Library library = nullptr;
    FT_Face faces[3] = {};
    Faces() {
        if (FT_Init_FreeType(&library)) Fail("FreeType would not start");
        for (int i = 0; i < 3; ++i)
            if (FT_New_Face(library, FontFile(FontStyle(i)), 0, &faces[i]))
                Fail(std::string("cannot open ") + FontFile(FontStyle(i)) +
                     " (package fonts-dejavu-core)");
    }
    ~Faces() {
        for (FT_Face f : faces)
            if (f) FT_Done_Face(f);
        if (library) FT_Done_FreeType(library);
    }
    [[noreturn]] static void Fail(const std::string& why) {
        std::fprintf(stderr, "forge-visual: %s\n", why.c_str());
        std::exit(1);
    }
};

FT_Face Face(FontStyle style) {
    static Faces faces;
    return faces.faces[int(style)];
}

} // namespace

GlyphBitmap RenderGlyph(char32_t c, int pixelSize, FontStyle style) {
    FT_Face face = Face(style);
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize));
    GlyphBitmap g;
    if (FT_Load_Char(face, c, FT_LOAD_RENDER)) return g;
    const FT_Bitmap& bm = face->glyph->bitmap;
    g.width = int(bm.width);
    g.height = int(bm.rows);
    g.left = face->glyph->bitmap_left;
    g.top = face->glyph->bitmap_top;
    g.advance = int(face->glyph->advance.x >> 6);
    g.coverage.resize(size_t(g.width) * g.height);
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            g.coverage[size_t(y) * g.width + x] = bm.buffer[y * bm.pitch + x] / 255.0f;
    return g;
}

int TextWidth(std::string_view text, int pixelSize, FontStyle style) {
    int w = 0;
    for (char c : text) w += RenderGlyph(static_cast<unsigned char>(c), pixelSize, style).advance;
    return w;
}

void DrawText(Image& image, std::string_view text, int x, int baseline, int pixelSize,
              Colour colour, FontStyle style) {
    int pen = x;
    for (char c : text) {
        GlyphBitmap g = RenderGlyph(static_cast<unsigned char>(c), pixelSize, style);
        for (int y = 0; y < g.height; ++y)
            for (int gx = 0; gx < g.width; ++gx)
                image.blend(pen + g.left + gx, baseline - g.top + y, colour,
                            g.coverage[size_t(y) * g.width + gx]);
        pen += g.advance;
    }
}

void DrawOutlinedText(Image& image, std::string_view text, int x, int baseline, int pixelSize,
                      Colour colour, Colour rim, FontStyle style) {
    int r = std::max(1, pixelSize / 14);
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (dx || dy) DrawText(image, text, x + dx, baseline + dy, pixelSize, rim, style);
    DrawText(image, text, x, baseline, pixelSize, colour, style);
}

} // namespace forge

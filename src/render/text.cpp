#include "render/text.h"

#include <string>

#include "platform/clock.h"
#include "render/font.h"
#include "render/screenlayout.h"

namespace {

MillisecondClock textClock = nullptr;

int MillisecondOfSecond() {
    return textClock ? textClock() : sysclock::Now().millisecond;
}

// Horizontal and vertical glyph scale for a design-unit scale on this screen.
float ScaleForWidth(float scale) {
    return scale * static_cast<float>(ScreenWidth) / 1600.0f;
}
float ScaleForHeight(float scale) {
    return scale * static_cast<float>(ScreenHeight) / 1200.0f;
}

bool HasGlyph(char c) {
    return GlyphOf(c) != nullptr;
}

// The advance takes the glyph width from the font's own sprites, so a font picture cut
// differently still spaces correctly; a glyph sprite that was never loaded counts as 0 wide.
int32_t Advance(const td2dsprites& sprites, int first, char c, float sx, int gap) {
    const int index = first + static_cast<unsigned char>(c) - FontFirstChar;
    const int32_t width = sprites.Valid(index) ? sprites.Sprite(index).width : 0;
    return RoundHalfEven(static_cast<double>(width) * sx) + gap;
}

void DrawText(td2dsprites& sprites, int32_t x, int32_t y, std::string_view text, float scale,
              bool blink, int first, uint32_t colour, int alpha, int gap) {
    const float sx = ScaleForWidth(scale), sy = ScaleForHeight(scale);
    std::string shown(text);
    if (blink && MillisecondOfSecond() < 500) shown += '*';
    int32_t pen = 0;
    for (char c : shown) {
        if (!HasGlyph(c)) continue;
        if (c != ' ')
            sprites.DrawSpriteScaled(first + static_cast<unsigned char>(c) - FontFirstChar, x + pen,
                                     y, sx, sy, colour, alpha);
        pen += Advance(sprites, first, c, sx, gap);
    }
}

} // namespace

void SetTextClock(MillisecondClock clock) {
    textClock = clock;
}

void DrawPlainText(td2dsprites& sprites, int32_t x, int32_t y, std::string_view text, float scale,
                   bool blink, int first, uint32_t colour, int alpha) {
    DrawText(sprites, x, y, text, scale, blink, first, colour, alpha, 1);
}

void DrawSpacedText(td2dsprites& sprites, int32_t x, int32_t y, std::string_view text, float scale,
                    bool blink, int first, uint32_t colour, int alpha) {
    DrawText(sprites, x, y, text, scale, blink, first, colour, alpha, 3);
}

int32_t TextWidth(const td2dsprites& sprites, std::string_view text, int first, float scale) {
    const float sx = ScaleForWidth(scale);
    int32_t width = 0;
    for (char c : text)
        if (HasGlyph(c)) width += Advance(sprites, first, c, sx, 3);
    return width;
}

void DrawOutlinedText(td2dsprites& sprites, int32_t x, int32_t y, std::string_view text,
                      uint32_t outlineColour, float scale, bool blink, int first, uint32_t colour,
                      int alpha) {
    struct Offset {
        int dx, dy;
    };
    static constexpr Offset outline[] = {{-1, -1}, {-1, 1}, {1, 1},  {1, -1},
                                         {-1, 0},  {1, 0},  {0, -1}, {0, 1}};
    for (const Offset& o : outline)
        DrawSpacedText(sprites, x + o.dx, y + o.dy, text, scale, blink, first, outlineColour,
                       alpha);
    DrawSpacedText(sprites, x, y, text, scale, blink, first, colour, alpha);
}

void DrawTitle(td2dsprites& sprites, std::string_view text, int first) {
    DrawOutlinedText(sprites, ScreenX(0), ScreenY(100), text, 0x000000, 2.0f, false, first,
                     0xB04000, 255);
}

#pragma once
// Writing with the bitmap font: one sprite per character, the font's glyph sprites being
// `first` .. `first` + 90 for the character codes 32 .. 122. Positions are screen pixels;
// scale is in design units (scale 1 is the font's designed size on a 1600 x 1200 screen).
// Every character advances by its own rounded width, so the width of a text is exactly the
// sum of its characters' advances and callers can centre text with TextWidth.
#include <cstdint>
#include <string_view>

#include "render/sprites.h"

// With blink set, a "*" follows the text during the first half of every second (a cursor).
// Characters without a glyph are skipped without leaving a gap.
void DrawPlainText(td2dsprites& sprites, int32_t x, int32_t y, std::string_view text, float scale,
                   bool blink, int first, uint32_t colour, int alpha);
// As DrawPlainText with 3 pixels between characters instead of 1.
void DrawSpacedText(td2dsprites& sprites, int32_t x, int32_t y, std::string_view text, float scale,
                    bool blink, int first, uint32_t colour, int alpha);
// The pen advance of DrawSpacedText over the text (no cursor counted).
int32_t TextWidth(const td2dsprites& sprites, std::string_view text, int first, float scale);
// DrawSpacedText in the outline colour at the eight neighbouring pixels, then in the colour.
void DrawOutlinedText(td2dsprites& sprites, int32_t x, int32_t y, std::string_view text,
                      uint32_t outlineColour, float scale, bool blink, int first, uint32_t colour,
                      int alpha);
// The title line of a menu screen.
void DrawTitle(td2dsprites& sprites, std::string_view text, int first);

// Test seam: the milliseconds of the current second that the blinking cursor follows.
using MillisecondClock = int (*)();
void SetTextClock(MillisecondClock clock); // nullptr restores the real clock

#pragma once
// Text painted with FreeType from the DejaVu fonts of the system (fonts-dejavu-core).
#include <string>
#include <string_view>

#include "image.h"

namespace forge {

enum class FontStyle { Regular, Bold, Serif };

// A glyph's coverage at a size: width x height values 0..1, and where it sits.
struct GlyphBitmap {
    int width = 0, height = 0;
    int left = 0, top = 0; // pen to the left edge, baseline to the top row (up positive)
    int advance = 0;       // in pixels
    std::vector<float> coverage;
};
GlyphBitmap RenderGlyph(char32_t c, int pixelSize, FontStyle style);

// Width in pixels of a line of text.
int TextWidth(std::string_view text, int pixelSize, FontStyle style);
// Paints a line of text with its baseline at y.
void DrawText(Image& image, std::string_view text, int x, int baseline, int pixelSize,
              Colour colour, FontStyle style = FontStyle::Bold);
// The same with a dark rim around the letters, for captions on busy pictures.
void DrawOutlinedText(Image& image, std::string_view text, int x, int baseline, int pixelSize,
                      Colour colour, Colour rim, FontStyle style = FontStyle::Bold);

} // namespace forge

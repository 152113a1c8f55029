#pragma once
// A picture being painted: RGBA floats 0..1, straight (not premultiplied) alpha.
#include <string>
#include <vector>

namespace forge {

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};
inline Colour Rgb(int r, int g, int b, float a = 1) {
    return {r / 255.f, g / 255.f, b / 255.f, a};
}
Colour Mix(Colour a, Colour b, float t);
Colour Shade(Colour c, float factor); // scales r, g, b

struct Image {
    int width = 0, height = 0;
    std::vector<Colour> pixels;

    Image() = default;
    Image(int w, int h, Colour fill = {0, 0, 0, 0});
    Colour& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Colour& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    // Source-over painting with coverage 0..1.
    void blend(int x, int y, Colour c, float coverage = 1);
    void fillRect(float x0, float y0, float x1, float y1, Colour c);
    void fillCircle(float cx, float cy, float radius, Colour c);
    void fillEllipse(float cx, float cy, float rx, float ry, Colour c);
    void line(float x0, float y0, float x1, float y1, float width, Colour c);
    void fillPolygon(const std::vector<float>& xy, Colour c); // x0, y0, x1, y1, ...
    void frame(int x0, int y0, int x1, int y1, int thickness, Colour c);
    void verticalGradient(int y0, int y1, Colour top, Colour bottom);
    // Paints src with its top left corner at (x, y), blending by its alpha.
    void draw(const Image& src, int x, int y, float opacity = 1);
    // Copies src over this picture's pixels, alpha included.
    void copy(const Image& src, int x, int y);
};

// Box-filtered reduction to (w, h).
Image Resized(const Image& src, int w, int h);
Image Crop(const Image& src, int x, int y, int w, int h);

std::string EncodePng(const Image& image);
std::string EncodeJpeg(const Image& image, int quality);

} // namespace forge

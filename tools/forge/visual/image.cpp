#include "image.h"

#include <algorithm>
#include <cmath>
#include <stb_image_write.h>

namespace forge {

Colour Mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}
Colour Shade(Colour c, float f) {
    return {c.r * f, c.g * f, c.b * f, c.a};
}

Image::Image(int w, int h, Colour fill) : width(w), height(h), pixels(size_t(w) * h, fill) {}

void Image::blend(int x, int y, Colour c, float coverage) {
    if (!inside(x, y)) return;
    float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (a <= 0) return;
    Colour& d = at(x, y);
    float outA = a + d.a * (1 - a);
    if (outA <= 0) return;
    d.r = (c.r * a + d.r * d.a * (1 - a)) / outA;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / outA;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / outA;
    d.a = outA;
}

void Image::fillRect(float x0, float y0, float x1, float y1, Colour c) {
    int ix0 = std::max(0, int(std::floor(x0))), iy0 = std::max(0, int(std::floor(y0)));
    int ix1 = std::min(width, int(std::ceil(x1))), iy1 = std::min(height, int(std::ceil(y1)));
    for (int y = iy0; y < iy1; ++y)
        for (int x = ix0; x < ix1; ++x) {
            float cx = std::clamp(std::min(x + 1.0f, x1) - std::max(float(x), x0), 0.0f, 1.0f);
            float cy = std::clamp(std::min(y + 1.0f, y1) - std::max(float(y), y0), 0.0f, 1.0f);
            blend(x, y, c, cx * cy);
        }
}

void Image::fillEllipse(float cx, float cy, float rx, float ry, Colour c) {
    int x0 = std::max(0, int(cx - rx - 1)), x1 = std::min(width - 1, int(cx + rx + 1));
    int y0 = std::max(0, int(cy - ry - 1)), y1 = std::min(height - 1, int(cy + ry + 1));
    float r = std::min(rx, ry);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            float d = (std::sqrt(dx * dx + dy * dy) - 1) * r; // signed distance, roughly
            blend(x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f));
        }
}
void Image::fillCircle(float cx, float cy, float radius, Colour c) {
    fillEllipse(cx, cy, radius, radius, c);
}

void Image::line(float x0, float y0, float x1, float y1, float w, Colour c) {
    int bx0 = std::max(0, int(std::min(x0, x1) - w - 1));
    int bx1 = std::min(width - 1, int(std::max(x0, x1) + w + 1));
    int by0 = std::max(0, int(std::min(y0, y1) - w - 1));
    int by1 = std::min(height - 1, int(std::max(y0, y1) + w + 1));
    float dx = x1 - x0, dy = y1 - y0, len2 = std::max(dx * dx + dy * dy, 1e-6f);
    for (int y = by0; y <= by1; ++y)
        for (int x = bx0; x <= bx1; ++x) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f);
            float ex = px - t * dx, ey = py - t * dy;
            float d = std::sqrt(ex * ex + ey * ey) - w * 0.5f;
            blend(x, y, c, std::clamp(0.5f - d, 0.0f, 1.0f));
        }
}

void Image::fillPolygon(const std::vector<float>& xy, Colour c) {
    size_t n = xy.size() / 2;
    if (n < 3) return;
    float minY = xy[1], maxY = xy[1];
    for (size_t i = 0; i < n; ++i)
        minY = std::min(minY, xy[2 * i + 1]), maxY = std::max(maxY, xy[2 * i + 1]);
    // 4x vertical supersampling of an even-odd scanline fill gives soft enough edges.
    const int sub = 4;
    int y0 = std::max(0, int(minY)), y1 = std::min(height - 1, int(maxY) + 1);
    std::vector<float> cover(static_cast<size_t>(width), 0.0f);
    for (int y = y0; y <= y1; ++y) {
        std::fill(cover.begin(), cover.end(), 0.0f);
        for (int s = 0; s < sub; ++s) {
            float sy = y + (s + 0.5f) / sub;
            std::vector<float> xs;
            for (size_t i = 0; i < n; ++i) {
                float ax = xy[2 * i], ay = xy[2 * i + 1];
                float bx = xy[2 * ((i + 1) % n)], by = xy[2 * ((i + 1) % n) + 1];
                if ((ay <= sy) != (by <= sy)) xs.push_back(ax + (sy - ay) / (by - ay) * (bx - ax));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t k = 0; k + 1 < xs.size(); k += 2) {
                float a = std::max(0.0f, xs[k]), b = std::min(float(width), xs[k + 1]);
                for (int x = int(a); x < int(std::ceil(b)) && x < width; ++x) {
                    float cov = std::min(x + 1.0f, b) - std::max(float(x), a);
                    if (cov > 0) cover[x] += cov / sub;
                }
            }
        }
        for (int x = 0; x < width; ++x)
            if (cover[x] > 0) blend(x, y, c, std::min(1.0f, cover[x]));
    }
}

void Image::frame(int x0, int y0, int x1, int y1, int t, Colour c) {
    fillRect(x0, y0, x1, y0 + t, c);
    fillRect(x0, y1 - t, x1, y1, c);
    fillRect(x0, y0 + t, x0 + t, y1 - t, c);
    fillRect(x1 - t, y0 + t, x1, y1 - t, c);
}

void Image::verticalGradient(int y0, int y1, Colour top, Colour bottom) {
    for (int y = std::max(0, y0); y < std::min(height, y1); ++y) {
        Colour c = Mix(top, bottom, float(y - y0) / std::max(1, y1 - y0 - 1));
        for (int x = 0; x < width; ++x) at(x, y) = c;
    }
}

void Image::draw(const Image& src, int x, int y, float opacity) {
    for (int sy = 0; sy < src.height; ++sy)
        for (int sx = 0; sx < src.width; ++sx) blend(x + sx, y + sy, src.at(sx, sy), opacity);
}

void Image::copy(const Image& src, int x, int y) {
    for (int sy = 0; sy < src.height; ++sy)
        for (int sx = 0; sx < src.width; ++sx)
            if (inside(x + sx, y + sy)) at(x + sx, y + sy) = src.at(sx, sy);
}

Image Resized(const Image& src, int w, int h) {
    Image out(w, h);
    float fx = float(src.width) / w, fy = float(src.height) / h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sx0 = int(x * fx), sx1 = std::max(sx0 + 1, int((x + 1) * fx));
            int sy0 = int(y * fy), sy1 = std::max(sy0 + 1, int((y + 1) * fy));
            Colour sum{0, 0, 0, 0};
            float n = 0;
            for (int sy = sy0; sy < sy1 && sy < src.height; ++sy)
                for (int sx = sx0; sx < sx1 && sx < src.width; ++sx) {
                    const Colour& c = src.at(sx, sy);
                    // Weight colour by alpha so transparent pixels do not darken edges.
                    sum.r += c.r * c.a, sum.g += c.g * c.a, sum.b += c.b * c.a, sum.a += c.a;
                    n += 1;
                }
            Colour& d = out.at(x, y);
            if (sum.a > 0)
                d = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n};
            else
                d = {0, 0, 0, 0};
        }
    return out;
}

Image Crop(const Image& src, int x, int y, int w, int h) {
    Image out(w, h);
    for (int sy = 0; sy < h; ++sy)
        for (int sx = 0; sx < w; ++sx)
            if (src.inside(x + sx, y + sy)) out.at(sx, sy) = src.at(x + sx, y + sy);
    return out;
}

namespace {

std::vector<unsigned char> Bytes(const Image& image, int channels) {
    std::vector<unsigned char> bytes(size_t(image.width) * image.height * channels);
    auto q = [](float v) {
        return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255));
    };
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const Colour& c = image.pixels[i];
        bytes[i * channels + 0] = q(c.r);
        bytes[i * channels + 1] = q(c.g);
        bytes[i * channels + 2] = q(c.b);
        if (channels == 4) bytes[i * channels + 3] = q(c.a);
    }
    return bytes;
}

void Append(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size_t(size));
}

} // namespace

std::string EncodePng(const Image& image) {
    std::vector<unsigned char> bytes = Bytes(image, 4);
    std::string out;
    stbi_write_png_to_func(Append, &out, image.width, image.height, 4, bytes.data(),
                           image.width * 4);
    return out;
}

std::string EncodeJpeg(const Image& image, int quality) {
    std::vector<unsigned char> bytes = Bytes(image, 3);
    std::string out;
    stbi_write_jpg_to_func(Append, &out, image.width, image.height, 3, bytes.data(), quality);
    return out;
}

} // namespace forge

#include "picture.h"

#include "platform/files.h"

#include <cstdlib>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace levelkit {

Picture::Picture(int width, int height, Rgb background)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 3) {
    Fill(0, 0, width, height, background);
}

void Picture::Plot(int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 3];
    p[0] = c.r, p[1] = c.g, p[2] = c.b;
}

void Picture::Fill(int x, int y, int w, int h, Rgb colour) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Plot(i, j, colour);
}

void Picture::Line(int x0, int y0, int x1, int y1, Rgb colour, int thickness) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1, err = dx + dy;
    int half = thickness / 2;
    for (;;) {
        Fill(x0 - half, y0 - half, thickness, thickness, colour);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, x0 += sx;
        if (e2 <= dx) err += dx, y0 += sy;
    }
}

void Picture::Disc(int cx, int cy, int r, Rgb colour) {
    for (int j = -r; j <= r; ++j)
        for (int i = -r; i <= r; ++i)
            if (i * i + j * j <= r * r + r / 2) Plot(cx + i, cy + j, colour);
}

void Picture::Ring(int cx, int cy, int r, Rgb colour) {
    for (int j = -r; j <= r; ++j)
        for (int i = -r; i <= r; ++i) {
            int d = i * i + j * j;
            if (d <= r * r + r && d >= (r - 1) * (r - 1)) Plot(cx + i, cy + j, colour);
        }
}

namespace {
// Rows of each digit, three bits a row, the left pixel the highest bit.
constexpr uint8_t DigitRows[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};
} // namespace

void Picture::Number(int x, int y, int value, int scale, Rgb colour) {
    std::string digits = std::to_string(value);
    for (char d : digits) {
        if (d >= '0' && d <= '9')
            for (int row = 0; row < 5; ++row)
                for (int bit = 0; bit < 3; ++bit)
                    if (DigitRows[d - '0'][row] >> (2 - bit) & 1)
                        Fill(x + bit * scale, y + row * scale, scale, scale, colour);
        x += 4 * scale;
    }
}

void Picture::Paste(const Picture& other, int x, int y) {
    for (int j = 0; j < other.height_; ++j)
        for (int i = 0; i < other.width_; ++i) {
            const uint8_t* p = &other.pixels_[(static_cast<size_t>(j) * other.width_ + i) * 3];
            Plot(x + i, y + j, {p[0], p[1], p[2]});
        }
}

namespace {
void Collect(void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), size);
}
} // namespace

bool Picture::SavePng(const std::string& path) const {
    std::string bytes;
    if (!stbi_write_png_to_func(Collect, &bytes, width_, height_, 3, pixels_.data(), width_ * 3))
        return false;
    return files::WriteSafely(path, bytes);
}

} // namespace levelkit

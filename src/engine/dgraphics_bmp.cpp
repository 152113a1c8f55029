#include "engine/dgraphics_bmp.h"

namespace {

void Put16(std::string& out, uint32_t v) {
    out += char(v & 255);
    out += char((v >> 8) & 255);
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::string EncodeBmp32(const uint32_t* pixels, int width, int height) {
    constexpr uint32_t kHeaders = 14 + 40;
    const uint32_t imageBytes = uint32_t(width) * uint32_t(height) * 4;
    std::string out;
    out.reserve(kHeaders + imageBytes);
    // File header.
    out += "BM";
    Put32(out, kHeaders + imageBytes);
    Put32(out, 0);
    Put32(out, kHeaders);
    // Info header: positive height means the last row comes first.
    Put32(out, 40);
    Put32(out, uint32_t(width));
    Put32(out, uint32_t(height));
    Put16(out, 1);  // planes
    Put16(out, 32); // bits a pixel
    Put32(out, 0);  // no compression
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dots an inch
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) Put32(out, pixels[size_t(y) * size_t(width) + size_t(x)]);
    return out;
}

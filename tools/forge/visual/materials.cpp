#include "materials.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "paint.h"

namespace forge {
namespace {

// The sheet is a 16 x 16 grid of cells. The cells under the shop pictures and under the
// start picture and fade texel are kept free for them.
constexpr int Grid = 16;
constexpr bool Reserved(int cx, int cy) {
    return (cx >= 8 && cx <= 11 && cy >= 4 && cy <= 7) || (cx == 8 && cy == 12);
}
constexpr std::array<int, 2> CellOf(Material m) {
    int n = int(m);
    for (int cy = 0; cy < Grid; ++cy)
        for (int cx = 0; cx < Grid; ++cx)
            if (!Reserved(cx, cy) && n-- == 0) return {cx, cy};
    return {0, 0};
}

} // namespace

UvRect MaterialRect(Material m) {
    auto [cx, cy] = CellOf(m);
    // Two texels of the 2048 sheet (one of the 1024 sheet) stay unused at each edge so that
    // filtering never picks up the neighbouring cell.
    const float cell = 1.0f / Grid, inset = 2.0f / 2048;
    return {cx * cell + inset, cy * cell + inset, (cx + 1) * cell - inset, (cy + 1) * cell - inset};
}

void PaintMaterials(Image& sheet) {
    int cellPx = sheet.width / Grid;
    for (auto table : {SurfacePainters(), ThingPainters()})
        for (const MaterialPainter& info : table) {
            auto [cx, cy] = CellOf(info.material);
            for (int y = 0; y < cellPx; ++y)
                for (int x = 0; x < cellPx; ++x) {
                    float u = (x + 0.5f) / cellPx, v = (y + 0.5f) / cellPx;
                    Colour c = info.paint(u, v);
                    c.r = std::clamp(c.r, 0.0f, 1.0f), c.g = std::clamp(c.g, 0.0f, 1.0f);
                    c.b = std::clamp(c.b, 0.0f, 1.0f);
                    sheet.at(cx * cellPx + x, cy * cellPx + y) = c;
                }
        }
}

} // namespace forge

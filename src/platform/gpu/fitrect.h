#pragma once
// Where the game's picture goes in a window of another size: as large as fits with its
// shape kept, centred, the rest left for black bars.
#include <cstdint>

namespace gpu {

// Top-left origin, pixels.
struct FittedRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const FittedRect&, const FittedRect&) = default;
};

// Empty when either size is empty (a minimised window has nothing to show).
constexpr FittedRect FitRect(int srcW, int srcH, int dstW, int dstH) {
    if (srcW <= 0 || srcH <= 0 || dstW <= 0 || dstH <= 0) return {};
    // Compare the shapes in integers: the side that runs out first sets the scale, the
    // other is rounded to the nearest pixel so a same-shaped window is filled exactly.
    const int64_t acrossW = int64_t(dstW) * srcH, acrossH = int64_t(dstH) * srcW;
    int w = dstW, h = dstH;
    if (acrossW > acrossH) // the window is wider than the picture: bars left and right
        w = int((int64_t(srcW) * dstH * 2 + srcH) / (2 * int64_t(srcH)));
    else if (acrossW < acrossH) // taller: bars above and below
        h = int((int64_t(srcH) * dstW * 2 + srcW) / (2 * int64_t(srcW)));
    return {(dstW - w) / 2, (dstH - h) / 2, w, h};
}

} // namespace gpu

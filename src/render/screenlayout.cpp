#include "render/screenlayout.h"

#include <cmath>

std::string TextureFolder = TextureFolder1024;

int32_t ScreenWidth = 1024;
int32_t ScreenHeight = 768;
float ScaleX = 1.0f;
float ScaleY = 1.0f;
int32_t LineHeight = 30;
int32_t MenuTop = 0;
int32_t MenuSpacing = 45;

void ComputeScreenLayout() {
    MenuTop = (ScreenHeight - 600) / 2;
    // Multiplied before dividing, so that a height giving exactly n.5 rounds as n.5 (to even)
    // rather than as whatever the inexact 1/1200 step happened to leave.
    LineHeight = RoundHalfEven(static_cast<double>(ScreenHeight) * 30 / 1200);
    MenuSpacing = RoundHalfEven(LineHeight * 1.5);
    ScaleX = static_cast<float>(ScreenWidth) / 1600.0f;
    ScaleY = static_cast<float>(ScreenHeight) / 1200.0f;
}

void ResetScreenLayout() {
    ScreenWidth = 1024;
    ScreenHeight = 768;
    ScaleX = ScaleY = 1.0f;
    LineHeight = 30;
    MenuTop = 0;
    MenuSpacing = 45;
}

int32_t RoundHalfEven(double value) {
    // std::nearbyint follows the current rounding mode, which is to-nearest-even unless
    // someone changed it; do it by hand so the rule cannot drift.
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double result = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0)) result += 1;
    return static_cast<int32_t>(result);
}

int32_t ScreenX(float designX) {
    return RoundHalfEven(static_cast<double>(designX) * ScaleX);
}
int32_t ScreenY(float designY) {
    return RoundHalfEven(static_cast<double>(designY) * ScaleY);
}

#pragma once
// The screen size and the layout values derived from it. Every 2D position of the game is
// given on a 1600 x 1200 design canvas and drawn at x * ScaleX, y * ScaleY. These are the
// one process-wide copy: the setup dialog stores the chosen size, start-up computes the rest.
#include <cstdint>
#include <string>

extern int32_t ScreenWidth;  // pixels; 1024 before the first start
extern int32_t ScreenHeight; // pixels; 768 before the first start
extern float ScaleX;         // ScreenWidth / 1600
extern float ScaleY;         // ScreenHeight / 1200
extern int32_t LineHeight;   // ScreenHeight / 1200 * 30, rounded
extern int32_t MenuTop;      // (ScreenHeight - 600) / 2, truncated
extern int32_t MenuSpacing;  // LineHeight * 1.5, rounded

// The texture-size choice of the setup dialog: "gfx1024\" or "gfx2048\". Every model file
// name and the texture sheet are read from this folder.
extern std::string TextureFolder;
inline constexpr const char* TextureFolder1024 = "gfx1024\\";
inline constexpr const char* TextureFolder2048 = "gfx2048\\";

// Recomputes the derived values from ScreenWidth and ScreenHeight.
void ComputeScreenLayout();
// Back to the values before the first start (for tests).
void ResetScreenLayout();

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4).
int32_t RoundHalfEven(double value);

// Design canvas to screen pixels, rounded halves to even.
int32_t ScreenX(float designX);
int32_t ScreenY(float designY);

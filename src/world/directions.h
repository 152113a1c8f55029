#pragma once
// Grid geometry shared by everything that moves: the cell of a position, the grid bounds
// and the eight direction numbers with their steps.
#include <cstdint>

inline constexpr int GridSize = 50;

// The one rule that turns a position into a cell index: truncation of v + 0.5 toward zero.
// The sum is taken in double: in float, 0.49999997 + 0.5 rounds up to 1 and lands a hair
// below the middle of a cell in the next one.
constexpr int32_t CellOf(float v) {
    return static_cast<int32_t>(static_cast<double>(v) + 0.5);
}

constexpr bool InGrid(int32_t column, int32_t row) {
    return column >= 0 && column < GridSize && row >= 0 && row < GridSize;
}

struct tdirection {
    float column;  // walking step along the column axis per frame
    float row;     // walking step along the row axis per frame
    float degrees; // facing angle: cosine for the column axis, sine for the row axis
};

// Index 0 is "no movement"; 1 forward (row +), then clockwise as seen on screen.
inline constexpr tdirection Directions[9] = {
    {0.0f, 0.0f, 0.0f},       {0.0f, 0.16f, 90.0f},    {0.13f, 0.13f, 45.0f},
    {0.16f, 0.0f, 0.0f},      {0.13f, -0.13f, 315.0f}, {0.0f, -0.16f, 270.0f},
    {-0.13f, -0.13f, 225.0f}, {-0.16f, 0.0f, 180.0f},  {-0.13f, 0.13f, 135.0f},
};

// A direction number outside 1..8 moves nowhere instead of reading past the table.
constexpr const tdirection& Direction(int32_t d) {
    return Directions[(d >= 1 && d <= 8) ? d : 0];
}

// The direction pointing the other way: d becomes ((d + 3) mod 8) + 1.
constexpr int32_t Opposite(int32_t d) {
    return (d + 3) % 8 + 1;
}

inline constexpr float Pi = 3.14159265358979f;
constexpr float Radians(float degrees) {
    return degrees * Pi / 180.0f;
}

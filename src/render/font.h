#pragma once
// The bitmap font: one rectangle of the font picture "gfx\testfont.png" for each character
// code 32 (space) to 122 ("z"), in code order. The game cuts one sprite per rectangle and
// the asset forge paints the picture to the same rectangles, so both read this one table.
// The dollar sign, the ampersand and the at sign are 1-pixel placeholders.
#include <array>
#include <cstdint>

struct FontGlyph {
    int32_t left, top, width, height;
};

inline constexpr char FontFirstChar = 32; // space
inline constexpr char FontLastChar = 122; // 'z'
inline constexpr const char* FontPicture = "gfx\\testfont.png";

inline constexpr std::array<FontGlyph, FontLastChar - FontFirstChar + 1> FontGlyphs{{
    // Row at top 1: space to '>'.
    {1, 1, 5, 6},     // space
    {7, 1, 3, 16},    // !
    {11, 1, 7, 5},    // "
    {19, 1, 12, 16},  // #
    {32, 1, 1, 6},    // $
    {34, 1, 14, 16},  // %
    {49, 1, 1, 6},    // &
    {51, 1, 3, 5},    // '
    {55, 1, 5, 18},   // (
    {61, 1, 5, 18},   // )
    {67, 1, 9, 14},   // *
    {77, 1, 9, 14},   // +
    {87, 1, 3, 18},   // ,
    {91, 1, 5, 11},   // -
    {97, 1, 3, 16},   // .
    {101, 1, 6, 16},  // /
    {108, 1, 11, 16}, // 0
    {120, 1, 5, 16},  // 1
    {126, 1, 11, 16}, // 2
    {138, 1, 11, 16}, // 3
    {150, 1, 11, 16}, // 4
    {162, 1, 11, 16}, // 5
    {174, 1, 11, 16}, // 6
    {186, 1, 10, 16}, // 7
    {197, 1, 11, 16}, // 8
    {209, 1, 11, 16}, // 9
    {221, 1, 3, 16},  // :
    {225, 1, 3, 18},  // ;
    {229, 1, 5, 15},  // <
    {235, 1, 5, 13},  // =
    {241, 1, 5, 15},  // >
    // Row at top 20: '?' to 'S'.
    {1, 20, 10, 16},   // ?
    {12, 20, 1, 7},    // at sign
    {14, 20, 12, 16},  // A
    {27, 20, 12, 16},  // B
    {40, 20, 12, 16},  // C
    {53, 20, 12, 16},  // D
    {66, 20, 12, 16},  // E
    {79, 20, 12, 16},  // F
    {92, 20, 12, 16},  // G
    {105, 20, 12, 16}, // H
    {118, 20, 3, 16},  // I
    {122, 20, 11, 16}, // J
    {134, 20, 12, 16}, // K
    {147, 20, 11, 16}, // L
    {159, 20, 15, 16}, // M
    {175, 20, 12, 16}, // N
    {188, 20, 12, 16}, // O
    {201, 20, 12, 16}, // P
    {214, 20, 12, 16}, // Q
    {227, 20, 12, 16}, // R
    {240, 20, 12, 16}, // S
    // Row at top 37: 'T' to 'i'.
    {1, 37, 11, 16},   // T
    {13, 37, 12, 16},  // U
    {26, 37, 12, 16},  // V
    {39, 37, 15, 16},  // W
    {55, 37, 12, 16},  // X
    {68, 37, 12, 16},  // Y
    {81, 37, 12, 16},  // Z
    {94, 37, 5, 18},   // [
    {100, 37, 6, 16},  // backslash
    {107, 37, 5, 18},  // ]
    {113, 37, 17, 16}, // ^
    {131, 37, 12, 16}, // _
    {144, 37, 3, 5},   // `
    {148, 37, 12, 16}, // a
    {161, 37, 12, 16}, // b
    {174, 37, 12, 16}, // c
    {187, 37, 12, 16}, // d
    {200, 37, 12, 16}, // e
    {213, 37, 8, 20},  // f
    {222, 37, 12, 20}, // g
    {235, 37, 12, 16}, // h
    {248, 37, 3, 16},  // i
    // Row at top 58: 'j' to 'z'.
    {1, 58, 7, 20},    // j
    {9, 58, 12, 16},   // k
    {22, 58, 3, 16},   // l
    {26, 58, 15, 16},  // m
    {42, 58, 12, 16},  // n
    {55, 58, 12, 16},  // o
    {68, 58, 12, 20},  // p
    {81, 58, 12, 20},  // q
    {94, 58, 6, 16},   // r
    {101, 58, 12, 16}, // s
    {114, 58, 7, 16},  // t
    {122, 58, 12, 16}, // u
    {135, 58, 12, 16}, // v
    {148, 58, 15, 16}, // w
    {164, 58, 12, 16}, // x
    {177, 58, 12, 20}, // y
    {190, 58, 12, 16}, // z
}};

// The glyph of a character, or nullptr when the font has none.
constexpr const FontGlyph* GlyphOf(char c) {
    const auto code = static_cast<unsigned char>(c);
    if (code < FontFirstChar || code > FontLastChar) return nullptr;
    return &FontGlyphs[code - FontFirstChar];
}

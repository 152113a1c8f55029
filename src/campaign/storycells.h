#pragma once
// The picture cells of the intro and the epilogue: rectangles of the story sheets
// "gfx\intro1.png" .. "gfx\intro4.png", numbered 0..34. The asset forge paints each cell to
// its rectangle and the story screens cut them from the same table.
//
// Cells 0..26 are the intro's panels and captions (cell 25 is a spare panel the intro does
// not show), 27..31 the epilogue's, 32 the game's emblem, 33 a plain white patch that is
// drawn tinted (black for the letterbox and the fades, white for the menus' translucent
// panel), 34 a dark full-screen picture for the last fade of the intro.
//
// A cell's size is its size on the 1600 x 1200 design canvas at scale 1, so the panels
// tile the story strip at the positions of the intro's timeline.
#include <array>
#include <cstdint>

struct StoryCell {
    int32_t sheet; // 1..4: "gfx\intro<sheet>.png"
    int32_t left, top, width, height;
};

inline constexpr int StoryCellCount = 35;
inline constexpr int StorySheetCount = 4;
inline constexpr int StorySheetWidth = 2048;
inline constexpr int StorySheetHeight = 1024;
inline constexpr const char* StorySheetFiles[StorySheetCount] = {
    "gfx\\intro1.png", "gfx\\intro2.png", "gfx\\intro3.png", "gfx\\intro4.png"};
inline constexpr int StoryEmblemCell = 32;
inline constexpr int StoryOverlayCell = 33;
inline constexpr int StoryFinalFadeCell = 34;
// In the story sprite batch after the 35 cells: the middle of the white patch, without the
// texels at its border. Stretched over the screen, the whole patch would blend its border
// with the transparent gap around it and show soft grey edges; its middle stays one colour.
inline constexpr int StoryPatchSprite = StoryCellCount;
inline constexpr int StoryPatchInset = 4;

namespace storycells_detail {

struct Size {
    int32_t width, height;
};

// Sizes in design units, cell by cell.
inline constexpr std::array<Size, StoryCellCount> Sizes{{
    {1024, 518}, // 0  the strip's opening panel
    {180, 36},   // 1  caption, scale 1.5
    {356, 518},  // 2
    {150, 40},   // 3  caption, scale 1.5
    {40, 40},    // 4  exclamation bubble, scale 1.5
    {298, 518},  // 5
    {350, 518},  // 6
    {452, 518},  // 7
    {562, 254},  // 8
    {562, 254},  // 9
    {110, 36},   // 10 caption, scale 1.5
    {110, 34},   // 11 caption, scale 1.5
    {304, 620},  // 12
    {110, 40},   // 13 caption, scale 1.5
    {304, 620},  // 14
    {100, 36},   // 15 speech bubble, scale 1.5
    {396, 620},  // 16
    {160, 36},   // 17 caption, scale 1.5
    {304, 416},  // 18
    {304, 416},  // 19
    {160, 36},   // 20 caption, scale 1.5
    {396, 203},  // 21
    {396, 203},  // 22
    {200, 40},   // 23 caption, scale 1.5
    {200, 40},   // 24 caption, scale 1.5
    {304, 416},  // 25 spare panel
    {1024, 600}, // 26 the strip's closing panel
    {502, 502},  // 27 epilogue
    {512, 502},  // 28
    {1024, 500}, // 29
    {110, 30},   // 30 caption, scale 1.5
    {100, 30},   // 31 caption, scale 1.5
    {256, 128},  // 32 emblem
    {16, 16},    // 33 white patch
    {400, 300},  // 34 final fade picture
}};

// Two pixels are left between cells so that filtering never reaches a neighbour.
inline constexpr int32_t Gap = 2;

// Shelf packing, tallest cells first, onto as many sheets as needed.
constexpr std::array<StoryCell, StoryCellCount> Pack() {
    std::array<int, StoryCellCount> order{};
    for (int i = 0; i < StoryCellCount; ++i) order[i] = i;
    for (int i = 1; i < StoryCellCount; ++i) // insertion sort by height, stable
        for (int j = i; j > 0 && Sizes[order[j]].height > Sizes[order[j - 1]].height; --j) {
            int t = order[j];
            order[j] = order[j - 1];
            order[j - 1] = t;
        }
    std::array<StoryCell, StoryCellCount> cells{};
    int32_t sheet = 1, x = 0, y = 0, shelf = 0;
    for (int i : order) {
        Size s = Sizes[i];
        if (x + s.width > StorySheetWidth) x = 0, y += shelf + Gap, shelf = 0;
        if (y + s.height > StorySheetHeight) ++sheet, x = 0, y = 0, shelf = 0;
        cells[i] = {sheet, x, y, s.width, s.height};
        x += s.width + Gap;
        if (s.height > shelf) shelf = s.height;
    }
    return cells;
}

} // namespace storycells_detail

inline constexpr std::array<StoryCell, StoryCellCount> StoryCells = storycells_detail::Pack();

constexpr bool StoryCellsFit() {
    for (const StoryCell& c : StoryCells)
        if (c.sheet < 1 || c.sheet > StorySheetCount || c.left + c.width > StorySheetWidth ||
            c.top + c.height > StorySheetHeight)
            return false;
    return true;
}
static_assert(StoryCellsFit(), "the story cells must fit on the four sheets");

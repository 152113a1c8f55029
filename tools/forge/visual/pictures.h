#pragma once
// The pictures of the game: the bitmap font, the menu backgrounds, the story sheets, and
// the pictures cut from the texture sheet.
#include <vector>

#include "image.h"

namespace forge {

// "gfx\testfont.png": light glyphs on a transparent ground, each filling its rectangle.
Image PaintFont();

struct MenuPicture {
    const char* file; // under gfx/
    Image (*paint)();
};
// The seven 800 x 450 menu backgrounds.
const std::vector<MenuPicture>& MenuPictures();

// Story sheet 1..StorySheetCount ("gfx\intro<n>.png") with the cells of the shared cell table.
Image PaintStorySheet(int sheet);

// Pictures placed on the texture sheet, painted at the size of their rectangle.
Image PaintShopPicture(int item, int width, int height); // item 0..5 in load order
Image PaintStartPicture(int width, int height);

// The desktop icon, size x size, transparent outside its disc.
Image PaintIcon(int size);

} // namespace forge

// forge-visual GAME_DIR: writes the models, textures, font, menu pictures and story sheets.
// forge-visual --icons DIR: writes the desktop icons as DIR/<N>x<N>/apps/tarnhollow.png.
#include <cstdio>
#include <string_view>

#include "forge.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--icons")
        return forge::WriteProducts(argv[2], forge::IconProducts()) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: forge-visual GAME_DIR | forge-visual --icons DIR\n");
        return 2;
    }
    return forge::WriteProducts(argv[1], forge::AllProducts()) ? 0 : 1;
}

// forge-visual GAME_DIR: writes the models, textures, font, menu pictures and story sheets.
#include <cstdio>

#include "forge.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: forge-visual GAME_DIR\n");
        return 2;
    }
    return forge::WriteProducts(argv[1], forge::AllProducts()) ? 0 : 1;
}

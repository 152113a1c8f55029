// Program entry: start-up and shutdown live in startup/.
#include "platform/files.h"

#include <cstdio>

int main() {
    if (!files::SetCurrentFolder(files::ProgramFolder())) {
        std::fprintf(stderr, "Cannot change to game directory.\n");
        return 1;
    }
    std::fprintf(stderr, "Tarnhollow: the game window is not built yet.\n");
    return 1;
}

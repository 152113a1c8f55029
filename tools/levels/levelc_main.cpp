// tarnhollow-levelc OUTFILE SOURCE: the build step that compiles one level source.
#include "levelfile.h"
#include "levelsource.h"

#include "platform/files.h"

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarnhollow-levelc OUTFILE SOURCE\n");
        return 2;
    }
    std::string text, error;
    if (!files::ReadAll(argv[2], text)) {
        std::fprintf(stderr, "%s: cannot read\n", argv[2]);
        return 1;
    }
    auto level = std::make_unique<levelkit::LevelSource>();
    if (!levelkit::ReadSource(text, *level, error) ||
        !levelkit::WriteLevelFile(*level, argv[1], error)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 1;
    }
    return 0;
}

// tarnhollow-editor: the level editor. For now it runs batch files of editor commands.
#include "batch.h"
#include "platform/files.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

constexpr const char* Usage = "Usage: tarnhollow-editor --batch FILE\n"
                              "Runs the editor commands in FILE, one a line (see README.md).\n";

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (argc != 3 || std::string(argv[1]) != "--batch") {
        std::fputs(Usage, stderr);
        return 2;
    }
    std::string text;
    if (!files::ReadAll(argv[2], text)) {
        std::fprintf(stderr, "tarnhollow-editor: cannot read %s\n", argv[2]);
        return 2;
    }
    editor::Model model;
    return editor::RunBatch(model, text, std::cout, std::cerr) ? 0 : 1;
}

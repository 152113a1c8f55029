// tarnhollow-editor: the level editor. A window on one level, or batch files of editor
// commands.
#include "batch.h"
#include "creatures/creaturetable.h"
#include "editorwindow.h"
#include "platform/files.h"
#include "platform/filesizelimit.h"
#include "platform/window_desktop.h"
#include "startup/userfolder.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

constexpr const char* Usage =
    "Usage: tarnhollow-editor [FILE]\n"
    "       tarnhollow-editor --batch FILE\n"
    "       tarnhollow-editor --version\n"
    "Opens the editor's window (on FILE, a .dat level or a .lvl source),\n"
    "or runs the editor commands in FILE, one a line (see README.md).\n";

// Paths given on the command line are the caller's; the editor then works from the game
// folder (music, campaign levels) and keeps its files in the user folder, as the game does.
std::string AbsoluteArgument(const std::string& path) {
    std::error_code ignored;
    return path.empty() ? path : std::filesystem::absolute(path, ignored).string();
}

bool EnterGameFolder() {
    if (!files::SetCurrentFolder(GameFolderOf(files::ProgramFolder()))) return false;
    return UseUserFolder();
}

} // namespace

int main(int argc, char** argv) {
    files::FailWritesPastTheSizeLimit();
    // A level shown in play is filled into the world, creatures and all.
    UseCreatureTable();
    const std::string first = argc > 1 ? argv[1] : "";
    if (argc == 2 && (first == "--help" || first == "-h")) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (argc == 2 && first == "--version") {
        std::puts("tarnhollow-editor 1.0");
        return 0;
    }
    if (first == "--batch") {
        if (argc != 3) {
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
    // Hidden: the window with a level open, drawn into a PNG file (for the documentation).
    if (first == "--picture" && (argc == 3 || argc == 4)) {
        const std::string png = AbsoluteArgument(argv[2]);
        const std::string level = argc == 4 ? AbsoluteArgument(argv[3]) : "lvl/53.dat";
        std::string error;
        if (EnterGameFolder() && editor::DrawEditorPicture(level, png, error)) return 0;
        std::fprintf(stderr, "tarnhollow-editor: %s\n", error.c_str());
        return 1;
    }
    // Hidden: paints a stroke in a hidden window and reports the frame times.
    if (first == "--time-painting" && (argc == 2 || argc == 3)) {
        const std::string level = argc == 3 ? AbsoluteArgument(argv[2]) : "lvl/53.dat";
        std::string report, error;
        if (EnterGameFolder() && editor::TimePainting(level, 40, report, error)) {
            std::fputs(report.c_str(), stdout);
            return 0;
        }
        std::fprintf(stderr, "tarnhollow-editor: %s\n", error.c_str());
        return 1;
    }
    if (argc > 2 || first.starts_with("-")) {
        std::fputs(Usage, stderr);
        return 2;
    }
    const std::string file = AbsoluteArgument(first);
    if (!EnterGameFolder()) {
        std::fputs("tarnhollow-editor: cannot reach the game folder or the user folder\n", stderr);
        return 1;
    }
    // A picture the view cannot make is told in a box, as the game tells it.
    window::UseMessageBoxes();
    return editor::RunEditorWindow(file);
}

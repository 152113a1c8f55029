// The editor's batch commands: any text runs without a crash or an unbounded cost, every
// level the editor saves opens again and is one the game plays, and undoing every step then
// redoing as many steps gives back the same level.
#include "batch.h"
#include "creatures/creaturetable.h"
#include "fuzzinput.h"
#include "platform/files.h"

#include <sstream>

namespace {

// Commands an input may run before it is cut: enough for every command and its undo.
constexpr int LineLimit = 64;
// Saving and opening cost most of a run (the level is written and read whole): a few a run.
constexpr int FileLimit = 2;

// The first word of a line.
std::string VerbOf(const std::string& line) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    return verb;
}

// Files stay in the harness's folder: save and open use one file of each form, by the
// ending the line gives.
std::string Confined(const std::string& line, std::string& path) {
    const bool source = line.size() >= 4 && line.compare(line.size() - 4, 4, ".lvl") == 0;
    path = fuzz::Folder() + (source ? "/level.lvl" : "/level.dat");
    return VerbOf(line) + " " + path;
}

bool SameLevel(const levelkit::LevelSource& a, const levelkit::LevelSource& b) {
    return a.header == b.header && a.cells == b.cells;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    UseCreatureTable(); // as the editor's start does
    // Bare names of a save go to the user folder: the harness's own.
    files::SetHomeFolder(fuzz::Folder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    editor::Model model;
    editor::BatchState state;
    std::istringstream in{std::string(fuzz::View(data, size))};
    std::string line, report, path;
    int fileCommands = 0;
    for (int number = 0; number < LineLimit && std::getline(in, line); ++number) {
        const std::string verb = VerbOf(line);
        const bool file = verb == "save" || verb == "open";
        if (file && ++fileCommands > FileLimit) continue;
        if (file) line = Confined(line, path);
        if (!editor::RunBatchLine(model, state, line, report) || verb != "save") continue;
        editor::Model again;
        std::string error;
        fuzz::Require(again.Open(path, error), "a saved level opens again");
        fuzz::Require(SameLevel(again.Level(), model.Level()),
                      "a saved level reads back as it was");
        tlevelform form;
        fuzz::Require(levelkit::FormOf(again.Level(), form), "the game plays a saved level");
    }
    // Back to the start and forward again as many steps: the same level.
    const levelkit::LevelSource last = model.Level();
    int undone = 0;
    while (model.Undo()) ++undone;
    for (int step = 0; step < undone; ++step) model.Redo();
    fuzz::Require(SameLevel(model.Level(), last), "undo and redo give back the same level");
    return 0;
}

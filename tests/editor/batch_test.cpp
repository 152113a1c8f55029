// Batch mode: a level made from nothing by the built editor and passed by the built tool's
// check, and failures that name their line.
#include "batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct ProgramRun {
    int code;
    std::string out;
};

std::string GameDir() {
    if (const char* dir = std::getenv("TARNHOLLOW_GAME_DIR")) return dir;
    return TARNHOLLOW_GAME_DIR;
}

ProgramRun Program(const std::string& command) {
    ProgramRun run{-1, ""};
    FILE* pipe = popen((GameDir() + "/" + command + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// A level with a pit to jump, a plate that opens the exit room, and a teleport pair.
constexpr const char* SmallLevel = R"(# made from nothing
new 20261207000000000000001
property name Batch Made
property author Tester
property music area1.ogg
property main-light 200 190 180 0.4 -1 0.3 100
tool pit
fill 1 10 48 11
tool wall
fill 30 30 48 30
fill 30 31 30 48
tool lowering-wall
paint 40 30
tool plate
paint 5 5
link 5 5 40 30
tool teleport
paint 3 3
paint 45 20
link 3 3 45 20
tool treasure
fill 20 2 24 2
tool zombie
paint 10 20
set 12 20 creature warrior
start 2 2
check
undo
redo
save DIR/small.dat
save DIR/small.lvl
)";

TEST(EditorBatch, MakesALevelThatTheToolPasses) {
    const fs::path dir = fs::temp_directory_path() / "tarnhollow-editor-batch";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::string script = SmallLevel;
    for (size_t at; (at = script.find("DIR")) != std::string::npos;)
        script.replace(at, 3, dir.string());
    std::ofstream(dir / "make.txt") << script;

    ProgramRun made = Program("tarnhollow-editor --batch " + (dir / "make.txt").string());
    ASSERT_EQ(made.code, 0) << made.out;
    // One line a command; the comment prints nothing.
    EXPECT_EQ(std::count(made.out.begin(), made.out.end(), '\n'), 30) << made.out;
    EXPECT_NE(made.out.find("check: completable"), std::string::npos) << made.out;

    ProgramRun check = Program("tarnhollow-tool level-check " + (dir / "small.dat").string());
    EXPECT_EQ(check.code, 0) << check.out;
    EXPECT_NE(check.out.find("completable"), std::string::npos) << check.out;
    // The source form compiles to the same file.
    ProgramRun compiled = Program("tarnhollow-tool level-compile " + (dir / "small.lvl").string() +
                                  " " + (dir / "again.dat").string());
    EXPECT_EQ(compiled.code, 0) << compiled.out;
    std::ifstream a(dir / "small.dat", std::ios::binary), b(dir / "again.dat", std::ios::binary);
    std::stringstream sa, sb;
    sa << a.rdbuf(), sb << b.rdbuf();
    EXPECT_EQ(sa.str(), sb.str());

    // Exit codes: 1 at a failing command, 2 for the program's own usage.
    std::ofstream(dir / "bad.txt") << "new\n\nfly 1 2\n";
    ProgramRun bad = Program("tarnhollow-editor --batch " + (dir / "bad.txt").string());
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.out.find("line 3: unknown command \"fly\""), std::string::npos) << bad.out;
    EXPECT_EQ(Program("tarnhollow-editor --frobnicate").code, 2);
    EXPECT_EQ(Program("tarnhollow-editor a.dat b.dat").code, 2);
    EXPECT_EQ(Program("tarnhollow-editor --batch").code, 2);
    EXPECT_EQ(Program("tarnhollow-editor --batch " + (dir / "none.txt").string()).code, 2);
    fs::remove_all(dir);
}

TEST(EditorBatch, ErrorsNameTheLineAndWhy) {
    struct Case {
        const char* script;
        const char* error; // what goes to the error stream
    };
    const Case cases[] = {
        {"paint 1 1\n", "line 1: no level yet"},
        {"new\n# note\n\npaint 1 1\n", "line 4: paint needs a tool first"},
        {"new\ntool lava\n", "line 2: unknown tool \"lava\""},
        {"new\ntool wall\npaint 1\n", "line 3: paint needs 2 numbers"},
        {"new\ntool wall\nfill 1 2 3 x\n", "line 3: \"x\" is not a number"},
        {"new\ntool wall\npaint 50 3\n", "line 3: cell 50 3 is outside the map"},
        {"new\nset 1 1 colour 3\n", "line 2: unknown field \"colour\""},
        {"new\nset 1 1 creature dragon\n", "line 2: \"dragon\" is not a creature value"},
        {"new\nlink 4 4 4 4\n", "line 2: a cell cannot be linked to itself"},
        {"new\nproperty weather rain\n", "line 2: unknown property weather"},
        {"new\nundo\n", "line 2: nothing to undo"},
        {"new\nstart 3 3\nundo\nredo\nredo\n", "line 5: nothing to redo"},
        {"new\ntool wall\nfill 1 2 48 2\ncheck\n", "line 4: check: not completable"},
        {"open /nonexistent/level.dat\n", "line 1: cannot read"},
        {"new\nsave /tmp/level.txt\n", "line 2: /tmp/level.txt is neither"},
    };
    for (const Case& c : cases) {
        editor::Model model;
        std::ostringstream out, err;
        EXPECT_FALSE(editor::RunBatch(model, c.script, out, err)) << c.script;
        EXPECT_EQ(err.str().rfind(c.error, 0), 0u) << err.str();
    }
}

} // namespace

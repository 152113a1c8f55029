// The level commands as a level author runs them: exit codes, outputs and files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int code;
    std::string out;
};

// The game folder: from the environment, else build/game beside build/tests/tools.
std::string GameDir() {
    if (const char* dir = std::getenv("TARNHOLLOW_GAME_DIR")) return dir;
    return (fs::read_symlink("/proc/self/exe").parent_path() / "../../game").string();
}

ToolRun Tool(const std::string& args) {
    std::string command = GameDir() + "/tarnhollow-tool " + args + " 2>&1";
    ToolRun run{0, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, ""};
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    int status = pclose(pipe);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string LevelSource(const std::string& firstRow) {
    std::string text = "name: Tool test\nid: 42\nauthor: t\nmusic:\nstart: 0 0\n"
                       "main light: 255 255 255 0 -1 0 100\nfill light: 0 0 0 0\nmap\n";
    text += firstRow + std::string(50 - firstRow.size(), '~') + "\n";
    for (int k = 1; k < 50; ++k) text += std::string(50, '~') + "\n";
    return text + "end\n";
}

} // namespace

TEST(LevelCommands, CompileCheckDecompileAndDraw) {
    fs::path dir = fs::temp_directory_path() / "tarnhollow-level-commands";
    fs::create_directories(dir);
    std::ofstream(dir / "near.lvl") << LevelSource("..~~.X");
    std::ofstream(dir / "far.lvl") << LevelSource("..~~~.X");
    std::ofstream(dir / "broken.lvl") << "name: broken\nmap\n";

    EXPECT_EQ(
        Tool("level-compile " + (dir / "near.lvl").string() + " " + (dir / "near.dat").string())
            .code,
        0);
    EXPECT_EQ(
        Tool("level-compile " + (dir / "far.lvl").string() + " " + (dir / "far.dat").string()).code,
        0);
    ToolRun broken =
        Tool("level-compile " + (dir / "broken.lvl").string() + " " + (dir / "b.dat").string());
    EXPECT_EQ(broken.code, 1);
    EXPECT_NE(broken.out.find("map without \"end\""), std::string::npos) << broken.out;
    EXPECT_FALSE(fs::exists(dir / "b.dat"));

    ToolRun near = Tool("level-check " + (dir / "near.dat").string());
    EXPECT_EQ(near.code, 0);
    EXPECT_NE(near.out.find("completable: route of 5 cells"), std::string::npos) << near.out;
    ToolRun far = Tool("level-check " + (dir / "far.dat").string());
    EXPECT_EQ(far.code, 1);
    EXPECT_NE(far.out.find("not completable"), std::string::npos) << far.out;
    EXPECT_EQ(Tool("level-check " + (dir / "missing.dat").string()).code, 1);
    EXPECT_EQ(Tool("level-check").code, 2);

    // level-source then level-compile gives the same file back.
    ToolRun source = Tool("level-source " + (dir / "near.dat").string());
    ASSERT_EQ(source.code, 0);
    std::ofstream(dir / "again.lvl") << source.out;
    EXPECT_EQ(
        Tool("level-compile " + (dir / "again.lvl").string() + " " + (dir / "again.dat").string())
            .code,
        0);
    EXPECT_EQ(Slurp(dir / "again.dat"), Slurp(dir / "near.dat"));

    EXPECT_EQ(Tool("map " + (dir / "near.dat").string() + " " + (dir / "near.png").string()).code,
              0);
    std::string png = Slurp(dir / "near.png");
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    fs::remove_all(dir);
}

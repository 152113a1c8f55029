// The editor's window drawn without a display: a level made by batch mode, opened, checked
// and drawn into a picture of the window's size.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string GameDir() {
    if (const char* dir = std::getenv("TARNHOLLOW_GAME_DIR")) return dir;
    return TARNHOLLOW_GAME_DIR;
}

int RunEditor(const std::string& command, std::string& out) {
    FILE* pipe = popen((GameDir() + "/" + command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// PNG: 8-byte signature, then the IHDR chunk with big-endian width and height.
bool PngSize(const fs::path& file, unsigned& width, unsigned& height) {
    std::ifstream in(file, std::ios::binary);
    unsigned char head[24] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head)) return false;
    auto be = [&](int at) {
        return unsigned(head[at]) << 24 | unsigned(head[at + 1]) << 16 |
               unsigned(head[at + 2]) << 8 | head[at + 3];
    };
    width = be(16), height = be(20);
    return head[1] == 'P' && head[2] == 'N' && head[3] == 'G';
}

TEST(EditorWindow, DrawsALevelWithItsPlateAndRoute) {
    const fs::path dir = fs::temp_directory_path() / "tarnhollow-editor-window";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "make.txt") << "new 1\ntool plate\npaint 5 5\ntool lowering-wall\n"
                                       "paint 9 9\nlink 5 5 9 9\nsave "
                                    << (dir / "plate.dat").string() << "\n";
    std::string out;
    ASSERT_EQ(RunEditor("tarnhollow-editor --batch " + (dir / "make.txt").string(), out), 0) << out;

    out.clear();
    const fs::path png = dir / "editor.png";
    const int code = RunEditor(
        "tarnhollow-editor --picture " + png.string() + " " + (dir / "plate.dat").string(), out);
    if (code != 0 && out.find("no window") != std::string::npos)
        GTEST_SKIP() << "no OpenGL 3.3 here: " << out;
    ASSERT_EQ(code, 0) << out;
    unsigned width = 0, height = 0;
    ASSERT_TRUE(PngSize(png, width, height));
    EXPECT_EQ(width, 1280u);
    EXPECT_EQ(height, 800u);

    // A file that is not a level is refused with its reason.
    std::ofstream(dir / "junk.dat") << "junk";
    out.clear();
    EXPECT_EQ(
        RunEditor("tarnhollow-editor --picture " + png.string() + " " + (dir / "junk.dat").string(),
                  out),
        1);
    EXPECT_NE(out.find("cannot open"), std::string::npos) << out;
    fs::remove_all(dir);
}

TEST(EditorWindow, VersionPrintsItselfAndAnUnknownOptionTheUsage) {
    std::string out;
    EXPECT_EQ(RunEditor("tarnhollow-editor --version", out), 0);
    EXPECT_EQ(out, "tarnhollow-editor 1.0\n");
    out.clear();
    EXPECT_EQ(RunEditor("tarnhollow-editor --versions", out), 2);
    EXPECT_NE(out.find("Usage: tarnhollow-editor"), std::string::npos) << out;
}

} // namespace

// check-data on a folder the forge made: every picture and model passes, a file that is
// cut short or missing is named with its reason, and the answer is then a refusal.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string output;
};
ToolRun Tool(const std::string& args, bool withErrors = false) {
    ToolRun run;
    std::string command = std::string("\"") + TARNHOLLOW_TOOL + "\" " + args +
                          (withErrors ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
std::string LineOf(const std::string& output, const std::string& file) {
    size_t at = output.find("{\"file\": \"" + file + "\"");
    if (at == std::string::npos) return "";
    return output.substr(at, output.find('\n', at) - at);
}

} // namespace

TEST(CheckData, PassesTheForgedPicturesAndModelsAndNamesBrokenFiles) {
    fs::path dir = fs::temp_directory_path() / ("forge_checkdata_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    ASSERT_EQ(
        std::system(
            ("\"" + std::string(FORGE_VISUAL_PROGRAM) + "\" \"" + dir.string() + "\"").c_str()),
        0);

    ToolRun clean = Tool("check-data \"" + dir.string() + "\"");
    // The forge makes no sounds or levels, so those are reported missing.
    EXPECT_EQ(clean.exitCode, 1);
    EXPECT_NE(LineOf(clean.output, "snd\\\\shot.wav").find("missing"), std::string::npos);
    for (const char* file : {"gfx1024\\\\3dhahmobin.exp", "gfx2048\\\\koriste7s.exp",
                             "gfx1024\\\\textures.png", "gfx2048\\\\textures.png",
                             "gfx\\\\testfont.png", "gfx\\\\mainmenu.jpg", "gfx\\\\intro4.png"})
        EXPECT_NE(LineOf(clean.output, file).find("\"ok\""), std::string::npos) << file;
    // One line per file, even for a model or a sheet the game loads more than once.
    size_t first = clean.output.find("gfx1024\\\\zombie.exp");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(clean.output.find("gfx1024\\\\zombie.exp", first + 1), std::string::npos);

    // The contact sheet of the same folder: drawn by the game's device, written as a PNG.
    fs::path sheet = dir / "sheet.png";
    ToolRun drawn = Tool("contact-sheet \"" + dir.string() + "\" \"" + sheet.string() + "\"", true);
    if (drawn.output.find("no OpenGL 3.3 context") != std::string::npos) {
        std::printf("no OpenGL 3.3 context: the contact sheet is not drawn\n");
    } else {
        EXPECT_EQ(drawn.exitCode, 0);
        std::ifstream png(sheet, std::ios::binary);
        unsigned char header[24] = {};
        png.read(reinterpret_cast<char*>(header), sizeof header);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(header) + 1, 3), "PNG");
        const unsigned width = header[16] << 24 | header[17] << 16 | header[18] << 8 | header[19];
        const unsigned height = header[20] << 24 | header[21] << 16 | header[22] << 8 | header[23];
        EXPECT_EQ(width, 1920u);
        EXPECT_GT(height, 2000u); // every model tile and the pictures below them
    }

    // A model cut short and a picture that is gone.
    fs::resize_file(dir / "gfx2048" / "seina3.exp", 100);
    fs::remove(dir / "gfx" / "funeral.jpg");
    ToolRun broken = Tool("check-data \"" + dir.string() + "\"");
    EXPECT_EQ(broken.exitCode, 1);
    std::string wall = LineOf(broken.output, "gfx2048\\\\seina3.exp");
    ASSERT_FALSE(wall.empty());
    EXPECT_EQ(wall.find("\"ok\""), std::string::npos) << wall;
    EXPECT_NE(LineOf(broken.output, "gfx\\\\funeral.jpg").find("missing"), std::string::npos);
    EXPECT_NE(LineOf(broken.output, "gfx1024\\\\seina3.exp").find("\"ok\""), std::string::npos);

    EXPECT_EQ(Tool("check-data").exitCode, 2);

    fs::remove_all(dir);
}

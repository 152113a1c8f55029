// `tarnhollow-tool model FILE` as scripts run it: its JSON line is a contract.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "fixtures.h"

namespace {

// ctest names the game folder; run by hand, the tool sits in build/game beside tests/.
std::string ToolPath() {
    if (const char* game = std::getenv("TARNHOLLOW_GAME_DIR"))
        return std::string(game) + "/tarnhollow-tool";
    const auto self = std::filesystem::read_symlink("/proc/self/exe");
    return (self.parent_path() / "../../game/tarnhollow-tool").lexically_normal().string();
}

struct ToolRun {
    int exitCode = -1;
    std::string out;
};

ToolRun RunModel(const std::string& file) {
    const std::string command = "'" + ToolPath() + "' model '" + file + "' 2>&1";
    ToolRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace

TEST(ModelTool, DescribesGoodFilesAndRefusesBadOnes) {
    if (!std::filesystem::exists(ToolPath())) GTEST_SKIP() << "not built: " << ToolPath();
    fixtures::ScratchFolder folder;
    ExpModel model = fixtures::ChainModel("zom\x01.png", 2);
    model.AddPose("walk1", {{0, 0, 0}, {0, 0, 0}});
    model.AddPose("say \"hi\"", {{0, 0, 0}, {0, 0, 0}});
    const std::string bytes = EncodeExp(model);
    fixtures::WriteFile(folder.File("zombie.exp"), bytes);

    ToolRun run = RunModel(folder.File("zombie.exp"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "{\"texture\": \"zom\\u0001.png\", \"vertices\": 3, \"bones\": 2, "
                       "\"poses\": [\"walk1\", \"say \\\"hi\\\"\"]}\n");

    fixtures::WriteFile(folder.File("short.exp"), bytes.substr(0, bytes.size() - 1));
    run = RunModel(folder.File("short.exp"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("short.exp"), std::string::npos) << run.out;
    run = RunModel(folder.File("none.exp"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("none.exp"), std::string::npos) << run.out;
}

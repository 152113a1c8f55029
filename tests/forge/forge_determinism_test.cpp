// The forge makes the same bytes on every run: two runs of the program into two folders
// must agree file for file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "forge.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(Determinism, TwoRunsWriteIdenticalFiles) {
    fs::path base = fs::temp_directory_path() / ("forge_determinism_" + std::to_string(::getpid()));
    fs::remove_all(base);
    for (const char* run : {"a", "b"}) {
        std::string command =
            std::string("\"") + FORGE_VISUAL_PROGRAM + "\" \"" + (base / run).string() + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    std::vector<forge::Product> products = forge::AllProducts();
    ASSERT_GT(products.size(), 180u);
    for (const forge::Product& p : products) {
        std::string a = Read(base / "a" / p.path), b = Read(base / "b" / p.path);
        EXPECT_FALSE(a.empty()) << p.path;
        EXPECT_TRUE(a == b) << p.path << " differs between runs";
    }
    fs::remove_all(base);
}

#pragma once
// What every harness shares: the readers under test take file names, so each input is
// written to one file in a private temporary folder, which goes when the process ends.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fuzz {

struct TemporaryFolder {
    std::string path;
    TemporaryFolder() {
        const char* base = std::getenv("TMPDIR");
        path = std::string(base && *base ? base : "/tmp") + "/tarnhollow-fuzz-XXXXXX";
        if (!mkdtemp(path.data())) std::abort();
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

inline const std::string& Folder() {
    static const TemporaryFolder folder;
    return folder.path;
}

// Writes the bytes over the one input file and answers its path.
inline const std::string& InputFile(std::string_view bytes, const char* name = "input") {
    static std::string path;
    path = Folder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
    return path;
}

inline std::string_view View(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A property the reader promises was broken: a crash libFuzzer keeps the input of.
inline void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

} // namespace fuzz

#pragma once
// Test helpers for code that works on files relative to the current folder, as the game
// does: each test runs in a fresh empty folder, which is removed afterwards.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdlib.h>
#include <string>
#include <string_view>

class ScratchFolder {
  public:
    ScratchFolder() : previous(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnhollow-test-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
        std::filesystem::current_path(path);
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::current_path(previous, error);
        std::filesystem::remove_all(path, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string path;

  private:
    std::filesystem::path previous;
};

inline void WriteBytes(const std::string& name, std::string_view bytes) {
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool FileExists(const std::string& name) {
    return std::filesystem::exists(name);
}

// The older hexadecimal form of a document: byte k (from 1) stored as byte + k, two digits.
inline std::string HexForm(std::string_view document, bool upperCase = true) {
    std::string line;
    char pair[3];
    for (size_t i = 0; i < document.size(); ++i) {
        unsigned value = (static_cast<unsigned char>(document[i]) + i + 1) % 256;
        std::snprintf(pair, sizeof pair, upperCase ? "%02X" : "%02x", value);
        line += pair;
    }
    return line + "\r\n";
}

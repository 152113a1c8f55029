#pragma once
// The level file a command names: read into its source form, or refused with the reason
// on stderr in one line.
#include "levelfile.h"

#include <cstdio>
#include <memory>
#include <string>

namespace tool {

inline std::unique_ptr<levelkit::LevelSource> ReadLevelArgument(const std::string& path) {
    auto level = std::make_unique<levelkit::LevelSource>();
    std::string error;
    if (levelkit::ReadLevelFile(path, *level, error)) return level;
    std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
    return nullptr;
}

} // namespace tool

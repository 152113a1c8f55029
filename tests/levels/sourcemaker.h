#pragma once
// Small levels for tests, written in the source form: the rows given are the top of the
// map, padded with pit to 50 columns; every other line is pit.
#include "levelsource.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

namespace testlevels {

inline std::string Source(std::initializer_list<std::string> rows, int startColumn, int startLine,
                          const std::string& cells = "") {
    std::string text = "name: Test level\nid: 1234\nauthor: Tester\nmusic: area1.ogg\n";
    text += "start: " + std::to_string(startColumn) + " " + std::to_string(startLine) + "\n";
    text += "main light: 255 255 255 0 -1 0 100\nfill light: 0 0 0 0\nmap\n";
    int count = 0;
    for (const auto& row : rows) text += row + std::string(50 - row.size(), '~') + "\n", ++count;
    for (; count < 50; ++count) text += std::string(50, '~') + "\n";
    return text + "end\ncells\n" + cells + "end\n";
}

inline std::unique_ptr<levelkit::LevelSource> Level(const std::string& source) {
    auto level = std::make_unique<levelkit::LevelSource>();
    std::string error;
    EXPECT_TRUE(levelkit::ReadSource(source, *level, error)) << error;
    return level;
}

} // namespace testlevels

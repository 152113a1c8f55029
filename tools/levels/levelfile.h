#pragma once
// The two-line level file: a plain header line, then the rest of the document scrambled.
// Compile turns a LevelSource into the file's bytes; Decompile reads any file the game can
// parse back into a LevelSource whose layout reproduces that file byte for byte.
#include "levelmodel.h"

#include <string>
#include <string_view>

namespace levelkit {

// The file's bytes; false with a reason when a value would break the document (a "<" in a
// value, a line break in the plain line) or the layout is unusable.
bool Compile(const LevelSource& level, std::string& bytes, std::string& error);

// Reads the file's bytes as the game does; false with a reason when the document does not
// parse or lacks an element the game requires.
bool Decompile(std::string_view bytes, LevelSource& level, std::string& error);

// Compile and write safely (temporary file and rename).
bool WriteLevelFile(const LevelSource& level, const std::string& path, std::string& error);
bool ReadLevelFile(const std::string& path, LevelSource& level, std::string& error);

} // namespace levelkit

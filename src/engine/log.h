#pragma once
// Diagnostic lines for "log.txt" in the user folder. The file is never created by the game: a
// player who wants a log creates the empty file, and only then do lines appear in it.
#include <string_view>

inline constexpr const char* LogFileName = "log.txt";

// Appends the text and CR LF to an existing "log.txt". False (and nothing else happens)
// when the file does not exist or cannot be written: a missing log never turns into an
// error of its own.
bool WriteLog(std::string_view text);

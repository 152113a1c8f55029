#pragma once
// The editor's own files in the user folder: the list of recent levels and the autosave of
// the level being edited. Kept apart from the window so the rules can be tested.
#include "levelmodel.h"

#include <string>
#include <string_view>
#include <vector>

namespace editor {

inline constexpr const char* RecentFile = "editor-recent.txt";
inline constexpr const char* AutosaveFile = "editor-autosave.lvl";
inline constexpr size_t RecentLimit = 8;
inline constexpr double AutosaveSeconds = 60;

// The list after opening or saving `path`: it moves to the front, once; the oldest fall off.
std::vector<std::string> WithRecent(std::vector<std::string> list, const std::string& path,
                                    size_t limit = RecentLimit);
// One path a line; blank lines and repeats are dropped, and no more than `limit` kept.
std::vector<std::string> ParseRecent(std::string_view text, size_t limit = RecentLimit);
std::string FormatRecent(const std::vector<std::string>& list);

std::vector<std::string> LoadRecent();
bool SaveRecent(const std::vector<std::string>& list);

// What the autosave does this frame. Unsaved work is written every AutosaveSeconds; once the
// level is saved (or was never changed) an old autosave has nothing to give back, so it goes.
enum class AutosaveAction { None, Write, Remove };
AutosaveAction NextAutosave(bool modified, bool autosaveExists, double secondsSinceWrite);

// Whether an autosave's text is worth offering back: a level source that reads.
bool AutosaveWorthOffering(std::string_view text);

std::string AutosavePath();
bool WriteAutosave(const levelkit::LevelSource& level);

} // namespace editor

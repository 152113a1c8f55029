#include "editorfiles.h"

#include "levelsource.h"
#include "platform/files.h"

#include <algorithm>

namespace editor {

std::vector<std::string> WithRecent(std::vector<std::string> list, const std::string& path,
                                    size_t limit) {
    if (path.empty()) return list;
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    list.insert(list.begin(), path);
    if (list.size() > limit) list.resize(limit);
    return list;
}

std::vector<std::string> ParseRecent(std::string_view text, size_t limit) {
    std::vector<std::string> list;
    size_t at = 0;
    while (at < text.size() && list.size() < limit) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(at, end - at));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && std::find(list.begin(), list.end(), line) == list.end())
            list.push_back(line);
        at = end + 1;
    }
    return list;
}

std::string FormatRecent(const std::vector<std::string>& list) {
    std::string text;
    for (const std::string& path : list) text += path + "\n";
    return text;
}

std::vector<std::string> LoadRecent() {
    std::string text;
    if (!files::ReadAll(files::HomePath(RecentFile), text)) return {};
    return ParseRecent(text);
}

bool SaveRecent(const std::vector<std::string>& list) {
    return files::WriteSafely(files::HomePath(RecentFile), FormatRecent(list));
}

AutosaveAction NextAutosave(bool modified, bool autosaveExists, double secondsSinceWrite) {
    if (!modified) return autosaveExists ? AutosaveAction::Remove : AutosaveAction::None;
    return secondsSinceWrite >= AutosaveSeconds ? AutosaveAction::Write : AutosaveAction::None;
}

bool AutosaveWorthOffering(std::string_view text) {
    if (text.empty()) return false;
    levelkit::LevelSource level;
    std::string error;
    return levelkit::ReadSource(text, level, error);
}

std::string AutosavePath() {
    return files::HomePath(AutosaveFile);
}

bool WriteAutosave(const levelkit::LevelSource& level) {
    return files::WriteSafely(AutosavePath(), levelkit::WriteSource(level));
}

} // namespace editor

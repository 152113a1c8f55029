#include "editorstate.h"

#include <cstdio>

namespace editor {

void EditorState::Changed() {
    ++revision;
    if (checkedRevision != revision) check.reset();
}

bool EditorState::Run(const Command& command) {
    std::string error;
    size_t changed = 0;
    if (!model.Run(command, error, &changed)) {
        message = command.Describe() + ": " + error;
        return false;
    }
    if (changed) Changed();
    return true;
}

void EditorState::Undo() {
    if (model.Undo()) Changed();
}

void EditorState::Redo() {
    if (model.Redo()) Changed();
}

void EditorState::RunCheck() {
    check = model.Check();
    checkedRevision = revision;
}

std::optional<Tool> EditorState::CurrentTool() const {
    return FindTool(tool, std::to_string(design));
}

int Value(const std::string& text) {
    return levelkit::IntegerOf(text).value_or(0);
}

std::string ToolNameOf(CellKey key, const std::string& value) {
    for (const std::string& name : ToolNames())
        if (auto tool = FindTool(name); tool && tool->key == key && tool->value == value)
            return name;
    return "";
}

std::vector<std::string> ToolsOf(CellKey key) {
    std::vector<std::string> names;
    for (const std::string& name : ToolNames())
        if (auto tool = FindTool(name); tool && tool->key == key) names.push_back(name);
    return names;
}

void CopyText(char* buffer, size_t size, const std::string& text) {
    std::snprintf(buffer, size, "%s", text.c_str());
}

} // namespace editor

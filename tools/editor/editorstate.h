#pragma once
// What the parts of the editor window share: the model and the user's choices on it (the
// tool, the selected cell, the last check) and the message of the status line. The window
// owns one; the map, the palette and the side panel work on it.
#include "editormodel.h"

#include <optional>
#include <string>
#include <vector>

namespace editor {

// A cell of the map, or none (column -1).
struct CellAt {
    int column = -1, line = -1;
    bool Valid() const { return column >= 0; }
    bool operator==(const CellAt&) const = default;
};

// What a click on the map does.
enum class Mode { Select, Paint, Rectangle, Flood, Pick, Start, Link };

// The palette's design field and the picker keep a design within this.
constexpr int MaxDesign = 99;

struct EditorState {
    Model model;
    std::string tool = "wall";
    int design = 0;
    Mode mode = Mode::Select;
    CellAt selected;
    std::optional<levelkit::CheckResult> check;
    // Counts the level's changes; the check and the 3D view belong to one revision.
    long revision = 0, checkedRevision = -1;
    std::string message = "Ready";

    // After any change of the level: a check of an older revision no longer stands.
    void Changed();
    // Runs a command on the model; a failure goes to the status line.
    bool Run(const Command& command);
    void Undo();
    void Redo();
    void RunCheck();
    // The chosen tool with the chosen design, or none for an unknown name.
    std::optional<Tool> CurrentTool() const;
};

// A cell value as a number, 0 when it is none.
int Value(const std::string& text);
// The tool whose value a cell holds ("zombie" for creature 0), or "" when none has it.
std::string ToolNameOf(CellKey key, const std::string& value);
// The tools that set `key`, in the model's order.
std::vector<std::string> ToolsOf(CellKey key);
// Into a fixed ImGui text buffer, cut to its size.
void CopyText(char* buffer, size_t size, const std::string& text);

} // namespace editor

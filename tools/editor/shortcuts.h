#pragma once
// The editor's keys: Ctrl+Z undo, Ctrl+Y or Ctrl+Shift+Z redo, Ctrl+S save, F5 test play.
#include <vector>

namespace editor {

enum class Shortcut { Undo, Redo, Save, TestPlay };

// The shortcuts pressed this frame, in the order they act; none while text is being typed
// or a dialog is open.
std::vector<Shortcut> PressedShortcuts();

} // namespace editor

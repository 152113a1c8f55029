#pragma once
// The editor's window: draws the model and hands every action to it as a command.
#include <string>

namespace editor {

// Opens the window (with `file` opened when not empty) until the user quits. Returns the
// program's exit code: 0, or 1 when no window could be made.
int RunEditorWindow(const std::string& file);

// Draws the window with `level` open (its route checked, its first plate selected) into a
// hidden window and writes it as a PNG file. False with the reason when it cannot.
bool DrawEditorPicture(const std::string& level, const std::string& pngFile, std::string& error);

} // namespace editor

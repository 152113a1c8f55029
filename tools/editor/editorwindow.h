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

// Opens `level` in a hidden window and paints a stroke of `cells` cells, one a frame, with
// the 3D view on; `report` gives the median frame time and what the view's refill and
// picture cost of it.
bool TimePainting(const std::string& level, int cells, std::string& report, std::string& error);

} // namespace editor

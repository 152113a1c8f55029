#pragma once
// The tool palette: what a click on the map does (the mode), the design, and every tile,
// creature and item the model offers as a tool.
#include "editorstate.h"

#include <string>
#include <vector>

namespace editor {

// Fills the current ImGui child window with the palette.
void DrawToolPalette(EditorState& state);

// The tools of the palette's list by the names it shows ("Select", ..., "Link to").
std::vector<std::string> ModeNames();

} // namespace editor

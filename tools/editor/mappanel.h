#pragma once
// The map: a top view of the level's cells coloured by tile, with its creatures, items, the
// start, the selected cell's links and the checked route. Clicks and drags put the chosen
// tool on it as the model's commands; the wheel zooms about the mouse, the middle button
// pans.
#include "editorstate.h"

#include <imgui.h>

namespace editor {

// A tile's colour on the map and in the palette.
ImU32 TileColour(int tile);

class MapPanel {
  public:
    // Fills the current ImGui child window with the map and handles the mouse over it.
    void Draw(EditorState& state);
    // The next Draw zooms to show the whole map.
    void Fit() { fit_ = true; }
    // The cell under the mouse, as of the last Draw.
    CellAt Hovered() const { return hovered_; }

  private:
    void Click(EditorState& state, CellAt cell);
    void PaintStrokeTo(EditorState& state, CellAt to);
    void HandleMouse(EditorState& state, bool over);

    float zoom_ = 1;
    ImVec2 pan_{8, 8};
    bool fit_ = false;
    ImVec2 fittedTo_{-1, -1}; // the panel's size when the map was last fitted
    CellAt hovered_, dragFrom_, painted_;
};

} // namespace editor

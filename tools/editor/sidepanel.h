#pragma once
// The side panel below the 3D view: the selected cell's values, the level's properties
// (name, author, music, lights, start), the check and the warnings. Its edit fields follow
// the level and give a change to the model as a command once the user is done with it.
#include "editorstate.h"

#include <imgui.h>

#include <string>
#include <vector>

namespace editor {

class SidePanel {
  public:
    // The music the level may name (files of snd/).
    void OfferMusic(std::vector<std::string> music) { music_ = std::move(music); }
    // Fills the current ImGui child window. True when Test Play was pressed: the window
    // starts it.
    bool Draw(EditorState& state);
    // The centre of the Check button as last drawn, in screen pixels.
    ImVec2 CheckButtonCentre() const { return checkButton_; }

  private:
    void RefreshEdits(const EditorState& state);
    void CommitLights(EditorState& state);
    void ToolCombo(EditorState& state, const char* label, CellKey key);
    void DrawCell(EditorState& state);
    void DrawLevel(EditorState& state);

    std::vector<std::string> music_;
    int fields_[levelkit::CellKeyCount] = {};
    // A field holds no more than the game can show (the model refuses longer texts).
    char name_[NameLimit + 1] = {}, author_[AuthorLimit + 1] = {};
    int start_[2] = {};
    float mainLight_[3] = {}, fillLight_[3] = {};
    int mainIntensity_ = 0, fillIntensity_ = 0;
    // The lights change while their pickers are dragged: the command waits for the release.
    bool lightPending_ = false;
    ImVec2 checkButton_;
};

} // namespace editor

#include "shortcuts.h"

#include <imgui.h>

namespace editor {
namespace {

// The SDL back end hands ImGui SDL's scan codes as key indices: S and F5.
constexpr int SKey = 22, F5Key = 62;

} // namespace

std::vector<Shortcut> PressedShortcuts() {
    std::vector<Shortcut> pressed;
    const ImGuiIO& io = ImGui::GetIO();
    if (io.WantTextInput || ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId)) return pressed;
    auto key = [](ImGuiKey key) { return ImGui::IsKeyPressed(ImGui::GetKeyIndex(key)); };
    if (io.KeyCtrl && key(ImGuiKey_Z))
        pressed.push_back(io.KeyShift ? Shortcut::Redo : Shortcut::Undo);
    if (io.KeyCtrl && key(ImGuiKey_Y)) pressed.push_back(Shortcut::Redo);
    if (io.KeyCtrl && ImGui::IsKeyPressed(SKey)) pressed.push_back(Shortcut::Save);
    if (ImGui::IsKeyPressed(F5Key)) pressed.push_back(Shortcut::TestPlay);
    return pressed;
}

} // namespace editor

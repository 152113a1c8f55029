#include "toolpalette.h"

#include "mappanel.h"

#include <imgui.h>

#include <algorithm>
#include <iterator>

namespace editor {
namespace {

using namespace levelkit;

constexpr const char* ModeLabels[] = {"Select", "Paint",      "Rectangle", "Flood fill",
                                      "Picker", "Start cell", "Link to"};

// Choosing a tool outside the painting modes starts painting with it.
void ChooseTool(EditorState& state, const std::string& name) {
    state.tool = name;
    if (state.mode != Mode::Paint && state.mode != Mode::Rectangle && state.mode != Mode::Flood)
        state.mode = Mode::Paint;
}

} // namespace

std::vector<std::string> ModeNames() {
    return {std::begin(ModeLabels), std::end(ModeLabels)};
}

void DrawToolPalette(EditorState& state) {
    ImGui::TextUnformatted("Tool");
    for (int m = 0; m < static_cast<int>(std::size(ModeLabels)); ++m) {
        if (ImGui::RadioButton(ModeLabels[m], state.mode == static_cast<Mode>(m)))
            state.mode = static_cast<Mode>(m);
        if (static_cast<Mode>(m) == Mode::Link && ImGui::IsItemHovered())
            ImGui::SetTooltip("Click a plate or teleport (unless one is selected), then the cell "
                              "to share its link");
    }
    ImGui::Separator();
    ImGui::SetNextItemWidth(90);
    ImGui::InputInt("Design", &state.design);
    state.design = std::clamp(state.design, 0, MaxDesign);
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("A tile's design; a conveyor's direction 0..3");
    const struct {
        const char* title;
        CellKey key;
    } groups[] = {{"Tiles", KTile}, {"Creatures", KCreature}, {"Items", KItem}};
    for (const auto& group : groups) {
        if (!ImGui::CollapsingHeader(group.title, ImGuiTreeNodeFlags_DefaultOpen)) continue;
        for (const std::string& name : ToolsOf(group.key)) {
            if (group.key == KTile) {
                // A swatch of the tile's colour on the map.
                const ImVec2 at = ImGui::GetCursorScreenPos();
                const float h = ImGui::GetTextLineHeight();
                ImGui::GetWindowDrawList()->AddRectFilled(at, ImVec2(at.x + h, at.y + h),
                                                          TileColour(Value(FindTool(name)->value)));
                ImGui::SetCursorScreenPos(ImVec2(at.x + h + 4, at.y));
            }
            if (ImGui::Selectable(name.c_str(), state.tool == name)) ChooseTool(state, name);
        }
    }
}

} // namespace editor

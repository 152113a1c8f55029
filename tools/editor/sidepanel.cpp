#include "sidepanel.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>

namespace editor {
namespace {

using namespace levelkit;

constexpr const char* CellLabels[CellKeyCount] = {"Tile",   "Creature", "Item",  "Link channel",
                                                  "Period", "Phase",    "Design"};

} // namespace

void SidePanel::RefreshEdits(const EditorState& state) {
    // Edit fields follow the level unless the user is typing in one.
    if (ImGui::IsAnyItemActive() || lightPending_) return;
    const LevelSource& level = state.model.Level();
    const CellAt selected = state.selected;
    if (selected.Valid())
        for (int k = 0; k < CellKeyCount; ++k)
            fields_[k] = Value(level.Cell(selected.column, selected.line, CellKey(k)));
    CopyText(name_, sizeof name_, level.header[HName]);
    CopyText(author_, sizeof author_, level.header[HCreator]);
    start_[0] = Value(level.header[HStartX]);
    start_[1] = Value(level.header[HStartY]);
    for (int i = 0; i < 3; ++i) {
        mainLight_[i] = Value(level.header[HMainR + i]) / 255.0f;
        fillLight_[i] = Value(level.header[HFillR + i]) / 255.0f;
    }
    mainIntensity_ = Value(level.header[HMainI]);
    fillIntensity_ = Value(level.header[HFillI]);
}

void SidePanel::CommitLights(EditorState& state) {
    if (!lightPending_ || ImGui::IsAnyItemActive() || ImGui::IsMouseDown(0)) return;
    lightPending_ = false;
    const LevelSource& level = state.model.Level();
    auto byte = [](float f) {
        return std::to_string(std::lround(std::clamp(f, 0.0f, 1.0f) * 255));
    };
    state.Run(*SetProperty(
        "main-light", byte(mainLight_[0]) + " " + byte(mainLight_[1]) + " " + byte(mainLight_[2]) +
                          " " + level.header[HMainX] + " " + level.header[HMainY] + " " +
                          level.header[HMainZ] + " " + std::to_string(mainIntensity_)));
    state.Run(*SetProperty("fill-light", byte(fillLight_[0]) + " " + byte(fillLight_[1]) + " " +
                                             byte(fillLight_[2]) + " " +
                                             std::to_string(fillIntensity_)));
}

void SidePanel::ToolCombo(EditorState& state, const char* label, CellKey key) {
    const CellAt selected = state.selected;
    const std::string& value = state.model.Level().Cell(selected.column, selected.line, key);
    std::string shown = ToolNameOf(key, value);
    if (shown.empty()) shown = value;
    if (!ImGui::BeginCombo(label, shown.c_str())) return;
    for (const std::string& name : ToolsOf(key))
        if (ImGui::Selectable(name.c_str(), name == shown))
            state.Run(*SetCellField(selected.column, selected.line, key, FindTool(name)->value));
    ImGui::EndCombo();
}

void SidePanel::DrawCell(EditorState& state) {
    const CellAt selected = state.selected;
    if (!selected.Valid()) {
        ImGui::TextDisabled("Click a cell (Select tool) to edit it.");
        return;
    }
    ImGui::Text("Column %d, line %d", selected.column, selected.line);
    ToolCombo(state, "Tile", KTile);
    ToolCombo(state, "Creature", KCreature);
    ToolCombo(state, "Item", KItem);
    for (CellKey key : {KLink, KPeriod, KPhase, KDesign}) {
        ImGui::InputInt(CellLabels[key], &fields_[key]);
        if (ImGui::IsItemDeactivatedAfterEdit())
            state.Run(
                *SetCellField(selected.column, selected.line, key, std::to_string(fields_[key])));
    }
    if (ImGui::Button("Link to...")) state.mode = Mode::Link;
    if (ImGui::IsItemHovered())
        ImGui::SetTooltip("Then click the wall, trap or teleport to share this cell's link");
    ImGui::SameLine();
    if (ImGui::Button("Make start")) state.Run(*SetStart(selected.column, selected.line));
}

void SidePanel::DrawLevel(EditorState& state) {
    ImGui::InputText("Name", name_, sizeof name_);
    if (ImGui::IsItemDeactivatedAfterEdit()) state.Run(*SetProperty("name", name_));
    ImGui::InputText("Author", author_, sizeof author_);
    if (ImGui::IsItemDeactivatedAfterEdit()) state.Run(*SetProperty("author", author_));
    const std::string& music = state.model.Level().header[HMusic];
    if (ImGui::BeginCombo("Music", music.empty() ? "(none)" : music.c_str())) {
        if (ImGui::Selectable("(none)", music.empty())) state.Run(*SetProperty("music", ""));
        for (const std::string& name : music_)
            if (ImGui::Selectable(name.c_str(), name == music))
                state.Run(*SetProperty("music", name));
        ImGui::EndCombo();
    }
    if (ImGui::ColorEdit3("Main light", mainLight_, ImGuiColorEditFlags_NoInputs))
        lightPending_ = true;
    ImGui::SameLine();
    ImGui::SetNextItemWidth(60);
    if (ImGui::DragInt("##mainI", &mainIntensity_, 1, 0, 255)) lightPending_ = true;
    if (ImGui::ColorEdit3("Fill light", fillLight_, ImGuiColorEditFlags_NoInputs))
        lightPending_ = true;
    ImGui::SameLine();
    ImGui::SetNextItemWidth(60);
    if (ImGui::DragInt("##fillI", &fillIntensity_, 1, 0, 255)) lightPending_ = true;
    ImGui::InputInt2("Start cell", start_);
    if (ImGui::IsItemDeactivatedAfterEdit()) state.Run(*SetStart(start_[0], start_[1]));
}

bool SidePanel::Draw(EditorState& state) {
    RefreshEdits(state);
    CommitLights(state);
    bool testPlay = false;
    ImGui::PushItemWidth(150);
    if (ImGui::CollapsingHeader("Cell", ImGuiTreeNodeFlags_DefaultOpen)) DrawCell(state);
    if (ImGui::CollapsingHeader("Level", ImGuiTreeNodeFlags_DefaultOpen)) DrawLevel(state);
    if (ImGui::CollapsingHeader("Check", ImGuiTreeNodeFlags_DefaultOpen)) {
        // The button shares its label with the header above it but must not share its id:
        // the header would take the click away from it.
        if (ImGui::Button("Check##run")) state.RunCheck();
        checkButton_ = ImVec2((ImGui::GetItemRectMin().x + ImGui::GetItemRectMax().x) / 2,
                              (ImGui::GetItemRectMin().y + ImGui::GetItemRectMax().y) / 2);
        ImGui::SameLine();
        testPlay = ImGui::Button("Test Play (F5)");
        if (state.check) {
            ImGui::PushStyleColor(ImGuiCol_Text, state.check->completable
                                                     ? ImVec4(0.0f, 0.45f, 0.1f, 1)
                                                     : ImVec4(0.75f, 0.1f, 0.1f, 1));
            ImGui::TextWrapped("%s", Describe(*state.check).c_str());
            ImGui::PopStyleColor();
        }
    }
    const std::vector<std::string> warnings = state.model.Warnings();
    const std::string header = "Warnings (" + std::to_string(warnings.size()) + ")###warnings";
    if (ImGui::CollapsingHeader(header.c_str(), ImGuiTreeNodeFlags_DefaultOpen))
        for (const std::string& warning : warnings) ImGui::BulletText("%s", warning.c_str());
    ImGui::PopItemWidth();
    return testPlay;
}

} // namespace editor

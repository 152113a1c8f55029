// The editor's panels drawn without a window: what a click or a resize does to the level
// and to what the map shows.
#include "headlessui.h"
#include "mappanel.h"
#include "sidepanel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace {

using namespace editor;
using editortest::HeadlessUi;

// The Check button runs the completability check, as the Level menu's Check does.
TEST(EditorPanels, TheCheckButtonChecksTheLevel) {
    HeadlessUi ui;
    EditorState state;
    state.model.New("1");
    SidePanel panel;
    auto draw = [&] { panel.Draw(state); };
    ui.Frame(draw);
    ASSERT_FALSE(state.check);
    ui.Click(panel.CheckButtonCentre(), draw);
    ASSERT_TRUE(state.check);
    EXPECT_TRUE(state.check->completable);
    EXPECT_EQ(state.checkedRevision, state.revision);

    // A change makes the check stale; the button checks again.
    state.Changed();
    EXPECT_FALSE(state.check);
    ui.Click(panel.CheckButtonCentre(), draw);
    ASSERT_TRUE(state.check);
    EXPECT_EQ(state.checkedRevision, state.revision);
}

struct MapOnScreen {
    MapPanel map;
    EditorState state;
    ImVec2 size;
    void Draw() {
        ImGui::BeginChild("##map", size, false,
                          ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
        map.Draw(state);
        ImGui::EndChild();
    }
};

// Every corner cell of the map can be pointed at inside the panel, at any size the window
// gives it, also after it shrinks or grows.
TEST(EditorPanels, TheWholeMapFitsThePanelAfterEveryResize) {
    HeadlessUi ui(ImVec2(1600, 1200));
    MapOnScreen screen;
    screen.state.model.New("1");
    auto draw = [&] { screen.Draw(); };
    // The map panel of a 1280 x 1024 screen, a small window, a large one, and back.
    for (ImVec2 size : {ImVec2(680, 940), ImVec2(424, 560), ImVec2(1200, 1100), ImVec2(680, 940)}) {
        SCOPED_TRACE(std::to_string(size.x) + " x " + std::to_string(size.y));
        screen.size = size;
        ui.Frame(draw);
        std::set<std::pair<int, int>> corners;
        // The map is a square in the panel's top left: both its diagonals, end to end.
        const float side = std::min(size.x, size.y) - 1;
        constexpr int Steps = 160;
        for (int i = 0; i <= Steps; ++i) {
            const float t = float(i) / Steps;
            for (ImVec2 at : {ImVec2(t * side, t * side), ImVec2((1 - t) * side, t * side)}) {
                ui.MoveTo(at, draw);
                const CellAt cell = screen.map.Hovered();
                if ((cell.column == 0 || cell.column == 49) && (cell.line == 0 || cell.line == 49))
                    corners.insert({cell.column, cell.line});
            }
        }
        EXPECT_EQ(corners.size(), 4u);
    }
}

// The link tool links a selected cell to the next one clicked; with nothing selected, the
// first click chooses the cell to link from.
TEST(EditorPanels, TheLinkToolLinksTwoClickedCells) {
    HeadlessUi ui(ImVec2(1000, 1000));
    MapOnScreen screen;
    screen.size = ImVec2(516, 516); // fitted: cells of (516 - 16) / 50 = 10 pixels from (8, 8)
    EditorState& state = screen.state;
    state.model.New("1");
    ASSERT_TRUE(state.Run(*Paint(10, 10, *FindTool("plate"))));
    ASSERT_TRUE(state.Run(*Paint(20, 30, *FindTool("lowering-wall"))));
    auto draw = [&] { screen.Draw(); };
    auto centre = [](int column, int line) {
        return ImVec2(8 + column * 10 + 5, 8 + line * 10 + 5);
    };
    ui.Frame(draw);

    for (bool selectedFirst : {false, true}) {
        SCOPED_TRACE(selectedFirst ? "plate selected first" : "nothing selected");
        state.model.New("1");
        ASSERT_TRUE(state.Run(*Paint(10, 10, *FindTool("plate"))));
        ASSERT_TRUE(state.Run(*Paint(20, 30, *FindTool("lowering-wall"))));
        state.selected = selectedFirst ? CellAt{10, 10} : CellAt{};
        state.mode = Mode::Link;
        if (!selectedFirst) {
            ui.Click(centre(10, 10), draw);
            ASSERT_EQ(screen.map.Hovered(), (CellAt{10, 10}));
            EXPECT_EQ(state.mode, Mode::Link);
            EXPECT_EQ(state.selected, (CellAt{10, 10}));
        }
        ui.Click(centre(20, 30), draw);
        ASSERT_EQ(screen.map.Hovered(), (CellAt{20, 30}));
        const auto& level = state.model.Level();
        EXPECT_EQ(level.Cell(10, 10, levelkit::KLink), "1");
        EXPECT_EQ(level.Cell(20, 30, levelkit::KLink), "1");
        EXPECT_TRUE(state.model.Warnings().empty());
        EXPECT_EQ(state.mode, Mode::Select);
    }
}

} // namespace

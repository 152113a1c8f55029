#include "mappanel.h"

#include <algorithm>
#include <cmath>

namespace editor {
namespace {

using namespace levelkit;

constexpr float CellPixels = 14;
constexpr float FitMargin = 8; // around the map when it is fitted to the panel

constexpr ImU32 TileColours[TileKindCount] = {
    IM_COL32(25, 25, 35, 255),    // pit
    IM_COL32(205, 195, 165, 255), // floor
    IM_COL32(105, 85, 75, 255),   // wall
    IM_COL32(215, 70, 60, 255),   // spikes
    IM_COL32(235, 205, 60, 255),  // plate
    IM_COL32(160, 125, 90, 255),  // lowering wall
    IM_COL32(185, 150, 115, 255), // raising wall
    IM_COL32(140, 100, 65, 255),  // breakable wall
    IM_COL32(215, 175, 120, 255), // crumbling floor
    IM_COL32(75, 60, 100, 255),   // closing pit
    IM_COL32(225, 130, 45, 255),  // arrow trap
    IM_COL32(150, 150, 165, 255), // rock trap
    IM_COL32(120, 120, 140, 255), // timed rock trap
    IM_COL32(200, 105, 30, 255),  // timed arrow trap
    IM_COL32(80, 150, 205, 255),  // conveyor
    IM_COL32(170, 85, 205, 255),  // teleport
    IM_COL32(85, 85, 85, 255),    // pillar
    IM_COL32(60, 180, 85, 255),   // exit
};
constexpr ImU32 UnknownTile = IM_COL32(255, 0, 255, 255);
constexpr ImU32 SelectionColour = IM_COL32(255, 40, 200, 255);

ImVec2 Add(ImVec2 a, ImVec2 b) {
    return ImVec2(a.x + b.x, a.y + b.y);
}

// Where the cells stand on the screen: the top left corner of the map and a cell's size.
struct MapPlace {
    ImVec2 base;
    float cell;

    ImVec2 Corner(int column, int line) const {
        return ImVec2(base.x + column * cell, base.y + line * cell);
    }
    ImVec2 Centre(int column, int line) const {
        return ImVec2(base.x + (column + 0.5f) * cell, base.y + (line + 0.5f) * cell);
    }
    CellAt Under(ImVec2 mouse) const {
        const int column = static_cast<int>(std::floor((mouse.x - base.x) / cell));
        const int line = static_cast<int>(std::floor((mouse.y - base.y) / cell));
        if (column < 0 || line < 0 || column >= MapSize || line >= MapSize) return {};
        return {column, line};
    }
};

// A creature or item value that puts one on the cell (negative is none).
bool Present(const std::string& value) {
    return Value(value) >= 0 && !value.empty();
}

void DrawCells(ImDrawList* draw, const LevelSource& level, const MapPlace& map) {
    const float cell = map.cell;
    for (int line = 0; line < MapSize; ++line)
        for (int column = 0; column < MapSize; ++column) {
            const int k = line * MapSize + column;
            const int tile = TileOf(level, k);
            const ImVec2 a = map.Corner(column, line);
            draw->AddRectFilled(a, ImVec2(a.x + cell, a.y + cell), TileColour(tile));
            const ImVec2 c = map.Centre(column, line);
            if (tile == TConveyor) {
                // 0 right, 1 down, 2 left, 3 up: a stroke toward where it carries.
                static constexpr float dx[] = {1, 0, -1, 0}, dy[] = {0, 1, 0, -1};
                const int d = Value(level.cells[k][KDesign]) & 3;
                draw->AddLine(c, ImVec2(c.x + dx[d] * cell * 0.4f, c.y + dy[d] * cell * 0.4f),
                              IM_COL32(255, 255, 255, 255), std::max(1.0f, cell / 8));
            }
            if (Present(level.cells[k][KCreature]))
                draw->AddCircleFilled(c, cell * 0.3f, IM_COL32(200, 30, 30, 255));
            if (const std::string& item = level.cells[k][KItem]; Present(item)) {
                const float r = cell * 0.22f;
                draw->AddQuadFilled(ImVec2(c.x, c.y - r), ImVec2(c.x + r, c.y),
                                    ImVec2(c.x, c.y + r), ImVec2(c.x - r, c.y),
                                    Value(item) >= 10 ? IM_COL32(120, 200, 120, 255)
                                                      : IM_COL32(255, 230, 40, 255));
            }
        }
}

// Lines between the cells, once they are large enough to leave room for them.
void DrawGrid(ImDrawList* draw, const MapPlace& map) {
    if (map.cell < 6) return;
    const ImU32 ink = IM_COL32(0, 0, 0, 60);
    for (int i = 0; i <= MapSize; ++i) {
        draw->AddLine(map.Corner(i, 0), map.Corner(i, MapSize), ink);
        draw->AddLine(map.Corner(0, i), map.Corner(MapSize, i), ink);
    }
}

// From a selected plate to every cell of its link channel; from a teleport to its partner.
void DrawLinks(ImDrawList* draw, const LevelSource& level, CellAt selected, const MapPlace& map) {
    if (!selected.Valid()) return;
    const int from = selected.line * MapSize + selected.column;
    const int tile = TileOf(level, from);
    const std::string& link = level.cells[from][KLink];
    if ((tile != TPlate && tile != TTeleport) || Value(link) == 0) return;
    const ImVec2 a = map.Centre(selected.column, selected.line);
    const float width = std::max(2.0f, map.cell / 6);
    for (int k = 0; k < CellCount; ++k) {
        if (k == from || level.cells[k][KLink] != link) continue;
        if (tile == TTeleport && TileOf(level, k) != TTeleport) continue;
        const ImVec2 b = map.Centre(k % MapSize, k / MapSize);
        draw->AddLine(a, b, SelectionColour, width);
        draw->AddCircleFilled(b, width, SelectionColour);
    }
}

// A completable level's route: walked steps in blue, teleports as thin white lines.
void DrawRoute(ImDrawList* draw, const CheckResult& check, const MapPlace& map) {
    if (!check.completable || check.route.size() <= 1) return;
    const auto& route = check.route;
    for (size_t i = 1; i < route.size(); ++i) {
        const bool teleport = route[i].kind == MoveKind::Teleport;
        draw->AddLine(map.Centre(route[i - 1].column, route[i - 1].line),
                      map.Centre(route[i].column, route[i].line),
                      teleport ? IM_COL32(255, 255, 255, 160) : IM_COL32(0, 120, 255, 230),
                      teleport ? 1.0f : std::max(2.0f, map.cell / 5));
    }
}

void Outline(ImDrawList* draw, const MapPlace& map, CellAt at, ImU32 colour, float thickness) {
    if (!at.Valid()) return;
    const ImVec2 a = map.Corner(at.column, at.line);
    draw->AddRect(a, ImVec2(a.x + map.cell, a.y + map.cell), colour, 0, 0, thickness);
}

} // namespace

ImU32 TileColour(int tile) {
    return tile >= 0 && tile < TileKindCount ? TileColours[tile] : UnknownTile;
}

void MapPanel::Click(EditorState& state, CellAt cell) {
    switch (state.mode) {
    case Mode::Select:
        state.selected = cell;
        break;
    case Mode::Paint:
        if (auto tool = state.CurrentTool()) state.Run(*Paint(cell.column, cell.line, *tool));
        painted_ = cell;
        break;
    case Mode::Rectangle:
        dragFrom_ = cell;
        break;
    case Mode::Flood:
        if (auto tool = state.CurrentTool()) state.Run(*FloodFill(cell.column, cell.line, *tool));
        break;
    case Mode::Pick: {
        const LevelSource& level = state.model.Level();
        const std::string name = ToolNameOf(KTile, level.Cell(cell.column, cell.line, KTile));
        if (!name.empty()) state.tool = name;
        state.design = std::clamp(Value(level.Cell(cell.column, cell.line, KDesign)), 0, MaxDesign);
        state.selected = cell;
        state.mode = Mode::Paint;
        break;
    }
    case Mode::Start:
        state.Run(*SetStart(cell.column, cell.line));
        break;
    case Mode::Link:
        // With nothing selected the first click picks the cell to link from.
        if (!state.selected.Valid()) {
            state.selected = cell;
            break;
        }
        state.Run(*Link(state.selected.column, state.selected.line, cell.column, cell.line));
        state.mode = Mode::Select;
        break;
    }
}

// A drag paints every cell on the way from the last one painted to the one under the mouse:
// the mouse may cross several cells between two frames.
void MapPanel::PaintStrokeTo(EditorState& state, CellAt to) {
    if (!painted_.Valid()) return Click(state, to);
    const CellAt from = painted_;
    const int dc = to.column - from.column, dl = to.line - from.line;
    const int steps = std::max(std::abs(dc), std::abs(dl));
    for (int i = 1; i <= steps; ++i)
        Click(state, {from.column + static_cast<int>(std::lround(double(dc) * i / steps)),
                      from.line + static_cast<int>(std::lround(double(dl) * i / steps))});
}

// The tools under the left button: a click, a paint stroke, a rectangle let go.
void MapPanel::HandleMouse(EditorState& state, bool over) {
    if (over && hovered_.Valid() && ImGui::IsMouseClicked(ImGuiMouseButton_Left))
        Click(state, hovered_);
    if (state.mode == Mode::Paint && ImGui::IsItemActive() &&
        ImGui::IsMouseDown(ImGuiMouseButton_Left) && hovered_.Valid() && !(hovered_ == painted_))
        PaintStrokeTo(state, hovered_);
    if (!ImGui::IsMouseDown(ImGuiMouseButton_Left)) painted_ = {};
    if (state.mode == Mode::Rectangle && dragFrom_.Valid() &&
        ImGui::IsMouseReleased(ImGuiMouseButton_Left)) {
        const CellAt to = hovered_.Valid() ? hovered_ : dragFrom_;
        if (auto tool = state.CurrentTool())
            state.Run(*FillRectangle(dragFrom_.column, dragFrom_.line, to.column, to.line, *tool));
        dragFrom_ = {};
    }
}

void MapPanel::Draw(EditorState& state) {
    ImGuiIO& io = ImGui::GetIO();
    const ImVec2 origin = ImGui::GetCursorScreenPos();
    ImVec2 size = ImGui::GetContentRegionAvail();
    size.x = std::max(size.x, 1.0f);
    size.y = std::max(size.y, 1.0f);
    ImGui::InvisibleButton("##canvas", size,
                           ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonMiddle);
    const bool over = ImGui::IsItemHovered();
    // The map follows the window: at the first frame and whenever the panel changes size
    // (the window resized, full screen) the whole map comes back in sight.
    if (size.x != fittedTo_.x || size.y != fittedTo_.y) fit_ = true;
    if (fit_) {
        pan_ = ImVec2(FitMargin, FitMargin);
        zoom_ = std::max(std::min(size.x, size.y) - 2 * FitMargin, 1.0f) / (CellPixels * MapSize);
        fittedTo_ = size;
        fit_ = false;
    }
    float cell = CellPixels * zoom_;
    if (over && io.MouseWheel != 0) {
        // Zoom about the mouse: the point under it stays put.
        const float old = cell;
        zoom_ = std::clamp(zoom_ * std::pow(1.2f, io.MouseWheel), 0.25f, 6.0f);
        cell = CellPixels * zoom_;
        const float mx = io.MousePos.x - origin.x, my = io.MousePos.y - origin.y;
        pan_.x = mx - (mx - pan_.x) * cell / old;
        pan_.y = my - (my - pan_.y) * cell / old;
    }
    if (ImGui::IsItemActive() && ImGui::IsMouseDragging(ImGuiMouseButton_Middle, 0)) {
        pan_.x += io.MouseDelta.x;
        pan_.y += io.MouseDelta.y;
    }
    const MapPlace map{Add(origin, pan_), cell};
    hovered_ = over ? map.Under(io.MousePos) : CellAt{};
    HandleMouse(state, over);

    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->PushClipRect(origin, Add(origin, size), true);
    draw->AddRectFilled(origin, Add(origin, size), IM_COL32(60, 60, 70, 255));
    const LevelSource& level = state.model.Level();
    DrawCells(draw, level, map);
    DrawGrid(draw, map);
    // The start cell: a green ring.
    draw->AddCircle(map.Centre(Value(level.header[HStartX]), Value(level.header[HStartY])),
                    cell * 0.45f, IM_COL32(0, 230, 60, 255), 0, std::max(2.0f, cell / 6));
    DrawLinks(draw, level, state.selected, map);
    if (state.check) DrawRoute(draw, *state.check, map);
    if (state.mode == Mode::Rectangle && dragFrom_.Valid() && hovered_.Valid()) {
        const int c1 = std::min(dragFrom_.column, hovered_.column);
        const int c2 = std::max(dragFrom_.column, hovered_.column);
        const int l1 = std::min(dragFrom_.line, hovered_.line);
        const int l2 = std::max(dragFrom_.line, hovered_.line);
        draw->AddRect(map.Corner(c1, l1), map.Corner(c2 + 1, l2 + 1), IM_COL32(255, 255, 255, 255),
                      0, 0, 2);
    }
    Outline(draw, map, hovered_, IM_COL32(255, 255, 255, 200), 1);
    Outline(draw, map, state.selected, SelectionColour, 3);
    draw->PopClipRect();
}

} // namespace editor

#include "editorwindow.h"

#include "editorfiles.h"
#include "editormodel.h"
#include "levelfile.h"
#include "platform/files.h"
#include "platform/uiwindow.h"
#include "platform/window_desktop.h"
#include "worldview.h"

#include <imgui.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

namespace editor {
namespace {

using namespace levelkit;
namespace fs = std::filesystem;

constexpr const char* Caption = "Tarnhollow Level Editor";
constexpr int WindowWidth = 1280, WindowHeight = 800;
constexpr const char* FontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr float CellPixels = 14, PaletteWidth = 200, PanelWidth = 400;
// The SDL back end hands ImGui SDL's scan codes as key indices: S and F5.
constexpr int SKey = 22, F5Key = 62;

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

enum class Mode { Select, Paint, Rectangle, Flood, Pick, Start, Link };
constexpr const char* ModeNames[] = {"Select", "Paint",      "Rectangle", "Flood fill",
                                     "Picker", "Start cell", "Link to"};
constexpr const char* CellLabels[CellKeyCount] = {"Tile",   "Creature", "Item",  "Link channel",
                                                  "Period", "Phase",    "Design"};

ImVec2 Add(ImVec2 a, ImVec2 b) {
    return ImVec2(a.x + b.x, a.y + b.y);
}

struct CellAt {
    int column = -1, line = -1;
    bool Valid() const { return column >= 0; }
    bool operator==(const CellAt&) const = default;
};

int Value(const std::string& text) {
    return IntegerOf(text).value_or(0);
}

// The tool whose value a cell holds ("zombie" for creature 0), or "" when none has it.
std::string ToolNameOf(CellKey key, const std::string& value) {
    for (const std::string& name : ToolNames())
        if (auto tool = FindTool(name); tool && tool->key == key && tool->value == value)
            return name;
    return "";
}

std::vector<std::string> ToolsOf(CellKey key) {
    std::vector<std::string> names;
    for (const std::string& name : ToolNames())
        if (auto tool = FindTool(name); tool && tool->key == key) names.push_back(name);
    return names;
}

void CopyText(char* buffer, size_t size, const std::string& text) {
    std::snprintf(buffer, size, "%s", text.c_str());
}

class EditorWindow {
  public:
    explicit EditorWindow(bool picture) : picture_(picture) {
        if (picture_) return;
        recent_ = LoadRecent();
        std::string text;
        offerAutosave_ = files::ReadAll(AutosavePath(), text) && AutosaveWorthOffering(text);
        for (const std::string& name : files::List("snd\\*.ogg")) music_.push_back(name);
    }

    bool OpenFile(const std::string& path) {
        std::string error;
        if (!model_.Open(path, error)) {
            // The level being edited stays as it was.
            openError_ = error.empty() ? "cannot read " + path : error;
            message_ = openError_;
            return false;
        }
        Changed();
        selected_ = {};
        message_ = "Opened " + path;
        Remember(path);
        return true;
    }

    void SelectFirstPlate() {
        for (int k = 0; k < CellCount; ++k)
            if (TileOf(model_.Level(), k) == TPlate && Value(model_.Level().cells[k][KLink])) {
                selected_ = {k % MapSize, k / MapSize};
                return;
            }
    }

    void FitMap() { fitMap_ = true; }

    // One cell of a stroke, as a drag with the Paint tool puts it.
    void PaintCell(int column, int line) {
        if (auto tool = FindTool(tool_, std::to_string(design_))) Run(*Paint(column, line, *tool));
    }
    const WorldView& View() const { return view_; }

    void RunCheck() {
        check_ = model_.Check();
        checkedRevision_ = revision_;
    }

    // The window's close button: quits at once unless there is unsaved work to ask about.
    bool CloseRequested() {
        if (!model_.Modified()) {
            Quit();
            return true;
        }
        ask_ = Pending::Quit;
        return false;
    }

    bool Frame() {
        ShowTitle();
        PollTestPlay();
        Autosave();
        Shortcuts();
        DrawMenu();
        ImGui::SetCursorPos(ImVec2(0, ImGui::GetFrameHeight()));
        const ImVec2 room = ImGui::GetContentRegionAvail();
        const float status = ImGui::GetFrameHeightWithSpacing() + 4;
        const float height = room.y - status;
        ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(6, 6));
        ImGui::BeginChild("##palette", ImVec2(PaletteWidth, height), true);
        DrawPalette();
        ImGui::EndChild();
        ImGui::SameLine(0, 0);
        ImGui::BeginChild("##map", ImVec2(room.x - PaletteWidth - PanelWidth, height), true,
                          ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
        DrawMap();
        ImGui::EndChild();
        ImGui::SameLine(0, 0);
        ImGui::BeginGroup();
        // The 3D view stays in sight above the side panel, which scrolls on its own.
        const float viewWidth = PanelWidth - 12;
        const float viewHeight = viewWidth * 3 / 4 + ImGui::GetFrameHeightWithSpacing() + 12;
        ImGui::BeginChild("##view", ImVec2(PanelWidth, viewHeight), true,
                          ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
        view_.Draw(model_.Level(), revision_, viewWidth);
        ImGui::EndChild();
        ImGui::BeginChild("##panel", ImVec2(PanelWidth, height - viewHeight), true);
        DrawPanel();
        ImGui::EndChild();
        ImGui::EndGroup();
        ImGui::PopStyleVar();
        DrawStatus();
        DrawPopups();
        return !quit_;
    }

  private:
    enum class Pending { None, New, Open, Quit };

    void Changed() {
        ++revision_;
        if (checkedRevision_ != revision_) check_.reset();
    }

    bool Run(const Command& command) {
        std::string error;
        size_t changed = 0;
        if (!model_.Run(command, error, &changed)) {
            message_ = command.Describe() + ": " + error;
            return false;
        }
        if (changed) Changed();
        return true;
    }

    void Undo() {
        if (model_.Undo()) Changed();
    }
    void Redo() {
        if (model_.Redo()) Changed();
    }

    void Remember(const std::string& path) {
        if (picture_) return;
        std::error_code ignored;
        recent_ = WithRecent(recent_, fs::absolute(path, ignored).lexically_normal().string());
        SaveRecent(recent_);
    }

    bool Save(const std::string& path) {
        std::string error, written;
        if (!model_.Save(path, error, &written)) {
            // The file on disk is the old one, whole: the write goes through a temporary.
            message_ = "Not saved: " + error;
            saveError_ = message_;
            return false;
        }
        message_ = "Saved " + written;
        saveError_.clear();
        Remember(written);
        return true;
    }

    void SaveOrAsk() {
        if (model_.Path().empty())
            StartSaveAs();
        else
            Save(model_.Path());
    }

    void StartSaveAs() {
        const std::string name = model_.Path().empty() ? "mylevel.dat" : model_.Path();
        CopyText(path_, sizeof path_, name);
        saveError_.clear();
        openSaveAs_ = true;
    }

    void StartOpen(const std::string& path = "") {
        CopyText(path_, sizeof path_, path);
        openError_.clear();
        if (model_.Modified()) {
            ask_ = Pending::Open;
            pendingPath_ = path;
        } else if (!path.empty()) {
            OpenFile(path);
        } else {
            openOpen_ = true;
        }
    }

    void Quit() { quit_ = true; }

  public:
    // Whether the user quit on purpose (and so wants no autosave offered back).
    bool QuitOnPurpose() const { return quit_; }

  private:
    void ShowTitle() {
        std::string title = Caption;
        title += " - " + (model_.Path().empty() ? std::string("untitled")
                                                : fs::path(model_.Path()).filename().string());
        if (model_.Modified()) title += " *";
        if (title != shownTitle_ && !picture_) window::SetUiWindowTitle(title);
        shownTitle_ = title;
    }

    void Autosave() {
        if (picture_ || offerAutosave_ || quit_) return;
        const double now =
            std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
                .count();
        if (!model_.Modified()) lastAutosave_ = now; // the first change waits a full interval
        switch (NextAutosave(model_.Modified(), autosaveExists_, now - lastAutosave_)) {
        case AutosaveAction::Write:
            if (WriteAutosave(model_.Level())) autosaveExists_ = true;
            lastAutosave_ = now;
            break;
        case AutosaveAction::Remove:
            files::Delete(AutosavePath());
            autosaveExists_ = false;
            break;
        case AutosaveAction::None:
            break;
        }
    }

    void TestPlay() {
        if (playing_ > 0) return;
        std::string bytes, error;
        if (!Compile(model_.Level(), bytes, error)) {
            message_ = "Cannot test the level: " + error;
            return;
        }
        playFile_ = (fs::temp_directory_path() /
                     ("tarnhollow-editor-" + std::to_string(::getpid()) + ".dat"))
                        .string();
        if (!files::WriteSafely(playFile_, bytes)) {
            message_ = "Cannot write " + playFile_;
            return;
        }
        const std::string game = files::ProgramFolder() + "tarnhollow";
        playing_ = window::StartProgram(game, {"--play-level", playFile_});
        message_ = playing_ > 0 ? "Playing the level..." : "Cannot start " + game;
    }

    void PollTestPlay() {
        if (playing_ <= 0 || !window::ProgramEnded(playing_)) return;
        playing_ = -1;
        files::Delete(playFile_);
        message_ = "Test play ended";
    }

    void Shortcuts() {
        const ImGuiIO& io = ImGui::GetIO();
        if (io.WantTextInput || ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId)) return;
        auto pressed = [](ImGuiKey key) { return ImGui::IsKeyPressed(ImGui::GetKeyIndex(key)); };
        if (io.KeyCtrl && pressed(ImGuiKey_Z)) io.KeyShift ? Redo() : Undo();
        if (io.KeyCtrl && pressed(ImGuiKey_Y)) Redo();
        if (io.KeyCtrl && ImGui::IsKeyPressed(SKey)) SaveOrAsk();
        if (ImGui::IsKeyPressed(F5Key)) TestPlay();
    }

    void DrawMenu() {
        if (!ImGui::BeginMainMenuBar()) return;
        if (ImGui::BeginMenu("File")) {
            if (ImGui::MenuItem("New")) {
                if (model_.Modified())
                    ask_ = Pending::New;
                else
                    NewLevel();
            }
            if (ImGui::MenuItem("Open...")) StartOpen();
            if (ImGui::BeginMenu("Recent Files", !recent_.empty())) {
                for (const std::string& path : std::vector<std::string>(recent_))
                    if (ImGui::MenuItem(path.c_str())) StartOpen(path);
                ImGui::EndMenu();
            }
            if (ImGui::MenuItem("Save", "Ctrl+S")) SaveOrAsk();
            if (ImGui::MenuItem("Save As...")) StartSaveAs();
            ImGui::Separator();
            if (ImGui::MenuItem("Quit")) CloseRequested();
            ImGui::EndMenu();
        }
        if (ImGui::BeginMenu("Edit")) {
            if (ImGui::MenuItem("Undo", "Ctrl+Z", false, model_.UndoSteps() > 0)) Undo();
            if (ImGui::MenuItem("Redo", "Ctrl+Y", false, model_.RedoSteps() > 0)) Redo();
            ImGui::EndMenu();
        }
        if (ImGui::BeginMenu("Level")) {
            if (ImGui::MenuItem("Check")) RunCheck();
            if (ImGui::MenuItem("Test Play", "F5", false, playing_ <= 0)) TestPlay();
            ImGui::EndMenu();
        }
        ImGui::EndMainMenuBar();
    }

    void NewLevel() {
        model_.New();
        selected_ = {};
        Changed();
        message_ = "New level";
    }

    void ChooseTool(const std::string& name) {
        tool_ = name;
        if (mode_ != Mode::Paint && mode_ != Mode::Rectangle && mode_ != Mode::Flood)
            mode_ = Mode::Paint;
    }

    void DrawPalette() {
        ImGui::TextUnformatted("Tool");
        for (int m = 0; m < static_cast<int>(std::size(ModeNames)); ++m) {
            if (static_cast<Mode>(m) == Mode::Link && !selected_.Valid()) continue;
            if (ImGui::RadioButton(ModeNames[m], mode_ == static_cast<Mode>(m)))
                mode_ = static_cast<Mode>(m);
        }
        ImGui::Separator();
        ImGui::SetNextItemWidth(90);
        ImGui::InputInt("Design", &design_);
        design_ = std::clamp(design_, 0, 99);
        if (ImGui::IsItemHovered())
            ImGui::SetTooltip("A tile's design; a conveyor's direction 0..3");
        const struct {
            const char* title;
            CellKey key;
        } groups[] = {{"Tiles", KTile}, {"Creatures", KCreature}, {"Items", KItem}};
        for (const auto& group : groups) {
            if (!ImGui::CollapsingHeader(group.title, ImGuiTreeNodeFlags_DefaultOpen)) continue;
            for (const std::string& name : ToolsOf(group.key)) {
                if (group.key == KTile) {
                    const ImVec2 at = ImGui::GetCursorScreenPos();
                    const float h = ImGui::GetTextLineHeight();
                    ImGui::GetWindowDrawList()->AddRectFilled(
                        at, ImVec2(at.x + h, at.y + h),
                        TileColours[Value(FindTool(name)->value) % TileKindCount]);
                    ImGui::SetCursorScreenPos(ImVec2(at.x + h + 4, at.y));
                }
                if (ImGui::Selectable(name.c_str(), tool_ == name)) ChooseTool(name);
            }
        }
    }

    CellAt CellUnder(ImVec2 base, float cell) const {
        const ImVec2 mouse = ImGui::GetIO().MousePos;
        const int column = static_cast<int>(std::floor((mouse.x - base.x) / cell));
        const int line = static_cast<int>(std::floor((mouse.y - base.y) / cell));
        if (column < 0 || line < 0 || column >= MapSize || line >= MapSize) return {};
        return {column, line};
    }

    std::optional<Tool> CurrentTool() const { return FindTool(tool_, std::to_string(design_)); }

    void Click(CellAt cell) {
        switch (mode_) {
        case Mode::Select:
            selected_ = cell;
            break;
        case Mode::Paint:
            if (auto tool = CurrentTool()) Run(*Paint(cell.column, cell.line, *tool));
            painted_ = cell;
            break;
        case Mode::Rectangle:
            dragFrom_ = cell;
            break;
        case Mode::Flood:
            if (auto tool = CurrentTool()) Run(*FloodFill(cell.column, cell.line, *tool));
            break;
        case Mode::Pick: {
            const LevelSource& level = model_.Level();
            const std::string name = ToolNameOf(KTile, level.Cell(cell.column, cell.line, KTile));
            if (!name.empty()) tool_ = name;
            design_ = std::clamp(Value(level.Cell(cell.column, cell.line, KDesign)), 0, 99);
            selected_ = cell;
            mode_ = Mode::Paint;
            break;
        }
        case Mode::Start:
            Run(*SetStart(cell.column, cell.line));
            break;
        case Mode::Link:
            if (selected_.Valid())
                Run(*Link(selected_.column, selected_.line, cell.column, cell.line));
            mode_ = Mode::Select;
            break;
        }
    }

    // A drag paints every cell on the way from the last one painted to the one under the
    // mouse: the mouse may cross several cells between two frames.
    void PaintStrokeTo(CellAt to) {
        if (!painted_.Valid()) return Click(to);
        const CellAt from = painted_;
        const int dc = to.column - from.column, dl = to.line - from.line;
        const int steps = std::max(std::abs(dc), std::abs(dl));
        for (int i = 1; i <= steps; ++i)
            Click({from.column + static_cast<int>(std::lround(double(dc) * i / steps)),
                   from.line + static_cast<int>(std::lround(double(dl) * i / steps))});
    }

    ImVec2 Centre(ImVec2 base, float cell, int column, int line) const {
        return ImVec2(base.x + (column + 0.5f) * cell, base.y + (line + 0.5f) * cell);
    }

    void DrawMap() {
        ImGuiIO& io = ImGui::GetIO();
        const ImVec2 origin = ImGui::GetCursorScreenPos();
        ImVec2 size = ImGui::GetContentRegionAvail();
        size.x = std::max(size.x, 1.0f);
        size.y = std::max(size.y, 1.0f);
        ImGui::InvisibleButton("##canvas", size,
                               ImGuiButtonFlags_MouseButtonLeft |
                                   ImGuiButtonFlags_MouseButtonMiddle);
        const bool over = ImGui::IsItemHovered();
        if (fitMap_) {
            // The whole map in sight, with the margin of the pan.
            zoom_ = std::min(size.x - 2 * pan_.x, size.y - 2 * pan_.y) / (CellPixels * MapSize);
            fitMap_ = false;
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
        const ImVec2 base = Add(origin, pan_);
        hovered_ = over ? CellUnder(base, cell) : CellAt{};

        if (over && hovered_.Valid() && ImGui::IsMouseClicked(ImGuiMouseButton_Left))
            Click(hovered_);
        if (mode_ == Mode::Paint && ImGui::IsItemActive() &&
            ImGui::IsMouseDown(ImGuiMouseButton_Left) && hovered_.Valid() &&
            !(hovered_ == painted_))
            PaintStrokeTo(hovered_);
        if (!ImGui::IsMouseDown(ImGuiMouseButton_Left)) painted_ = {};
        if (mode_ == Mode::Rectangle && dragFrom_.Valid() &&
            ImGui::IsMouseReleased(ImGuiMouseButton_Left)) {
            const CellAt to = hovered_.Valid() ? hovered_ : dragFrom_;
            if (auto tool = CurrentTool())
                Run(*FillRectangle(dragFrom_.column, dragFrom_.line, to.column, to.line, *tool));
            dragFrom_ = {};
        }

        ImDrawList* draw = ImGui::GetWindowDrawList();
        draw->PushClipRect(origin, Add(origin, size), true);
        draw->AddRectFilled(origin, Add(origin, size), IM_COL32(60, 60, 70, 255));
        const LevelSource& level = model_.Level();
        for (int line = 0; line < MapSize; ++line)
            for (int column = 0; column < MapSize; ++column) {
                const int k = line * MapSize + column;
                const int tile = TileOf(level, k);
                const ImVec2 a(base.x + column * cell, base.y + line * cell);
                const ImVec2 b(a.x + cell, a.y + cell);
                draw->AddRectFilled(
                    a, b, tile >= 0 && tile < TileKindCount ? TileColours[tile] : UnknownTile);
                const ImVec2 c = Centre(base, cell, column, line);
                if (tile == TConveyor) {
                    // 0 right, 1 down, 2 left, 3 up: a stroke toward where it carries.
                    static constexpr float dx[] = {1, 0, -1, 0}, dy[] = {0, 1, 0, -1};
                    const int d = Value(level.cells[k][KDesign]) & 3;
                    draw->AddLine(c, ImVec2(c.x + dx[d] * cell * 0.4f, c.y + dy[d] * cell * 0.4f),
                                  IM_COL32(255, 255, 255, 255), std::max(1.0f, cell / 8));
                }
                if (Value(level.cells[k][KCreature]) >= 0 && !level.cells[k][KCreature].empty())
                    draw->AddCircleFilled(c, cell * 0.3f, IM_COL32(200, 30, 30, 255));
                if (Value(level.cells[k][KItem]) >= 0 && !level.cells[k][KItem].empty()) {
                    const float r = cell * 0.22f;
                    draw->AddQuadFilled(ImVec2(c.x, c.y - r), ImVec2(c.x + r, c.y),
                                        ImVec2(c.x, c.y + r), ImVec2(c.x - r, c.y),
                                        Value(level.cells[k][KItem]) >= 10
                                            ? IM_COL32(120, 200, 120, 255)
                                            : IM_COL32(255, 230, 40, 255));
                }
            }
        if (cell >= 6) {
            const ImU32 ink = IM_COL32(0, 0, 0, 60);
            for (int i = 0; i <= MapSize; ++i) {
                draw->AddLine(ImVec2(base.x + i * cell, base.y),
                              ImVec2(base.x + i * cell, base.y + MapSize * cell), ink);
                draw->AddLine(ImVec2(base.x, base.y + i * cell),
                              ImVec2(base.x + MapSize * cell, base.y + i * cell), ink);
            }
        }
        // The start cell: a green ring.
        const int sx = Value(level.header[HStartX]), sy = Value(level.header[HStartY]);
        draw->AddCircle(Centre(base, cell, sx, sy), cell * 0.45f, IM_COL32(0, 230, 60, 255), 0,
                        std::max(2.0f, cell / 6));
        DrawLinks(draw, base, cell);
        if (check_ && check_->completable && check_->route.size() > 1) {
            const auto& route = check_->route;
            for (size_t i = 1; i < route.size(); ++i) {
                const bool teleport = route[i].kind == MoveKind::Teleport;
                draw->AddLine(Centre(base, cell, route[i - 1].column, route[i - 1].line),
                              Centre(base, cell, route[i].column, route[i].line),
                              teleport ? IM_COL32(255, 255, 255, 160) : IM_COL32(0, 120, 255, 230),
                              teleport ? 1.0f : std::max(2.0f, cell / 5));
            }
        }
        auto outline = [&](CellAt at, ImU32 colour, float thickness) {
            if (!at.Valid()) return;
            const ImVec2 a(base.x + at.column * cell, base.y + at.line * cell);
            draw->AddRect(a, ImVec2(a.x + cell, a.y + cell), colour, 0, 0, thickness);
        };
        if (mode_ == Mode::Rectangle && dragFrom_.Valid() && hovered_.Valid()) {
            const int c1 = std::min(dragFrom_.column, hovered_.column);
            const int c2 = std::max(dragFrom_.column, hovered_.column);
            const int l1 = std::min(dragFrom_.line, hovered_.line);
            const int l2 = std::max(dragFrom_.line, hovered_.line);
            draw->AddRect(ImVec2(base.x + c1 * cell, base.y + l1 * cell),
                          ImVec2(base.x + (c2 + 1) * cell, base.y + (l2 + 1) * cell),
                          IM_COL32(255, 255, 255, 255), 0, 0, 2);
        }
        outline(hovered_, IM_COL32(255, 255, 255, 200), 1);
        outline(selected_, IM_COL32(255, 40, 200, 255), 3);
        draw->PopClipRect();
    }

    // From a selected plate to every cell of its link channel; from a teleport to its partner.
    void DrawLinks(ImDrawList* draw, ImVec2 base, float cell) {
        if (!selected_.Valid()) return;
        const LevelSource& level = model_.Level();
        const int from = selected_.line * MapSize + selected_.column;
        const int tile = TileOf(level, from);
        const std::string& link = level.cells[from][KLink];
        if ((tile != TPlate && tile != TTeleport) || Value(link) == 0) return;
        const ImVec2 a = Centre(base, cell, selected_.column, selected_.line);
        for (int k = 0; k < CellCount; ++k) {
            if (k == from || level.cells[k][KLink] != link) continue;
            if (tile == TTeleport && TileOf(level, k) != TTeleport) continue;
            const ImVec2 b = Centre(base, cell, k % MapSize, k / MapSize);
            draw->AddLine(a, b, IM_COL32(255, 40, 200, 255), std::max(2.0f, cell / 6));
            draw->AddCircleFilled(b, std::max(2.0f, cell / 6), IM_COL32(255, 40, 200, 255));
        }
    }

    void RefreshEdits() {
        // Edit fields follow the level unless the user is typing in one.
        if (ImGui::IsAnyItemActive() || lightPending_) return;
        const LevelSource& level = model_.Level();
        if (selected_.Valid())
            for (int k = 0; k < CellKeyCount; ++k)
                fields_[k] = Value(level.Cell(selected_.column, selected_.line, CellKey(k)));
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

    bool ToolCombo(const char* label, CellKey key) {
        const LevelSource& level = model_.Level();
        const std::string& value = level.Cell(selected_.column, selected_.line, key);
        std::string shown = ToolNameOf(key, value);
        if (shown.empty()) shown = value;
        bool changed = false;
        if (ImGui::BeginCombo(label, shown.c_str())) {
            for (const std::string& name : ToolsOf(key))
                if (ImGui::Selectable(name.c_str(), name == shown)) {
                    auto tool = FindTool(name);
                    changed =
                        Run(*SetCellField(selected_.column, selected_.line, key, tool->value));
                }
            ImGui::EndCombo();
        }
        return changed;
    }

    void LightCommit() {
        if (!lightPending_ || ImGui::IsAnyItemActive() || ImGui::IsMouseDown(0)) return;
        lightPending_ = false;
        const LevelSource& level = model_.Level();
        auto byte = [](float f) {
            return std::to_string(std::lround(std::clamp(f, 0.0f, 1.0f) * 255));
        };
        Run(*SetProperty("main-light", byte(mainLight_[0]) + " " + byte(mainLight_[1]) + " " +
                                           byte(mainLight_[2]) + " " + level.header[HMainX] + " " +
                                           level.header[HMainY] + " " + level.header[HMainZ] + " " +
                                           std::to_string(mainIntensity_)));
        Run(*SetProperty("fill-light", byte(fillLight_[0]) + " " + byte(fillLight_[1]) + " " +
                                           byte(fillLight_[2]) + " " +
                                           std::to_string(fillIntensity_)));
    }

    void DrawPanel() {
        RefreshEdits();
        LightCommit();
        const LevelSource& level = model_.Level();
        ImGui::PushItemWidth(150);
        if (ImGui::CollapsingHeader("Cell", ImGuiTreeNodeFlags_DefaultOpen)) {
            if (!selected_.Valid()) {
                ImGui::TextDisabled("Click a cell (Select tool) to edit it.");
            } else {
                ImGui::Text("Column %d, line %d", selected_.column, selected_.line);
                ToolCombo("Tile", KTile);
                ToolCombo("Creature", KCreature);
                ToolCombo("Item", KItem);
                for (CellKey key : {KLink, KPeriod, KPhase, KDesign}) {
                    ImGui::InputInt(CellLabels[key], &fields_[key]);
                    if (ImGui::IsItemDeactivatedAfterEdit())
                        Run(*SetCellField(selected_.column, selected_.line, key,
                                          std::to_string(fields_[key])));
                }
                if (ImGui::Button("Link to...")) mode_ = Mode::Link;
                if (ImGui::IsItemHovered())
                    ImGui::SetTooltip(
                        "Then click the wall, trap or teleport to share this cell's link");
                ImGui::SameLine();
                if (ImGui::Button("Make start")) Run(*SetStart(selected_.column, selected_.line));
            }
        }
        if (ImGui::CollapsingHeader("Level", ImGuiTreeNodeFlags_DefaultOpen)) {
            ImGui::InputText("Name", name_, sizeof name_);
            if (ImGui::IsItemDeactivatedAfterEdit()) Run(*SetProperty("name", name_));
            ImGui::InputText("Author", author_, sizeof author_);
            if (ImGui::IsItemDeactivatedAfterEdit()) Run(*SetProperty("author", author_));
            const std::string& music = level.header[HMusic];
            if (ImGui::BeginCombo("Music", music.empty() ? "(none)" : music.c_str())) {
                if (ImGui::Selectable("(none)", music.empty())) Run(*SetProperty("music", ""));
                for (const std::string& name : music_)
                    if (ImGui::Selectable(name.c_str(), name == music))
                        Run(*SetProperty("music", name));
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
            if (ImGui::IsItemDeactivatedAfterEdit()) Run(*SetStart(start_[0], start_[1]));
        }
        if (ImGui::CollapsingHeader("Check", ImGuiTreeNodeFlags_DefaultOpen)) {
            if (ImGui::Button("Check")) RunCheck();
            ImGui::SameLine();
            if (ImGui::Button("Test Play (F5)")) TestPlay();
            if (check_) {
                ImGui::PushStyleColor(ImGuiCol_Text, check_->completable
                                                         ? ImVec4(0.0f, 0.45f, 0.1f, 1)
                                                         : ImVec4(0.75f, 0.1f, 0.1f, 1));
                ImGui::TextWrapped("%s", Describe(*check_).c_str());
                ImGui::PopStyleColor();
            }
        }
        const std::vector<std::string> warnings = model_.Warnings();
        const std::string header = "Warnings (" + std::to_string(warnings.size()) + ")###warnings";
        if (ImGui::CollapsingHeader(header.c_str(), ImGuiTreeNodeFlags_DefaultOpen))
            for (const std::string& warning : warnings) ImGui::BulletText("%s", warning.c_str());
        ImGui::PopItemWidth();
    }

    void DrawStatus() {
        ImGui::SetCursorPosX(6);
        ImGui::SetCursorPosY(ImGui::GetCursorPosY() + 2);
        std::string line;
        if (hovered_.Valid()) {
            const LevelSource& level = model_.Level();
            auto cell = [&](CellKey key) {
                return level.Cell(hovered_.column, hovered_.line, key);
            };
            auto named = [&](CellKey key) {
                const std::string name = ToolNameOf(key, cell(key));
                return name.empty() ? cell(key) : name + " (" + cell(key) + ")";
            };
            line = "Column " + std::to_string(hovered_.column) + ", line " +
                   std::to_string(hovered_.line) + ": tile " + named(KTile) + ", creature " +
                   named(KCreature) + ", item " + named(KItem) + ", link " + cell(KLink) +
                   ", period " + cell(KPeriod) + ", phase " + cell(KPhase) + ", design " +
                   cell(KDesign);
        } else {
            line = message_;
        }
        ImGui::TextUnformatted(line.c_str());
    }

    void DrawPopups() {
        if (offerAutosave_ && !ImGui::IsPopupOpen("Restore###autosave"))
            ImGui::OpenPopup("Restore###autosave");
        if (ask_ != Pending::None && !ImGui::IsPopupOpen("Unsaved changes"))
            ImGui::OpenPopup("Unsaved changes");
        if (openOpen_) ImGui::OpenPopup("Open Level");
        if (openSaveAs_) ImGui::OpenPopup("Save Level As");
        openOpen_ = openSaveAs_ = false;

        const ImGuiWindowFlags flags = ImGuiWindowFlags_AlwaysAutoResize;
        if (ImGui::BeginPopupModal("Restore###autosave", nullptr, flags)) {
            ImGui::TextUnformatted("The editor closed last time with unsaved work.\nRestore it?");
            if (ImGui::Button("Restore")) {
                std::string error;
                if (model_.OpenRecovered(AutosavePath(), error))
                    Changed(), message_ = "Restored the unsaved level";
                else
                    message_ = "Cannot restore: " + error;
                offerAutosave_ = false;
                ImGui::CloseCurrentPopup();
            }
            ImGui::SameLine();
            if (ImGui::Button("Discard")) {
                files::Delete(AutosavePath());
                offerAutosave_ = false;
                ImGui::CloseCurrentPopup();
            }
            ImGui::EndPopup();
        }
        if (ImGui::BeginPopupModal("Unsaved changes", nullptr, flags)) {
            ImGui::TextUnformatted("The level has unsaved changes.");
            const bool canSave = !model_.Path().empty();
            if (canSave && ImGui::Button("Save")) {
                if (Save(model_.Path())) Proceed();
                ImGui::CloseCurrentPopup();
            }
            if (canSave) ImGui::SameLine();
            if (ImGui::Button("Discard changes")) {
                Proceed();
                ImGui::CloseCurrentPopup();
            }
            ImGui::SameLine();
            if (ImGui::Button("Cancel")) {
                ask_ = Pending::None;
                ImGui::CloseCurrentPopup();
            }
            ImGui::EndPopup();
        }
        if (ImGui::BeginPopupModal("Open Level", nullptr, flags)) {
            ImGui::SetNextItemWidth(420);
            const bool enter =
                ImGui::InputText("File", path_, sizeof path_, ImGuiInputTextFlags_EnterReturnsTrue);
            ImGui::BeginChild("##files", ImVec2(420, 220), true);
            for (const auto& [folder, pattern] :
                 {std::pair{files::HomePath("customlvl/"), files::HomePath("customlvl\\*.dat")},
                  std::pair{std::string("lvl/"), std::string("lvl\\*.dat")}})
                for (const std::string& name : files::List(pattern)) {
                    const std::string path = folder + name;
                    if (ImGui::Selectable(path.c_str(), path == path_,
                                          ImGuiSelectableFlags_AllowDoubleClick)) {
                        CopyText(path_, sizeof path_, path);
                        if (ImGui::IsMouseDoubleClicked(0)) openNow_ = true;
                    }
                }
            ImGui::EndChild();
            if (!openError_.empty())
                ImGui::TextColored(ImVec4(0.75f, 0.1f, 0.1f, 1), "%s", openError_.c_str());
            if (ImGui::Button("Open") || enter || openNow_) {
                openNow_ = false;
                if (OpenFile(path_)) ImGui::CloseCurrentPopup();
            }
            ImGui::SameLine();
            if (ImGui::Button("Cancel")) ImGui::CloseCurrentPopup();
            ImGui::EndPopup();
        }
        if (ImGui::BeginPopupModal("Save Level As", nullptr, flags)) {
            ImGui::TextUnformatted("A bare name goes to the folder of user levels.");
            ImGui::SetNextItemWidth(420);
            const bool enter =
                ImGui::InputText("File", path_, sizeof path_, ImGuiInputTextFlags_EnterReturnsTrue);
            if (!saveError_.empty())
                ImGui::TextColored(ImVec4(0.75f, 0.1f, 0.1f, 1), "%s", saveError_.c_str());
            if (ImGui::Button("Save") || enter) {
                if (Save(path_)) ImGui::CloseCurrentPopup();
            }
            ImGui::SameLine();
            if (ImGui::Button("Cancel")) ImGui::CloseCurrentPopup();
            ImGui::EndPopup();
        }
    }

    // Carries out what waited on the question about unsaved changes.
    void Proceed() {
        const Pending what = ask_;
        ask_ = Pending::None;
        switch (what) {
        case Pending::New:
            NewLevel();
            break;
        case Pending::Open:
            if (pendingPath_.empty())
                openOpen_ = true;
            else
                OpenFile(pendingPath_);
            break;
        case Pending::Quit:
            Quit();
            break;
        case Pending::None:
            break;
        }
    }

    const bool picture_;
    Model model_;
    std::string tool_ = "wall";
    int design_ = 0;
    Mode mode_ = Mode::Select;
    CellAt selected_, hovered_, dragFrom_, painted_;
    float zoom_ = 1;
    ImVec2 pan_{8, 8};
    bool fitMap_ = false;
    WorldView view_;
    std::optional<CheckResult> check_;
    long revision_ = 0, checkedRevision_ = -1;
    std::string message_ = "Ready", openError_, saveError_, shownTitle_, pendingPath_;
    std::vector<std::string> recent_, music_;
    Pending ask_ = Pending::None;
    bool openOpen_ = false, openSaveAs_ = false, openNow_ = false, quit_ = false;
    bool offerAutosave_ = false, autosaveExists_ = false;
    double lastAutosave_ = 0;
    int playing_ = -1;
    std::string playFile_;
    char path_[512] = {};
    // Edit fields of the side panel.
    int fields_[CellKeyCount] = {};
    char name_[128] = {}, author_[128] = {};
    int start_[2] = {};
    float mainLight_[3] = {}, fillLight_[3] = {};
    int mainIntensity_ = 0, fillIntensity_ = 0;
    bool lightPending_ = false;
};

window::UiWindowRequest EditorRequest() {
    window::UiWindowRequest request;
    request.title = Caption;
    request.width = WindowWidth;
    request.height = WindowHeight;
    request.fonts = {{FontFile, 14}};
    request.resizable = true;
    return request;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int RunEditorWindow(const std::string& file) {
    EditorWindow editor(false);
    if (!file.empty()) editor.OpenFile(file);
    window::UiWindowRequest request = EditorRequest();
    request.closeRequested = [&] { return editor.CloseRequested(); };
    if (!window::RunUiWindow(request, nullptr, [&] { return editor.Frame(); })) {
        std::fprintf(stderr, "tarnhollow-editor: cannot open a window\n");
        return 1;
    }
    // A deliberate quit keeps nothing to give back.
    if (editor.QuitOnPurpose()) files::Delete(AutosavePath());
    return 0;
}

bool DrawEditorPicture(const std::string& level, const std::string& pngFile, std::string& error) {
    EditorWindow editor(true);
    // A level inside the game folder is named from there, as the Open list names it.
    const fs::path inGame = fs::path(level).lexically_relative(fs::current_path());
    const bool inside = !inGame.empty() && *inGame.begin() != "..";
    if (!editor.OpenFile(inside ? inGame.string() : level))
        return error = "cannot open " + level, false;
    editor.SelectFirstPlate();
    editor.RunCheck();
    editor.FitMap();
    if (!window::DrawUiPicture(
            EditorRequest(), [&] { return editor.Frame(); }, pngFile))
        return error = "no window to draw in, or cannot write " + pngFile, false;
    return true;
}

bool TimePainting(const std::string& level, int cells, std::string& report, std::string& error) {
    EditorWindow editor(true);
    if (!editor.OpenFile(level)) return error = "cannot open " + level, false;
    // A stroke of wall cells across the middle of the map, one cell a frame, after a few
    // frames that start the view.
    constexpr int Settle = 3;
    cells = std::clamp(cells, 1, MapSize - 2);
    std::vector<double> frames, refills, pictures;
    int frame = 0;
    auto last = std::chrono::steady_clock::now();
    auto step = [&] {
        const auto now = std::chrono::steady_clock::now();
        if (frame > Settle + 1)
            frames.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
        if (frame >= Settle && frame < Settle + cells) editor.PaintCell(1 + frame - Settle, 25);
        const bool open = editor.Frame();
        if (frame > Settle) {
            refills.push_back(editor.View().RefillMilliseconds());
            pictures.push_back(editor.View().DrawMilliseconds());
        }
        ++frame;
        return open;
    };
    if (!window::DrawUiPicture(EditorRequest(), step, "", Settle + cells + 2))
        return error = "no window to draw in", false;
    char line[200];
    std::snprintf(line, sizeof line,
                  "%d cells painted, one a frame: median frame %.2f ms, world refill %.2f ms, "
                  "3D picture %.2f ms\n",
                  cells, Median(frames), Median(refills), Median(pictures));
    report = line;
    return true;
}

} // namespace editor

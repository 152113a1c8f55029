#include "editorwindow.h"

#include "editorfiles.h"
#include "editorstate.h"
#include "mappanel.h"
#include "platform/files.h"
#include "platform/uiwindow.h"
#include "shortcuts.h"
#include "sidepanel.h"
#include "testplay.h"
#include "toolpalette.h"
#include "worldview.h"

#include <imgui.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>

namespace editor {
namespace {

using namespace levelkit;
namespace fs = std::filesystem;

constexpr const char* Caption = "Tarnhollow Level Editor";
constexpr int WindowWidth = 1280, WindowHeight = 800;
constexpr const char* FontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr float PaletteWidth = 200, PanelWidth = 400;
const ImVec4 ErrorColour(0.75f, 0.1f, 0.1f, 1);

// The window's shell: the menus, the title, the status line, the file dialogs and the
// question about unsaved changes, the autosave; the map, palette, 3D view and side panel
// laid out between them.
class EditorWindow {
  public:
    explicit EditorWindow(bool picture) : picture_(picture) {
        if (picture_) return;
        recent_ = LoadRecent();
        std::string text;
        offerAutosave_ = files::ReadAll(AutosavePath(), text) && AutosaveWorthOffering(text);
        std::vector<std::string> music;
        for (const std::string& name : files::List("snd\\*.ogg")) music.push_back(name);
        panel_.OfferMusic(std::move(music));
    }

    bool OpenFile(const std::string& path) {
        std::string error;
        if (!state_.model.Open(path, error)) {
            // The level being edited stays as it was.
            openError_ = error.empty() ? "cannot read " + path : error;
            state_.message = openError_;
            return false;
        }
        state_.Changed();
        state_.selected = {};
        state_.message = "Opened " + path;
        Remember(path);
        return true;
    }

    void SelectFirstPlate() {
        const LevelSource& level = state_.model.Level();
        for (int k = 0; k < CellCount; ++k)
            if (TileOf(level, k) == TPlate && Value(level.cells[k][KLink])) {
                state_.selected = {k % MapSize, k / MapSize};
                return;
            }
    }

    void FitMap() { map_.Fit(); }
    void RunCheck() { state_.RunCheck(); }

    // One cell of a stroke, as a drag with the Paint tool puts it.
    void PaintCell(int column, int line) {
        if (auto tool = state_.CurrentTool()) state_.Run(*Paint(column, line, *tool));
    }
    const WorldView& View() const { return view_; }

    // The window's close button: quits at once unless there is unsaved work to ask about.
    bool CloseRequested() {
        if (!state_.model.Modified()) {
            Quit();
            return true;
        }
        ask_ = Pending::Quit;
        return false;
    }

    // Whether the user quit on purpose (and so wants no autosave offered back).
    bool QuitOnPurpose() const { return quit_; }

    bool Frame() {
        ShowTitle();
        testPlay_.Poll(state_.message);
        Autosave();
        for (Shortcut shortcut : PressedShortcuts()) Press(shortcut);
        DrawMenu();
        ImGui::SetCursorPos(ImVec2(0, ImGui::GetFrameHeight()));
        const ImVec2 room = ImGui::GetContentRegionAvail();
        const float status = ImGui::GetFrameHeightWithSpacing() + 4;
        const float height = room.y - status;
        ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(6, 6));
        ImGui::BeginChild("##palette", ImVec2(PaletteWidth, height), true);
        DrawToolPalette(state_);
        ImGui::EndChild();
        ImGui::SameLine(0, 0);
        ImGui::BeginChild("##map", ImVec2(room.x - PaletteWidth - PanelWidth, height), true,
                          ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
        map_.Draw(state_);
        ImGui::EndChild();
        ImGui::SameLine(0, 0);
        ImGui::BeginGroup();
        // The 3D view stays in sight above the side panel, which scrolls on its own.
        const float viewWidth = PanelWidth - 12;
        const float viewHeight = viewWidth * 3 / 4 + ImGui::GetFrameHeightWithSpacing() + 12;
        ImGui::BeginChild("##view", ImVec2(PanelWidth, viewHeight), true,
                          ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse);
        view_.Draw(state_.model.Level(), state_.revision, viewWidth);
        ImGui::EndChild();
        ImGui::BeginChild("##panel", ImVec2(PanelWidth, height - viewHeight), true);
        if (panel_.Draw(state_)) StartTestPlay();
        ImGui::EndChild();
        ImGui::EndGroup();
        ImGui::PopStyleVar();
        DrawStatus();
        DrawPopups();
        return !quit_;
    }

  private:
    enum class Pending { None, New, Open, Quit };

    void Remember(const std::string& path) {
        if (picture_) return;
        std::error_code ignored;
        recent_ = WithRecent(recent_, fs::absolute(path, ignored).lexically_normal().string());
        SaveRecent(recent_);
    }

    bool Save(const std::string& path) {
        std::string error, written;
        if (!state_.model.Save(path, error, &written)) {
            // The file on disk is the old one, whole: the write goes through a temporary.
            state_.message = "Not saved: " + error;
            saveError_ = state_.message;
            return false;
        }
        state_.message = "Saved " + written;
        saveError_.clear();
        Remember(written);
        return true;
    }

    void SaveOrAsk() {
        // A placeholder id goes through the dialog, which offers a fresh one.
        if (state_.model.Path().empty() || state_.model.NeedsFreshId())
            StartSaveAs();
        else
            Save(state_.model.Path());
    }

    void StartSaveAs() {
        const std::string& path = state_.model.Path();
        CopyText(path_, sizeof path_, path.empty() ? "mylevel.dat" : path);
        saveError_.clear();
        freshId_ = true;
        openSaveAs_ = true;
    }

    void StartNew() {
        if (state_.model.Modified())
            ask_ = Pending::New;
        else
            NewLevel();
    }

    void StartOpen(const std::string& path = "") {
        CopyText(path_, sizeof path_, path);
        openError_.clear();
        if (state_.model.Modified()) {
            ask_ = Pending::Open;
            pendingPath_ = path;
        } else if (!path.empty()) {
            OpenFile(path);
        } else {
            openOpen_ = true;
        }
    }

    void NewLevel() {
        state_.model.New();
        state_.selected = {};
        state_.Changed();
        state_.message = "New level";
    }

    void Press(Shortcut shortcut) {
        switch (shortcut) {
        case Shortcut::Undo:
            state_.Undo();
            break;
        case Shortcut::Redo:
            state_.Redo();
            break;
        case Shortcut::Save:
            SaveOrAsk();
            break;
        case Shortcut::TestPlay:
            StartTestPlay();
            break;
        }
    }

    void StartTestPlay() { testPlay_.Start(state_.model.Level(), state_.message); }

    void Quit() { quit_ = true; }

    void ShowTitle() {
        const std::string& path = state_.model.Path();
        std::string title = Caption;
        title +=
            " - " + (path.empty() ? std::string("untitled") : fs::path(path).filename().string());
        if (state_.model.Modified()) title += " *";
        if (title != shownTitle_ && !picture_) window::SetUiWindowTitle(title);
        shownTitle_ = title;
    }

    void Autosave() {
        if (picture_ || offerAutosave_ || quit_) return;
        const Model& model = state_.model;
        const double now =
            std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
                .count();
        if (!model.Modified()) lastAutosave_ = now; // the first change waits a full interval
        switch (NextAutosave(model.Modified(), autosaveExists_, now - lastAutosave_)) {
        case AutosaveAction::Write:
            if (WriteAutosave(model.Level())) autosaveExists_ = true;
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

    void DrawMenu() {
        if (!ImGui::BeginMainMenuBar()) return;
        if (ImGui::BeginMenu("File")) {
            if (ImGui::MenuItem("New")) StartNew();
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
            const Model& model = state_.model;
            if (ImGui::MenuItem("Undo", "Ctrl+Z", false, model.UndoSteps() > 0)) state_.Undo();
            if (ImGui::MenuItem("Redo", "Ctrl+Y", false, model.RedoSteps() > 0)) state_.Redo();
            ImGui::EndMenu();
        }
        if (ImGui::BeginMenu("Level")) {
            if (ImGui::MenuItem("Check")) state_.RunCheck();
            if (ImGui::MenuItem("Test Play", "F5", false, !testPlay_.Playing())) StartTestPlay();
            ImGui::EndMenu();
        }
        ImGui::EndMainMenuBar();
    }

    void DrawStatus() {
        ImGui::SetCursorPosX(6);
        ImGui::SetCursorPosY(ImGui::GetCursorPosY() + 2);
        std::string line;
        if (const CellAt hovered = map_.Hovered(); hovered.Valid()) {
            const LevelSource& level = state_.model.Level();
            auto cell = [&](CellKey key) { return level.Cell(hovered.column, hovered.line, key); };
            auto named = [&](CellKey key) {
                const std::string name = ToolNameOf(key, cell(key));
                return name.empty() ? cell(key) : name + " (" + cell(key) + ")";
            };
            line = "Column " + std::to_string(hovered.column) + ", line " +
                   std::to_string(hovered.line) + ": tile " + named(KTile) + ", creature " +
                   named(KCreature) + ", item " + named(KItem) + ", link " + cell(KLink) +
                   ", period " + cell(KPeriod) + ", phase " + cell(KPhase) + ", design " +
                   cell(KDesign);
        } else {
            line = state_.message;
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
                if (state_.model.OpenRecovered(AutosavePath(), error))
                    state_.Changed(), state_.message = "Restored the unsaved level";
                else
                    state_.message = "Cannot restore: " + error;
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
            const std::string& path = state_.model.Path();
            // A placeholder id is offered a fresh one in Save As, not here.
            const bool canSave = !path.empty() && !state_.model.NeedsFreshId();
            if (canSave && ImGui::Button("Save")) {
                if (Save(path)) Proceed();
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
            if (!openError_.empty()) ImGui::TextColored(ErrorColour, "%s", openError_.c_str());
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
            if (state_.model.NeedsFreshId()) {
                // Levels with the id 0 share one times file and one mark in players' lists.
                ImGui::Checkbox("Give the level a fresh id", &freshId_);
                ImGui::TextDisabled("Its id is \"%s\", shared by every level without one.",
                                    state_.model.Level().header[HId].c_str());
            }
            if (!saveError_.empty()) ImGui::TextColored(ErrorColour, "%s", saveError_.c_str());
            if (ImGui::Button("Save") || enter) {
                if (freshId_ && state_.model.NeedsFreshId())
                    state_.Run(*SetProperty("id", FreshId()));
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
    EditorState state_;
    MapPanel map_;
    SidePanel panel_;
    WorldView view_;
    TestPlay testPlay_;
    std::string openError_, saveError_, shownTitle_, pendingPath_;
    std::vector<std::string> recent_;
    Pending ask_ = Pending::None;
    bool openOpen_ = false, openSaveAs_ = false, openNow_ = false, quit_ = false;
    bool offerAutosave_ = false, autosaveExists_ = false;
    bool freshId_ = true; // Save As gives a placeholder id a fresh one
    double lastAutosave_ = 0;
    char path_[512] = {}; // the file field of Open and Save As
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

// The window on a desktop: no larger than the screen's usable area, switching to full
// screen on F11 or Alt+Enter.
window::UiWindowRequest DesktopRequest() {
    window::UiWindowRequest request = EditorRequest();
    request.fitUsableArea = true;
    request.fullScreenKeys = true;
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
    window::UiWindowRequest request = DesktopRequest();
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

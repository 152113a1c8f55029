#include "startup/setupwindow.h"

#include "engine/dgraphics.h"
#include "engine/settings.h"
#include "platform/files.h"
#include "platform/gpu/gl_device.h"
#include "platform/uiwindow.h"
#include "platform/window.h"
#include "platform/window_desktop.h"
#include "startup/manualopener.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "startup/userfolder.h"

#include <imgui.h>

#include <cstdio>

namespace {

constexpr const char* DialogCaption = "Tarnhollow - Setup";
constexpr int ClientWidth = 318, ClientHeight = 370;
constexpr const char* FontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* BoldFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr int BoldFont = 1;
constexpr const char* EditorProgram = "tarnhollow-editor";
constexpr const char* NoEditorTip = "The level editor is not installed.";

tmanualopener manualOpener;

int32_t FormatNumber(const window::DisplayMode& mode) {
    if (mode.bitsPerPixel == 16) return kColour16;
    return mode.bytesPerPixel == 4 ? kColour32 : 20; // 20: packed 24-bit
}

tdisplaymode DialogMode(const window::DisplayMode& mode) {
    return {mode.width, mode.height, mode.refreshRate, FormatNumber(mode)};
}

window::UiWindowRequest DialogWindow() {
    window::UiWindowRequest request;
    request.title = DialogCaption;
    request.width = ClientWidth;
    request.height = ClientHeight;
    request.fonts = {{FontFile, 11}, {BoldFontFile, 11}};
    return request;
}

// The small pictures on the buttons, drawn rather than loaded.
enum class Icon { Bricks, Book, Play };

void DrawIcon(ImDrawList* draw, ImVec2 at, Icon icon, bool enabled) {
    const ImU32 ink = enabled ? IM_COL32(60, 60, 60, 255) : IM_COL32(160, 160, 160, 255);
    switch (icon) {
    case Icon::Bricks: {
        const ImU32 brick = enabled ? IM_COL32(190, 90, 50, 255) : IM_COL32(200, 190, 185, 255);
        for (int row = 0; row < 3; ++row) {
            const float shift = row % 2 ? 5.0f : 0.0f;
            for (int col = 0; col < 2; ++col) {
                const ImVec2 a(at.x + shift + col * 10.0f, at.y + row * 7.0f);
                draw->AddRectFilled(a, ImVec2(a.x + 9, a.y + 6), brick);
                draw->AddRect(a, ImVec2(a.x + 9, a.y + 6), ink);
            }
        }
        break;
    }
    case Icon::Book:
        draw->AddRectFilled(at, ImVec2(at.x + 18, at.y + 20), IM_COL32(40, 80, 160, 255));
        draw->AddRectFilled(ImVec2(at.x + 4, at.y + 3), ImVec2(at.x + 16, at.y + 17),
                            IM_COL32(250, 250, 240, 255));
        for (int line = 0; line < 4; ++line)
            draw->AddLine(ImVec2(at.x + 6, at.y + 6 + line * 3.0f),
                          ImVec2(at.x + 14, at.y + 6 + line * 3.0f), ink);
        break;
    case Icon::Play:
        draw->AddTriangleFilled(at, ImVec2(at.x + 18, at.y + 10), ImVec2(at.x, at.y + 20),
                                enabled ? IM_COL32(40, 150, 60, 255)
                                        : IM_COL32(170, 190, 170, 255));
        break;
    }
}

// A button with a picture left of its text; true when clicked.
bool PictureButton(const char* id, const char* text, float x, float y, float w, float h, Icon icon,
                   bool enabled) {
    ImGui::SetCursorPos(ImVec2(x, y));
    if (!enabled) ImGui::BeginDisabled();
    const bool clicked = ImGui::Button(id, ImVec2(w, h));
    if (!enabled) ImGui::EndDisabled();
    const ImVec2 min = ImGui::GetItemRectMin();
    ImDrawList* draw = ImGui::GetWindowDrawList();
    DrawIcon(draw, ImVec2(min.x + 12, min.y + h / 2 - 10), icon, enabled);
    const ImVec2 size = ImGui::CalcTextSize(text);
    const float textX = min.x + 36 + (w - 36 - size.x) / 2;
    draw->AddText(ImVec2(textX, min.y + (h - size.y) / 2),
                  ImGui::GetColorU32(enabled ? ImGuiCol_Text : ImGuiCol_TextDisabled), text);
    return clicked;
}

void BoldLabel(const char* text, float x, float y) {
    ImGui::SetCursorPos(ImVec2(x, y));
    ImFont* bold = ImGui::GetIO().Fonts->Fonts.Size > BoldFont
                       ? ImGui::GetIO().Fonts->Fonts[BoldFont]
                       : nullptr;
    if (bold) ImGui::PushFont(bold);
    ImGui::TextUnformatted(text);
    if (bold) ImGui::PopFont();
}

// A fixed drop-down list; returns the newly picked index or -1.
int DropDown(const char* id, const std::vector<std::string>& items, int selected, float x,
             float y) {
    ImGui::SetCursorPos(ImVec2(x, y));
    ImGui::SetNextItemWidth(297);
    int picked = -1;
    const char* preview =
        selected >= 0 && selected < static_cast<int>(items.size()) ? items[selected].c_str() : "";
    if (ImGui::BeginCombo(id, preview)) {
        for (int i = 0; i < static_cast<int>(items.size()); ++i) {
            ImGui::PushID(i);
            if (ImGui::Selectable(items[i].c_str(), i == selected)) picked = i;
            if (i == selected) ImGui::SetItemDefaultFocus();
            ImGui::PopID();
        }
        ImGui::EndCombo();
    }
    return picked;
}

void ShowDialogMessage(tsetupdialog& dialog) {
    const std::string message = dialog.TakeMessage();
    if (!message.empty()) ShowMessage(message, MessageIcon::Error);
}

// One frame of the dialog. Returns true once "Start the Game" has been accepted.
bool DrawDialog(tsetupdialog& dialog, tsetupresult& result) {
    // The level editor is a program of its own beside this one; the dialog stays open.
    const std::string editor = files::ProgramFolder() + EditorProgram;
    const bool haveEditor = files::Exists(editor);
    if (PictureButton("##create", "Create Levels", 8, 16, 145, 41, Icon::Bricks, haveEditor))
        window::OpenProgram(editor, {});
    if (!haveEditor && ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenDisabled))
        ImGui::SetTooltip("%s", NoEditorTip);
    std::string manualMessage = manualOpener.Poll();
    if (PictureButton("##manual", "Read the Manual", 160, 16, 145, 41, Icon::Book, true))
        // The game folder, not the program's: installed, the manual sits with the data.
        manualMessage = manualOpener.Open(GameFolderOf(files::ProgramFolder()) + "manual.pdf");
    if (!manualMessage.empty()) ShowMessage(manualMessage, MessageIcon::Information);

    // The band under the top buttons holds the game's own choices, one line each.
    ImGui::SetCursorPos(ImVec2(8, 66));
    bool smooth = settings.SmoothPicture != 0;
    if (ImGui::Checkbox("Smooth picture", &smooth)) settings.SmoothPicture = smooth ? 1 : 0;
    ImGui::SetCursorPos(ImVec2(8, 92));
    ImGui::Checkbox("Ghost of your best run", &settings.GhostRuns);

    const ImVec2 origin = ImGui::GetWindowPos();
    ImDrawList* draw = ImGui::GetWindowDrawList();
    draw->AddLine(ImVec2(origin.x + 8, origin.y + 120), ImVec2(origin.x + 305, origin.y + 120),
                  IM_COL32(160, 160, 160, 255));
    draw->AddLine(ImVec2(origin.x + 8, origin.y + 121), ImVec2(origin.x + 305, origin.y + 121),
                  IM_COL32(255, 255, 255, 255));

    BoldLabel("Adapter", 8, 128);
    if (int i = DropDown("##adapter", dialog.Adapters(), dialog.Adapter(), 8, 144); i >= 0)
        dialog.AdapterChanged(i);
    BoldLabel("Display Mode", 8, 176);
    if (int i = DropDown("##mode", dialog.Modes(), dialog.Mode(), 8, 192); i >= 0)
        dialog.ModeChanged(i);
    BoldLabel("Depth Buffering Mode", 8, 224);
    if (int i = DropDown("##depth", dialog.Depths(), dialog.Depth(), 8, 240); i >= 0)
        dialog.DepthChanged(i);
    BoldLabel("Texture size", 8, 272);
    if (int i = DropDown("##texture", dialog.Textures(), dialog.Texture(), 8, 288); i >= 0)
        dialog.TextureChanged(i);
    ShowDialogMessage(dialog);

    // The default button: Enter presses it unless a list is open.
    const bool enabled = dialog.StartEnabled();
    bool start = PictureButton("##start", "Start the Game", 160, 320, 145, 41, Icon::Play, enabled);
    if (enabled) // the default button's darker frame
        ImGui::GetWindowDrawList()->AddRect(ImGui::GetItemRectMin(), ImGui::GetItemRectMax(),
                                            IM_COL32(40, 40, 40, 255));
    if (enabled && !ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId) &&
        (ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_Enter)) ||
         ImGui::IsKeyPressed(ImGui::GetKeyIndex(ImGuiKey_KeyPadEnter))))
        start = true;
    if (!start) return false;
    std::string error;
    if (dialog.Start(result, error)) return true;
    ShowMessage(error, MessageIcon::Error);
    return false;
}

} // namespace

tsetuphardware GatherSetupHardware() {
    tsetuphardware hardware;
    const int count = window::DisplayCount();
    for (int d = 0; d < count; ++d) {
        tsetupdisplay display;
        display.name = window::DisplayName(d);
        if (display.name.empty()) display.name = "Display " + std::to_string(d + 1);
        for (const window::DisplayMode& mode : window::AllDisplayModes(d))
            display.modes.push_back(DialogMode(mode));
        window::DisplayMode desktop;
        if (window::CurrentDisplayMode(d, desktop)) {
            display.desktopWidth = desktop.width;
            display.desktopHeight = desktop.height;
            display.desktopFormat = FormatNumber(desktop);
            // Some drivers (the offscreen one) list no modes at all: offer the desktop's.
            if (display.modes.empty()) display.modes.push_back(DialogMode(desktop));
        }
        hardware.displays.push_back(std::move(display));
    }
    gpu::DriverCaps caps;
    if (gpu::QueryDriverCaps(caps)) {
        hardware.maxTextureWidth = hardware.maxTextureHeight = caps.maxTextureSize;
        for (int format : {kDepthD24S8, kDepthD24X4S4, kDepthD15S1, kDepthD32, kDepthD24X8})
            if (DepthFormatSupported(format, caps)) hardware.depthFormats.push_back(format);
    }
    return hardware;
}

bool RunSetupDialog(tsetupdialog& dialog, tsetupresult& result) {
    bool started = false;
    auto activated = [&] {
        dialog.Activate(files::Exists(files::HomePath(SettingsFileName)));
        ShowDialogMessage(dialog);
    };
    const bool shown = window::RunUiWindow(DialogWindow(), activated, [&] {
        started = DrawDialog(dialog, result);
        return !started;
    });
    if (!shown)
        std::fprintf(stderr,
                     "%s: the setup dialog could not be opened (no display or no "
                     "OpenGL 3.3); --skip-setup starts with the saved choice.\n",
                     ApplicationTitle);
    return started;
}

bool DrawSetupDialogPicture(tsetupdialog& dialog, const std::string& pngFile) {
    tsetupresult unused;
    return window::DrawUiPicture(
        DialogWindow(),
        [&] {
            DrawDialog(dialog, unused);
            return true;
        },
        pngFile);
}

#include "worldview.h"

#include "platform/files.h"
#include "platform/uiwindow.h"
#include "render/object3d.h"
#include "render/sprites.h"
#include "render/textures.h"
#include "startup/assetloading.h"
#include "startup/settings.h"
#include "world/tables.h"
#include "worldfill.h"

#include <imgui.h>

#include <chrono>
#include <cmath>

namespace editor {
namespace {

// About the size the view is shown at; the picture keeps the game's 4:3 screen shape and is
// stretched to it as the game stretches its picture.
constexpr int PictureWidth = 400, PictureHeight = 300;

// SDL scan codes, which the SDL back end hands ImGui as key indices.
constexpr int KeyA = 4, KeyD = 7, KeyH = 11, KeyS = 22, KeyW = 26, KeyMinus = 45, KeyEquals = 46,
              KeyPadMinus = 86, KeyPadPlus = 87;

// What a key does to the camera while the view has the focus: one step per press (and per
// repeat of a held key).
struct KeyStep {
    int key; // -1: the ImGui key below
    ImGuiKey_ named;
    float yaw, pitch, right, ahead, zoom;
};
constexpr float TurnStep = 0.08f, PanStep = 0.5f, ZoomStep = 0.9f;
constexpr KeyStep KeySteps[] = {
    {-1, ImGuiKey_LeftArrow, TurnStep, 0, 0, 0, 1},
    {-1, ImGuiKey_RightArrow, -TurnStep, 0, 0, 0, 1},
    {-1, ImGuiKey_UpArrow, 0, TurnStep, 0, 0, 1},
    {-1, ImGuiKey_DownArrow, 0, -TurnStep, 0, 0, 1},
    {KeyA, ImGuiKey_COUNT, 0, 0, -PanStep, 0, 1},
    {KeyD, ImGuiKey_COUNT, 0, 0, PanStep, 0, 1},
    {KeyW, ImGuiKey_COUNT, 0, 0, 0, PanStep, 1},
    {KeyS, ImGuiKey_COUNT, 0, 0, 0, -PanStep, 1},
    {KeyEquals, ImGuiKey_COUNT, 0, 0, 0, 0, ZoomStep},
    {KeyPadPlus, ImGuiKey_COUNT, 0, 0, 0, 0, ZoomStep},
    {KeyMinus, ImGuiKey_COUNT, 0, 0, 0, 0, 1 / ZoomStep},
    {KeyPadMinus, ImGuiKey_COUNT, 0, 0, 0, 0, 1 / ZoomStep},
};

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

bool WorldView::Start() {
    window::Window* window = window::CurrentUiWindow();
    if (!window) return problem_ = "No window to draw the 3D view in.", false;
    std::unique_ptr<gpu::Device> device = picture_.Open(*window, PictureWidth, PictureHeight);
    if (!device) return problem_ = "The 3D view needs OpenGL 3.3.", false;
    // Freed while the window's GL context is still there.
    window::AtUiWindowClose([this] { Release(); });
    picture_.BeginDrawing();
    services_.graphics = std::make_unique<TDGraphics>();
    services_.graphics->UseDevice(std::move(device), kDepthD24S8);
    SetModelDevice(services_.graphics->Device(), false);
    // The first group holds the hero's models, so the world's model numbers start where the
    // game's do; its pictures come along in a sprite batch nobody draws.
    services_.sprites = std::make_unique<td2dsprites>(services_.graphics->Device());
    tassetloading loading;
    const bool loaded = LoadAssetGroup(services_, AssetGroup::BeforeIntro, loading) &&
                        LoadAssetGroup(services_, AssetGroup::Models, loading);
    picture_.EndDrawing();
    if (!loaded) {
        Release();
        return problem_ = "The game's models cannot be loaded (" + loading.context + ").", false;
    }
    // The hero's view stands where the player's zoom puts the game's camera.
    ApplySettingsDocument(files::HomePath(SettingsFileName));
    return true;
}

void WorldView::Release() {
    if (!services_.graphics && !picture_.IsOpen()) return;
    ClearWorld(); // the creatures hold models
    Models().Clear();
    Textures().Clear();
    SetModelDevice(nullptr, false);
    services_.Release();
    picture_.Close();
    started_ = false;
    shownRevision_ = -1;
    stale_ = true;
}

void WorldView::Refill(const levelkit::LevelSource& level, long revision) {
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    filled_ = FillWorld(level, error);
    problem_ = filled_ ? "" : "The game refuses this level: " + error;
    refillMs_ = MillisecondsSince(start);
    shownRevision_ = revision;
    stale_ = true;
    if (level.header[levelkit::HId] != shownId_) {
        shownId_ = level.header[levelkit::HId];
        HeroView();
    }
}

void WorldView::HeroView() {
    camera_ = editor::HeroView();
    stale_ = true;
}

void WorldView::Steer(bool hovered, bool active) {
    const ImGuiIO& io = ImGui::GetIO();
    const ViewCamera before = camera_;
    if (hovered && io.MouseWheel != 0) Zoom(camera_, std::pow(0.9f, io.MouseWheel));
    if (active && ImGui::IsMouseDragging(ImGuiMouseButton_Left, 0))
        Orbit(camera_, -io.MouseDelta.x * 0.01f, io.MouseDelta.y * 0.01f);
    if (active && (ImGui::IsMouseDragging(ImGuiMouseButton_Right, 0) ||
                   ImGui::IsMouseDragging(ImGuiMouseButton_Middle, 0)))
        Pan(camera_, -io.MouseDelta.x * 0.03f, io.MouseDelta.y * 0.03f);
    // The keys belong to the view from a click on it until a click elsewhere.
    if (ImGui::IsMouseClicked(ImGuiMouseButton_Left) || ImGui::IsMouseClicked(1))
        focused_ = hovered;
    if (focused_ && !io.WantTextInput && !io.KeyCtrl && !io.KeyAlt) {
        for (const KeyStep& step : KeySteps) {
            const int key = step.key >= 0 ? step.key : ImGui::GetKeyIndex(step.named);
            if (!ImGui::IsKeyPressed(key)) continue;
            Orbit(camera_, step.yaw, step.pitch);
            Pan(camera_, step.right, step.ahead);
            Zoom(camera_, step.zoom);
        }
        if (ImGui::IsKeyPressed(KeyH)) HeroView();
    }
    for (int i = 0; i < 3; ++i)
        if (camera_.eye[i] != before.eye[i] || camera_.at[i] != before.at[i]) stale_ = true;
}

void WorldView::Draw(const levelkit::LevelSource& level, long revision, float width) {
    if (!started_ && !picture_.IsOpen() && problem_.empty()) started_ = Start();
    if (!started_) {
        ImGui::TextWrapped("%s", problem_.c_str());
        return;
    }
    if (revision != shownRevision_) Refill(level, revision);

    const ImVec2 size(width, width * PictureHeight / PictureWidth);
    ImGui::BeginChild("##view3d", size, false,
                      ImGuiWindowFlags_NoScrollWithMouse | ImGuiWindowFlags_NoScrollbar);
    const ImVec2 at = ImGui::GetCursorScreenPos();
    ImGui::InvisibleButton("##scene", size,
                           ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonRight |
                               ImGuiButtonFlags_MouseButtonMiddle);
    Steer(ImGui::IsItemHovered(), ImGui::IsItemActive());
    if (stale_) {
        const auto start = std::chrono::steady_clock::now();
        picture_.BeginDrawing();
        DrawScene(*services_.graphics, camera_);
        picture_.EndDrawing();
        drawMs_ = MillisecondsSince(start);
        stale_ = false;
    }
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const ImVec2 end(at.x + size.x, at.y + size.y);
    draw->AddImage(picture_.Texture(), at, end, ImVec2(0, 1), ImVec2(1, 0));
    if (focused_) draw->AddRect(at, end, IM_COL32(255, 200, 40, 255), 0, 0, 2);
    if (!filled_) {
        ImGui::SetCursorScreenPos(ImVec2(at.x + 8, at.y + 8));
        ImGui::PushTextWrapPos(size.x - 8);
        ImGui::TextColored(ImVec4(1, 0.4f, 0.3f, 1), "%s", problem_.c_str());
        ImGui::PopTextWrapPos();
    }
    ImGui::EndChild();
    if (ImGui::Button("Hero's View")) HeroView();
    ImGui::SameLine();
    ImGui::TextDisabled("(?)");
    if (ImGui::IsItemHovered())
        ImGui::SetTooltip("Drag: turn about the point looked at\n"
                          "Right or middle drag: move along the ground\n"
                          "Wheel: nearer or farther\n"
                          "After a click on the view: arrows turn, W A S D move,\n"
                          "+ and - zoom, H the hero's view");
}

} // namespace editor

#pragma once
// An ImGui context without a window or a renderer: the editor's panels are drawn into it
// frame by frame, with the mouse and keys set by the test.
#include <imgui.h>

#include <functional>

namespace editortest {

class HeadlessUi {
  public:
    explicit HeadlessUi(ImVec2 size = ImVec2(1280, 800)) : context_(ImGui::CreateContext()) {
        ImGuiIO& io = ImGui::GetIO();
        io.DisplaySize = size;
        io.IniFilename = nullptr;
        io.LogFilename = nullptr;
        unsigned char* pixels = nullptr;
        int width = 0, height = 0;
        io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    }
    ~HeadlessUi() { ImGui::DestroyContext(context_); }
    HeadlessUi(const HeadlessUi&) = delete;
    HeadlessUi& operator=(const HeadlessUi&) = delete;

    // One frame: `draw` inside a window filling the display, without padding, at (0, 0).
    void Frame(const std::function<void()>& draw) {
        ImGuiIO& io = ImGui::GetIO();
        io.DeltaTime = 1.0f / 60;
        ImGui::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(0, 0));
        ImGui::SetNextWindowSize(io.DisplaySize);
        ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
        ImGui::Begin("##test", nullptr, ImGuiWindowFlags_NoDecoration);
        draw();
        ImGui::End();
        ImGui::PopStyleVar();
        ImGui::Render();
    }

    void MoveTo(ImVec2 at, const std::function<void()>& draw) {
        ImGui::GetIO().MousePos = at;
        Frame(draw);
    }

    // A left click at `at`: the pointer arrives, the button goes down, then up.
    void Click(ImVec2 at, const std::function<void()>& draw) {
        ImGuiIO& io = ImGui::GetIO();
        MoveTo(at, draw);
        io.MouseDown[0] = true;
        Frame(draw);
        io.MouseDown[0] = false;
        Frame(draw);
    }

  private:
    ImGuiContext* context_;
};

} // namespace editortest

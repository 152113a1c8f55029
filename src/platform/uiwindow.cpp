#include "platform/uiwindow.h"

#include "platform/keys.h"
#include "platform/window.h"
#include "platform/window_sdl.h"

#include <SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <epoxy/gl.h>
#include <imgui.h>
#include <imgui_freetype.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace window {
namespace {

// The SDL window, its GL context and the ImGui context, torn down in reverse.
class UiSession {
  public:
    bool Open(const UiWindowRequest& request, bool hidden) {
        // Opened hidden, so it never counts as the game's window for message boxes.
        WindowRequest place;
        place.width = request.width;
        place.height = request.height;
        place.hidden = true;
        place.resizable = request.resizable;
        SDL_Rect usable{};
        const bool fit = request.fitUsableArea && StartVideo() &&
                         SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 &&
                         usable.h > 0;
        if (fit) {
            const UiSize size =
                FitWindowSize({request.width, request.height}, {usable.w, usable.h});
            place.width = size.width;
            place.height = size.height;
        }
        if (window_.Open(place) != OpenResult::Ok) return false;
        sdlWindow_ = SdlWindowOf(window_);
        SDL_SetWindowTitle(sdlWindow_, request.title.c_str());
        if (fit)
            SDL_SetWindowPosition(sdlWindow_, usable.x + (usable.w - place.width) / 2,
                                  usable.y + (usable.h - place.height) / 2);
        fullScreenKeys_ = request.fullScreenKeys;
        if (!hidden) SDL_ShowWindow(sdlWindow_);
        SDL_GL_SetSwapInterval(1);
        current = this;

        IMGUI_CHECKVERSION();
        imgui_ = ImGui::CreateContext();
        ImGuiIO& io = ImGui::GetIO();
        io.IniFilename = nullptr; // a dialog keeps no layout file
        io.LogFilename = nullptr;
        io.Fonts->FontBuilderIO = ImGuiFreeType::GetBuilderForFreeType();
        for (const UiFontFile& font : request.fonts) {
            FILE* probe = std::fopen(font.path.c_str(), "rb");
            if (probe) {
                std::fclose(probe);
                io.Fonts->AddFontFromFileTTF(font.path.c_str(), font.size);
            } else {
                ImFontConfig config;
                config.SizePixels = font.size;
                io.Fonts->AddFontDefault(&config);
            }
        }
        ImGui::StyleColorsLight();
        backendsUp_ = ImGui_ImplSDL2_InitForOpenGL(sdlWindow_, GlContextOf(window_)) &&
                      ImGui_ImplOpenGL3_Init("#version 330 core");
        return backendsUp_;
    }

    ~UiSession() {
        for (const auto& closing : closing_) closing();
        if (imgui_) {
            if (backendsUp_) {
                ImGui_ImplOpenGL3_Shutdown();
                ImGui_ImplSDL2_Shutdown();
            }
            ImGui::DestroyContext(imgui_);
        }
        if (current == this) current = nullptr;
    }

    // One frame: the caller's widgets inside a borderless window filling the client area.
    bool Frame(const UiFrame& frame) {
        ImGui_ImplOpenGL3_NewFrame();
        ImGui_ImplSDL2_NewFrame();
        // The back end reads the pointer from SDL's global mouse state, which X servers
        // without raw motion events (a virtual one driven by XTEST) leave standing while a
        // button is held: a drag would never move. The window's own motion events say where
        // the pointer is in any case.
        if (pointerKnown_) ImGui::GetIO().MousePos = pointer_;
        ImGui::NewFrame();
        const ImGuiViewport* viewport = ImGui::GetMainViewport();
        ImGui::SetNextWindowPos(viewport->Pos);
        ImGui::SetNextWindowSize(viewport->Size);
        ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
        ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0);
        ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0);
        ImGui::Begin("##dialog", nullptr,
                     ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                         ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoBringToFrontOnFocus);
        ImGui::PopStyleVar(3);
        const bool keepOpen = frame();
        ImGui::End();
        ImGui::Render();
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(sdlWindow_, &w, &h);
        // A device drawing in this context (uidevice.h) may have left its framebuffer bound.
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, w, h);
        const ImVec4 back = ImGui::GetStyle().Colors[ImGuiCol_WindowBg];
        glClearColor(back.x, back.y, back.z, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
        return keepOpen;
    }

    void Show() { SDL_GL_SwapWindow(sdlWindow_); }

    bool WritePng(const std::string& file) {
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(sdlWindow_, &w, &h);
        std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
        // GL's rows run bottom to top.
        stbi_flip_vertically_on_write(1);
        return stbi_write_png(file.c_str(), w, h, 4, pixels.data(), w * 4) != 0;
    }

    Uint32 WindowId() const { return SDL_GetWindowID(sdlWindow_); }

    void Event(const SDL_Event& event) {
        if (fullScreenKeys_ && (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) &&
            input::IsFullScreenKey(event.key.keysym.scancode,
                                   (event.key.keysym.mod & KMOD_ALT) != 0)) {
            // The key is the window's: the widgets never see it (Alt+Enter is no Enter).
            if (event.type == SDL_KEYDOWN && !event.key.repeat) ToggleFullScreen();
            return;
        }
        ImGui_ImplSDL2_ProcessEvent(&event);
        if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
            // The back end takes the modifiers SDL holds after every queued event (a fast
            // Ctrl+Z has let Ctrl go by then); the event's own say what was held with it.
            ImGuiIO& io = ImGui::GetIO();
            const Uint16 mod = event.key.keysym.mod;
            io.KeyCtrl = (mod & KMOD_CTRL) != 0;
            io.KeyShift = (mod & KMOD_SHIFT) != 0;
            io.KeyAlt = (mod & KMOD_ALT) != 0;
            io.KeySuper = (mod & KMOD_GUI) != 0;
        }
        if (event.type == SDL_MOUSEMOTION && event.motion.windowID == WindowId()) {
            pointer_ = ImVec2(float(event.motion.x), float(event.motion.y));
            pointerKnown_ = true;
        }
        if (event.type == SDL_WINDOWEVENT && event.window.windowID == WindowId() &&
            event.window.event == SDL_WINDOWEVENT_LEAVE)
            pointerKnown_ = false;
    }

    // The session being drawn, for a device that shares its window's context.
    static inline UiSession* current = nullptr;
    Window window_{"ui"};
    std::vector<std::function<void()>> closing_; // run before the context goes

  private:
    // Full screen covers the desktop at its own size; the mode is never switched.
    void ToggleFullScreen() {
        const bool full = (SDL_GetWindowFlags(sdlWindow_) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
                          SDL_WINDOW_FULLSCREEN_DESKTOP;
        SDL_SetWindowFullscreen(sdlWindow_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    }

    SDL_Window* sdlWindow_ = nullptr;
    bool fullScreenKeys_ = false;
    ImGuiContext* imgui_ = nullptr;
    ImVec2 pointer_;
    bool pointerKnown_ = false;
    bool backendsUp_ = false;
};

} // namespace

UiSize FitWindowSize(UiSize wanted, UiSize area) {
    // Room for the title bar and borders a window manager adds around the client area.
    constexpr int FrameWidth = 16, FrameHeight = 48;
    constexpr int SmallestWidth = 640, SmallestHeight = 480;
    auto fit = [](int want, int room, int frame, int smallest) {
        return std::max(std::min(want, room - frame), std::min({smallest, want, room}));
    };
    return {fit(wanted.width, area.width, FrameWidth, SmallestWidth),
            fit(wanted.height, area.height, FrameHeight, SmallestHeight)};
}

UiQueuedEvent UiQueuedOf(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
        return {UiEventKind::KeyDown, event.key.keysym.scancode};
    case SDL_KEYUP:
        return {UiEventKind::KeyUp, event.key.keysym.scancode};
    case SDL_MOUSEBUTTONDOWN:
        return {UiEventKind::ButtonDown, event.button.button};
    case SDL_MOUSEBUTTONUP:
        return {UiEventKind::ButtonUp, event.button.button};
    default:
        return {};
    }
}

void QueueUiEvent(std::deque<SDL_Event>& queue, const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN && event.key.repeat) {
        SDL_Event release = event;
        release.type = SDL_KEYUP;
        release.key.state = SDL_RELEASED;
        release.key.repeat = 0;
        queue.push_back(release);
    }
    // The press keeps its mark: a held F11 switches full screen once.
    queue.push_back(event);
}

size_t UiEventsForOneFrame(const std::vector<UiQueuedEvent>& queued) {
    std::vector<int> keysChanged;
    bool keyWentDown = false;
    size_t taken = 0;
    for (const UiQueuedEvent& event : queued) {
        const bool key = event.kind == UiEventKind::KeyDown || event.kind == UiEventKind::KeyUp;
        if (event.kind == UiEventKind::ButtonUp && taken > 0) break;
        if (key &&
            std::find(keysChanged.begin(), keysChanged.end(), event.control) != keysChanged.end())
            break;
        // A key let go after another went down waits: Ctrl let go right after S would take
        // the Ctrl out of Ctrl+S.
        if (event.kind == UiEventKind::KeyUp && keyWentDown) break;
        ++taken;
        if (key) keysChanged.push_back(event.control);
        keyWentDown |= event.kind == UiEventKind::KeyDown;
        if (event.kind == UiEventKind::ButtonDown) break;
    }
    return taken;
}

bool RunUiWindow(const UiWindowRequest& request, const std::function<void()>& activated,
                 const UiFrame& frame) {
    UiSession session;
    if (!session.Open(request, false)) return false;
    if (activated) activated();
    bool open = true;
    int busyFrames = 2;
    // Events wait here until a frame takes them (UiEventsForOneFrame): a quick tap reaches
    // the widgets as a press in one frame and a release in the next.
    std::deque<SDL_Event> queued;
    std::vector<UiQueuedEvent> kinds;
    while (open) {
        // Sleep until something happens; ImGui needs a couple of frames after each event to
        // settle hover and pressed states.
        SDL_Event event;
        if (queued.empty() &&
            (busyFrames > 0 ? SDL_PollEvent(&event) : SDL_WaitEventTimeout(&event, 250)))
            QueueUiEvent(queued, event);
        while (SDL_PollEvent(&event)) QueueUiEvent(queued, event);
        kinds.clear();
        for (const SDL_Event& waiting : queued) kinds.push_back(UiQueuedOf(waiting));
        const size_t take = UiEventsForOneFrame(kinds);
        for (size_t k = 0; k < take && open; ++k) {
            event = queued.front();
            queued.pop_front();
            busyFrames = 2;
            session.Event(event);
            const bool closing =
                event.type == SDL_QUIT ||
                (event.type == SDL_WINDOWEVENT && event.window.windowID == session.WindowId() &&
                 event.window.event == SDL_WINDOWEVENT_CLOSE);
            if (closing && (!request.closeRequested || request.closeRequested())) open = false;
            if (event.type == SDL_WINDOWEVENT && event.window.windowID == session.WindowId()) {
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED && activated) activated();
            }
        }
        if (!open) break;
        --busyFrames;
        open = session.Frame(frame);
        session.Show();
    }
    return true;
}

Window* CurrentUiWindow() {
    return UiSession::current ? &UiSession::current->window_ : nullptr;
}

void AtUiWindowClose(std::function<void()> closing) {
    if (UiSession::current) UiSession::current->closing_.push_back(std::move(closing));
}

void SetUiWindowTitle(const std::string& title) {
    if (SDL_Window* shown = SDL_GL_GetCurrentWindow()) SDL_SetWindowTitle(shown, title.c_str());
}

bool DrawUiPicture(const UiWindowRequest& request, const UiFrame& frame, const std::string& pngFile,
                   int frames) {
    UiSession session;
    if (!session.Open(request, true)) return false;
    // The first frames lay the widgets out; the picture is taken from a settled one.
    frames = std::max(frames, 3);
    for (int i = 0; i < frames; ++i) {
        session.Frame(frame);
        if (i < frames - 1) session.Show();
    }
    return pngFile.empty() || session.WritePng(pngFile);
}

} // namespace window

#include "platform/window.h"

#include "platform/inputsource.h"
#include "platform/keys.h"
#include "platform/window_sdl.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>

namespace window {

struct Window::Handles {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    int display = 0;
    int windowedWidth = 0, windowedHeight = 0; // the size to go back to from full screen
};

// The one game window that is open, for message boxes to sit on.
static SDL_Window* openGameWindow = nullptr;
// The window that takes F11 and Alt+Enter from the input system's events.
static Window* switchingWindow = nullptr;

static void SwitchingWindowEvent(const SDL_Event& event) {
    if (switchingWindow) HandleFullscreenKeys(*switchingWindow, event);
}

bool HandleFullscreenKeys(Window& window, const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN) return false;
    if (!input::IsFullScreenKey(event.key.keysym.scancode, (event.key.keysym.mod & KMOD_ALT) != 0))
        return false;
    if (!event.key.repeat) window.FullscreenKeyPressed();
    return true;
}

SDL_Window* OpenGameWindow() {
    return openGameWindow;
}

SDL_Window* SdlWindowOf(const Window& window) {
    return window.PlatformHandles().window;
}

void* GlContextOf(const Window& window) {
    return window.PlatformHandles().context;
}

bool StartVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

int DisplayCount() {
    if (!StartVideo()) return 0;
    return std::max(SDL_GetNumVideoDisplays(), 0);
}

std::string DisplayName(int display) {
    if (!StartVideo()) return {};
    const char* name = SDL_GetDisplayName(display);
    return name ? name : "";
}

static int BitsOf(Uint32 format) {
    // 24-bit desktop formats are 32-bit modes to the game; 15 and 16 are its 16-bit ones.
    return SDL_BITSPERPIXEL(format) <= 16 ? 16 : 32;
}

// At most 4 bytes a pixel; SDL answers it unsigned.
static int BytesOf(Uint32 format) {
    return static_cast<int>(SDL_BYTESPERPIXEL(format));
}

std::vector<DisplayMode> AllDisplayModes(int display) {
    std::vector<DisplayMode> modes;
    if (!StartVideo()) return modes;
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode m;
        if (SDL_GetDisplayMode(display, i, &m) != 0 || m.w <= 0 || m.h <= 0) continue;
        modes.push_back({m.w, m.h, BitsOf(m.format), m.refresh_rate, BytesOf(m.format)});
    }
    return modes;
}

std::vector<DisplayMode> DisplayModes(int display) {
    std::vector<DisplayMode> modes;
    for (const DisplayMode& mode : AllDisplayModes(display)) {
        // One entry per refresh rate in the driver's list; the game chooses by size and
        // depth only and keeps the first (highest) rate.
        const bool known = std::any_of(modes.begin(), modes.end(), [&](const DisplayMode& k) {
            return k.width == mode.width && k.height == mode.height &&
                   k.bitsPerPixel == mode.bitsPerPixel;
        });
        if (!known) modes.push_back(mode);
    }
    // Some drivers (the offscreen one among them) list no usable mode: offer the desktop's.
    DisplayMode desktop;
    if (modes.empty() && CurrentDisplayMode(display, desktop)) modes.push_back(desktop);
    std::stable_sort(modes.begin(), modes.end(), [](const DisplayMode& a, const DisplayMode& b) {
        if (a.width != b.width) return a.width > b.width;
        if (a.height != b.height) return a.height > b.height;
        return a.bitsPerPixel > b.bitsPerPixel;
    });
    return modes;
}

bool CurrentDisplayMode(int display, DisplayMode& mode) {
    if (!StartVideo()) return false;
    SDL_DisplayMode m;
    if (SDL_GetDesktopDisplayMode(display, &m) != 0) return false;
    mode = {m.w, m.h, BitsOf(m.format), m.refresh_rate, BytesOf(m.format)};
    return true;
}

Window::Window(std::string title) : title_(std::move(title)), handles_(new Handles) {}

Window::~Window() {
    Close();
    delete handles_;
}

bool Window::IsOpen() const {
    return handles_->context != nullptr;
}

void Window::Close() {
    // A message box must not sit on a window that is gone.
    if (openGameWindow == handles_->window) openGameWindow = nullptr;
    if (switchingWindow == this) {
        switchingWindow = nullptr;
        input::SetOtherEventHandler(nullptr);
    }
    if (handles_->context) SDL_GL_DeleteContext(handles_->context);
    if (handles_->window) SDL_DestroyWindow(handles_->window);
    handles_->context = nullptr;
    handles_->window = nullptr;
}

void RequestCoreGlContext() {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
}

OpenResult Window::Open(const WindowRequest& request) {
    Close();
    if (!StartVideo()) return OpenResult::NoVideo;
    if (request.width <= 0 || request.height <= 0) return OpenResult::ModeRefused;

    const auto requestBuffers = [](int depthBits, int stencilBits) {
        RequestCoreGlContext();
        SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, stencilBits);
    };
    requestBuffers(request.depthBits, request.stencilBits);

    const int display = std::clamp(request.display, 0, std::max(SDL_GetNumVideoDisplays() - 1, 0));
    // Full screen covers the desktop in the mode it is in: the display's mode is never
    // changed, so nothing is left to restore if the game ends badly. The device scales its
    // picture into whatever size the window has.
    Uint32 flags =
        SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | (request.resizable ? SDL_WINDOW_RESIZABLE : 0);
    SDL_Rect place{int(SDL_WINDOWPOS_CENTERED_DISPLAY(display)),
                   int(SDL_WINDOWPOS_CENTERED_DISPLAY(display)), request.width, request.height};
    if (request.fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        // Made at the desktop's size from the start: without a window manager to carry out
        // the full-screen request (a bare X server) the window still covers the display.
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(display, &bounds) == 0) place = bounds;
    }
    handles_->window = SDL_CreateWindow(title_.c_str(), place.x, place.y, place.w, place.h, flags);
    if (!handles_->window && (request.depthBits > 0 || request.stencilBits > 0)) {
        requestBuffers(0, 0);
        handles_->window =
            SDL_CreateWindow(title_.c_str(), place.x, place.y, place.w, place.h, flags);
    }
    if (!handles_->window) return OpenResult::ModeRefused;
    handles_->display = display;
    handles_->windowedWidth = request.width;
    handles_->windowedHeight = request.height;
    handles_->context = SDL_GL_CreateContext(handles_->window);
    if (!handles_->context || epoxy_gl_version() < 33) {
        Close();
        return OpenResult::NoGlContext;
    }
    if (!request.hidden) {
        SDL_ShowWindow(handles_->window);
        openGameWindow = handles_->window;
    }
    if (request.fullscreenKeys) {
        switchingWindow = this;
        input::SetOtherEventHandler(SwitchingWindowEvent);
    }
    // The game paces itself; waiting for the display's refresh would fight the frame timer.
    SDL_GL_SetSwapInterval(0);
    return OpenResult::Ok;
}

bool Window::Fullscreen() const {
    return handles_->window && (SDL_GetWindowFlags(handles_->window) &
                                SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

void Window::SetFullscreen(bool fullscreen) {
    SDL_Window* w = handles_->window;
    if (!w || fullscreen == Fullscreen()) return;
    const int display = handles_->display;
    if (fullscreen) {
        // Sized to the desktop first: with no window manager to carry out the request (a
        // bare X server) the window must still cover the display.
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(display, &bounds) == 0) {
            SDL_SetWindowPosition(w, bounds.x, bounds.y);
            SDL_SetWindowSize(w, bounds.w, bounds.h);
        }
        SDL_SetWindowFullscreen(w, SDL_WINDOW_FULLSCREEN_DESKTOP);
        return;
    }
    SDL_SetWindowFullscreen(w, 0);
    // Back to the size asked at Open, centred: a window opened full screen has known no
    // other size than the desktop's.
    SDL_SetWindowSize(w, handles_->windowedWidth, handles_->windowedHeight);
    SDL_SetWindowPosition(w, int(SDL_WINDOWPOS_CENTERED_DISPLAY(display)),
                          int(SDL_WINDOWPOS_CENTERED_DISPLAY(display)));
}

void Window::FullscreenKeyPressed() {
    if (!IsOpen()) return;
    SetFullscreen(!Fullscreen());
    if (fullscreenSwitched_) fullscreenSwitched_(Fullscreen());
}

void Window::SwapBuffers() {
    if (handles_->window) SDL_GL_SwapWindow(handles_->window);
}

int Window::RefreshRate() const {
    if (!handles_->window) return 0;
    SDL_DisplayMode mode;
    if (SDL_GetWindowDisplayMode(handles_->window, &mode) == 0 && mode.refresh_rate > 0)
        return mode.refresh_rate;
    const int display = SDL_GetWindowDisplayIndex(handles_->window);
    if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) return mode.refresh_rate;
    return 0;
}

bool Window::SetVsync(bool on) {
    return handles_->context && SDL_GL_SetSwapInterval(on ? 1 : 0) == 0;
}

int Window::DrawableWidth() const {
    int w = 0, h = 0;
    if (handles_->window) SDL_GL_GetDrawableSize(handles_->window, &w, &h);
    return w;
}

int Window::DrawableHeight() const {
    int w = 0, h = 0;
    if (handles_->window) SDL_GL_GetDrawableSize(handles_->window, &w, &h);
    return h;
}

} // namespace window

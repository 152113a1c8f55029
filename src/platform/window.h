#pragma once
// The game's window on the desktop and the GL context inside it, plus the displays and their
// modes (the setup dialog lists them). Runs without a display under SDL_VIDEODRIVER=offscreen.
#include <functional>
#include <string>
#include <vector>

namespace window {

struct DisplayMode {
    int width = 0, height = 0;
    int bitsPerPixel = 32; // 16 or 32
    int refreshRate = 0;   // Hz; 0 when unknown
    int bytesPerPixel = 4; // 3 for packed 24-bit formats, which no game mode uses
};

// Starts the video system when needed; false when there is none at all.
bool StartVideo();
int DisplayCount();
std::string DisplayName(int display);
// The modes a display offers, largest first, without duplicates.
std::vector<DisplayMode> DisplayModes(int display);
// Every mode as the driver lists it, in its order (one entry per refresh rate); empty-sized
// entries some drivers report are left out.
std::vector<DisplayMode> AllDisplayModes(int display);
// The mode the desktop is in; false when it cannot be read.
bool CurrentDisplayMode(int display, DisplayMode& mode);

// How the window is opened.
struct WindowRequest {
    int width = 640, height = 480;
    // Full screen is a window covering the desktop in the desktop's own mode; width and
    // height then size the window only for when it leaves full screen.
    bool fullscreen = false;
    int bitsPerPixel = 32; // the colour depth the game asked for (the display keeps its own)
    int display = 0;
    bool hidden = false; // for a context that only answers questions about the driver
    bool resizable = false;
    // F11 and Alt+Enter switch between the window and full screen (the game's window).
    bool fullscreenKeys = false;
    // Depth and stencil bits of the window's own framebuffer, for a device that draws
    // straight into it; a driver that cannot give them gives a window with colour only.
    int depthBits = 0, stencilBits = 0;
};

enum class OpenResult {
    Ok,
    NoVideo,     // no video system at all
    ModeRefused, // the window or the screen mode could not be set
    NoGlContext, // no OpenGL 3.3 core context on this driver
};

class Window {
  public:
    explicit Window(std::string title);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Opens (or reopens) the window as asked and makes an OpenGL 3.3 core context current
    // in it. On failure nothing stays open.
    OpenResult Open(const WindowRequest& request);
    void Close();
    bool IsOpen() const;

    // Between a window of the size asked at Open and full screen on the desktop as it is
    // (never a change of the display's mode).
    void SetFullscreen(bool fullscreen);
    bool Fullscreen() const;
    // Told after each switch the player made with F11 or Alt+Enter, with the new state.
    void OnFullscreenKeys(std::function<void(bool fullscreen)> switched) {
        fullscreenSwitched_ = std::move(switched);
    }
    void FullscreenKeyPressed(); // switches and tells; window_sdl.h decides which keys

    // Shows what was drawn into the window's default framebuffer.
    void SwapBuffers();
    // A window nobody looks at (an offscreen run that only reads its pictures back) is not
    // worth copying frames into; on by default.
    void SetWatched(bool watched) { watched_ = watched; }
    bool Watched() const { return watched_; }
    // The size of the window's default framebuffer in pixels.
    int DrawableWidth() const;
    int DrawableHeight() const;
    // Refreshes a second of the display the window is on; 0 when the display does not say.
    int RefreshRate() const;
    // Whether showing a picture waits for the display's next refresh; false when the driver
    // cannot do what was asked.
    bool SetVsync(bool on);
    const std::string& Title() const { return title_; }

    struct Handles;
    Handles& PlatformHandles() const { return *handles_; } // window_sdl.h reads them

  private:
    std::string title_;
    bool watched_ = true;
    Handles* handles_ = nullptr;
    std::function<void(bool)> fullscreenSwitched_;
};

} // namespace window

#pragma once
// A small window of its own for dialogs drawn with Dear ImGui: its own SDL window, GL
// context and ImGui context, apart from the game's window. The caller draws widgets with
// plain imgui.h calls inside one borderless ImGui window that fills it; a game device may
// draw into the same context through uidevice.h.
#include <deque>
#include <functional>
#include <string>
#include <vector>

union SDL_Event;

namespace window {

struct UiFontFile {
    std::string path; // a TrueType file; a missing one falls back to ImGui's own font
    float size = 13;
};

struct UiWindowRequest {
    std::string title;
    int width = 320, height = 240; // client area, centred on the first display
    std::vector<UiFontFile> fonts; // [0] is the default; the rest as ImGui::GetIO().Fonts->Fonts[i]
    bool resizable = false;
    // Opens at no more than the first display's usable area (without panels and docks) holds.
    bool fitUsableArea = false;
    // F11 and Alt+Enter switch between the window and full screen (at the desktop's size);
    // Alt+Enter then never reaches the widgets as Enter.
    bool fullScreenKeys = false;
    // Asked when the user closes the window; false keeps it open (to ask about unsaved work).
    std::function<bool()> closeRequested;
};

struct UiSize {
    int width = 0, height = 0;
    bool operator==(const UiSize&) const = default;
};
// The size a window asked for as `wanted` opens at in a usable area of `area`: no larger
// than the area less room for the window's frame, and never smaller than 640 x 480 unless
// the area itself is.
UiSize FitWindowSize(UiSize wanted, UiSize area);

// What a queued event is to ImGui: a key or a mouse button going down or up (`control` names
// which: the key's scan code, or the button), or another event.
enum class UiEventKind { KeyDown, KeyUp, ButtonDown, ButtonUp, Other };
struct UiQueuedEvent {
    UiEventKind kind = UiEventKind::Other;
    int control = 0;
};
// How many queued events one frame takes (at least one when any are queued). ImGui keeps
// only the state of keys and buttons at each frame, not the changes in between: a key
// pressed and let go within one frame would never be seen, nor a second tap of a key let go
// in the same frame. So a frame takes no two changes of one key, and no key's release after
// a key's press (the modifiers of a shortcut stay with it); a mouse button's release
// only leads a frame (the moves before it come first) and its press ends one (a drag's
// moves after it belong to the next frame). Typing different keys fast still takes few
// frames.
size_t UiEventsForOneFrame(const std::vector<UiQueuedEvent>& queued);

// An SDL event as the rule above sees it.
UiQueuedEvent UiQueuedOf(const SDL_Event& event);
// Queues an SDL event for the frames. A key's repeat goes in as a release and a new press:
// SDL reports a release followed at once by a press of the same key (two quick taps, as X
// delivers them) as one repeat of a held key, which ImGui would take for no press at all.
void QueueUiEvent(std::deque<SDL_Event>& queue, const SDL_Event& event);

// Draws one frame's widgets; returns false to close the window.
using UiFrame = std::function<bool()>;

// Shows the window until it is closed or `frame` returns false. `activated` runs before
// the first frame and again whenever the window gets the focus back. False when no window
// with a GL context could be made.
bool RunUiWindow(const UiWindowRequest& request, const std::function<void()>& activated,
                 const UiFrame& frame);

class Window;
// The window being drawn (call from a frame), for a device that draws into its GL context;
// nullptr when none is open.
Window* CurrentUiWindow();

// Runs `closing` when the window being drawn closes, while its GL context is still there
// (to free what was made in it). Call from a frame.
void AtUiWindowClose(std::function<void()> closing);

// Retitles the window being drawn (call from a frame).
void SetUiWindowTitle(const std::string& title);

// Draws `frames` frames (at least 3) into a hidden window and writes the last one as a PNG
// file (none when pngFile is empty).
bool DrawUiPicture(const UiWindowRequest& request, const UiFrame& frame, const std::string& pngFile,
                   int frames = 3);

} // namespace window

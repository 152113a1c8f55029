#pragma once
// Inside the platform layer only: the SDL window of the game window while it is open, so
// message boxes can sit on top of it instead of behind a full-screen picture.
struct SDL_Window;
union SDL_Event;

namespace window {

class Window;
// The SDL window and GL context of an open window (nullptr when it is closed).
SDL_Window* SdlWindowOf(const Window& window);
void* GlContextOf(const Window& window);

SDL_Window* OpenGameWindow(); // nullptr when none is open

// Asks SDL for the OpenGL 3.3 core context every window of ours draws with: double
// buffered, colour only (the game's device and the dialogs draw depth where they need it).
void RequestCoreGlContext();

// F11, or Enter with Alt held, switches `window` between a window and full screen and tells
// its listener; true when the event was one of those keys (the repeats of a held key are
// theirs too, but switch nothing). The game window gets its events here through the input
// system's hook; another window (the editor's) can hand over its own events the same way.
bool HandleFullscreenKeys(Window& window, const SDL_Event& event);

} // namespace window

#pragma once
// The game window's destroy handler releases the engine services in one fixed order, and
// skips each one that was never created: a start stopped by "Level files are corrupted.",
// or a setup dialog closed without starting the game, created few or none of them.
#include <array>
#include <functional>

// In release order.
enum class EngineService {
    Effects,  // the list of effect particles
    Timer,    // tdtimer
    Sound,    // every sound effect and the music, then taudiere
    Input,    // keyboard and mouse devices, then TDInput
    Sprites,  // td2dsprites
    Graphics, // the sprite interface and the device, then TDGraphics
    Cursor,   // shows the mouse cursor again (hidden when loading began)
};
inline constexpr int EngineServiceCount = 7;

class tteardown {
  public:
    // Records how to release a service once it exists; a second call replaces the first.
    void Created(EngineService service, std::function<void()> release);
    bool IsCreated(EngineService service) const;
    // Releases every created service in release order, each once, and forgets them.
    void Run();

  private:
    std::array<std::function<void()>, EngineServiceCount> releases;
};

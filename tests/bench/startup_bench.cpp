// What "Start the Game" costs before the player sees the main menu: from the start of
// InitializeDx (device, catalogue check, every model, picture and sound) to the first
// main-menu frame, with the intro ended at once, on the GL device offscreen.
#include "playrun.h"

#include "campaign/screens.h"
#include "engine/scriptedinput.h"
#include "platform/files.h"
#include "render/object3d.h"
#include "render/screenlayout.h"
#include "render/textures.h"
#include "startup/form1.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>

namespace {

// Thrown by the input at the main menu's first poll: the start is over.
struct tmainmenureached {};

// Space at the first poll ends the intro; the main menu's first poll ends the run.
class StartInput final : public input::InputSource {
  public:
    StartInput() : script_(std::vector<InputStep>{{0, {57}}, {1, {}}}) {}
    void Pump() override {
        if (CurrentScreen == std::string_view("main")) throw tmainmenureached{};
        script_.Pump();
    }
    bool TakePadsChanged() override { return false; }
    std::vector<input::PadDescription> EnumeratePads() override { return {}; }
    bool ReadPad(int, input::PadReading&) override { return false; }
    bool ReadKeyboard(input::KeyState& keys) override { return script_.ReadKeyboard(keys); }

  private:
    ScriptedInput script_;
};

void StartToMainMenu(benchmark::State& state) {
    const char* game = std::getenv("TARNHOLLOW_GAME_DIR");
    const std::string folder =
        std::filesystem::absolute(game ? game : TARNHOLLOW_GAME_DIR).string();
    const std::filesystem::path home =
        std::filesystem::temp_directory_path() / "tarnhollow_startup_bench";
    std::filesystem::create_directories(home);
    files::SetCurrentFolder(folder);
    files::SetHomeFolder(home.string()); // nothing of the bench lands in the game folder
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    TextureFolder = state.range(0) == 2048 ? TextureFolder2048 : TextureFolder1024;
    ScreenWidth = 1024;
    ScreenHeight = 768;
    for (auto _ : state) {
        CurrentScreen = "";
        TForm1 form;
        form.FormCreate();
        std::string error;
        form.makeDevice = [&](tservices& s) {
            return playrun::MakeRunDevice(s, true, ScreenWidth, ScreenHeight, error);
        };
        form.makeInput = [] { return std::make_unique<StartInput>(); };
        const auto start = std::chrono::steady_clock::now();
        try {
            form.InitializeDx();
            state.SkipWithError("the main menu never came");
        } catch (const tmainmenureached&) {
        }
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        form.FormDeactivate();
        Models().Clear(); // the next start loads into empty stores, as the game's one start does
        Textures().Clear();
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(StartToMainMenu)
    ->Arg(1024)
    ->Arg(2048)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

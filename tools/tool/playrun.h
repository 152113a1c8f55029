#pragma once
// Playing one level without a person: the game window with its services made for a run on
// a virtual clock (every frame drawn, none skipped), keys from a script, the models and
// pictures from a game folder. `play` and `render` share it; they differ in the device.
// Runs that draw nothing use the null device: formatting every call as text would cost
// far more than the game itself.
#include "engine/xmlparser.h"
#include "platform/gpu/recording_device.h"
#include "render/screenlayout.h"
#include "render/services.h"
#include "startup/form1.h"
#include "world/replay/replayform.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace playrun {

// The hard stop of a run without --frames: no level takes that long to play.
inline constexpr long FrameCap = 100000;

struct tsetup {
    std::string level; // level file
    std::string keys;  // key script file; empty: nothing is ever held
    std::optional<long> frames;
    uint32_t seed = 1;
    std::string players; // players file; empty: a new player "TEST"
    int slot = 0;        // 1..10 with players
    std::string data;    // game folder; empty: the folder of the tool itself
    bool gl = false;     // the GL device offscreen instead of the null device
    bool record = false; // the recording device instead of the null device (to compare them)
    int width = 1024, height = 768;
    // The display's refreshes a second, each one drawn between the steps; 0: one picture a
    // step, as the game draws with "Smooth picture" off.
    int displayHz = 0;
    std::string textureFolder = TextureFolder1024;
    // A replay to play instead of a script and a player: its keys, its player as he entered
    // the level, its bindings and random state, its undrawn frames. Must outlive the run.
    const treplay* replay = nullptr;
    // The keys from another source than the script (the autopilot); empty: the script.
    std::function<std::unique_ptr<input::InputSource>()> makeInput;
};

// The virtual clock of a run counts 35 million a second, so one tick is exactly a million.
inline constexpr int64_t ClockFrequency = 35'000'000;

// A recorder that forgets each frame's calls once it is shown: a long run would otherwise
// keep every call of every frame.
class FrameRecorder : public gpu::RecordingDevice {
  public:
    using gpu::RecordingDevice::RecordingDevice;
    // Sees the state of every draw before it is written down (tests that survey what the
    // game draws with).
    std::function<void(const gpu::RecordingDevice&)> beforeDraw;
    void DrawTriangleList(int firstVertex, int triangleCount) override {
        if (beforeDraw) beforeDraw(*this);
        gpu::RecordingDevice::DrawTriangleList(firstVertex, triangleCount);
    }
    // Sees every frame's calls as it is shown (tests that compare whole pictures).
    std::function<void(const std::vector<std::string>&)> onPresent;
    void Present() override {
        gpu::RecordingDevice::Present();
        if (onPresent) onPresent(calls);
        calls.clear();
    }
};

// Makes the graphics device of a run in services.graphics: a gpu::NullDevice, or with gl the
// OpenGL device in a window offscreen. False with the reason when it cannot be made.
bool MakeRunDevice(tservices& services, bool gl, int width, int height, std::string& error);
// The same with a FrameRecorder, for comparing runs with what was drawn written down.
void MakeRecordingRunDevice(tservices& services, int width, int height);
// One line for the picture just drawn: {"drawn", "frame", "alpha", "hero", "camera"}.
std::string DrawTraceLine();
// "--display-hz N": 1..1000 refreshes a second.
bool ParseDisplayHz(const std::string& text, int& hz);
// "WxH" with both sides 16..8192.
bool ParseSize(const std::string& text, int& width, int& height);
// The picture on screen (the last presented frame) as a PNG file.
bool SaveFrame(tservices& services, const std::string& path);

// Reads `--flag VALUE` options common to play and render into the setup; the caller handles
// its own flags first. False with a usage reason when the flag is unknown or its value bad.
bool ParseCommonOption(const std::vector<std::string>& args, size_t& i, tsetup& setup,
                       std::string& error);

class tlevelrun {
  public:
    tlevelrun();
    ~tlevelrun();
    tlevelrun(const tlevelrun&) = delete;
    tlevelrun& operator=(const tlevelrun&) = delete;

    // Reads the level, the script and the player, then makes the services in the game
    // folder and loads the assets. False with the reason when something is refused.
    bool Prepare(const tsetup& setup, std::string& error);
    // Plays until the level ends or the frame limit; onFrame runs after every frame.
    void Play(const std::function<void()>& onFrame);
    // The final line: {"LevelOutcome", "frames", "Score", ...}.
    std::string Summary() const;
    // The current frame's trace line.
    static std::string TraceLine();

    // The level's outcome (-1 until it ended) and the run's result in a replay's terms.
    int32_t Outcome() const { return outcome_; }
    tservices& Services() { return form_.services; }
    const tnode& Document() const { return *document_; }

  private:
    tsetup setup_;
    // The game window, started as the game starts it for one level, with the run's device,
    // keys and clock in its seams.
    TForm1 form_;
    std::unique_ptr<tnode> document_;
    int32_t outcome_ = -1;
    int64_t clockStep_ = 0;
    struct tclock;
    std::unique_ptr<tclock> clock_;
    bool prepared_ = false;
};

} // namespace playrun

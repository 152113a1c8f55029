#pragma once
// Playing one level without a person: the game window with its services made for a run on
// a virtual clock (every frame drawn, none skipped), keys from a script, the models and
// pictures from a game folder. `play` and `render` share it; they differ in the device.
#include "engine/xmlparser.h"
#include "render/screenlayout.h"
#include "render/services.h"
#include "world/engineoutput.h"

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
    bool gl = false;     // the GL device offscreen instead of the recording device
    int width = 1024, height = 768;
    std::string textureFolder = TextureFolder1024;
};

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

    tservices& Services() { return services_; }
    const tnode& Document() const { return *document_; }

  private:
    tsetup setup_;
    tservices services_;
    std::unique_ptr<tengineoutput> output_;
    std::unique_ptr<tnode> document_;
    int32_t outcome_ = -1;
    int64_t clockStep_ = 0;
    struct tclock;
    std::unique_ptr<tclock> clock_;
    bool prepared_ = false;
};

} // namespace playrun

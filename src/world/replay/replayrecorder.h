#pragma once
// Writing a level down as it is played: what the world looked like as the level was
// entered, then every poll of the input as the game saw it (the keys down and the pad
// controls on after the engine's dead zones and presses), then how it ended.
#include "engine/dinput.h"
#include "world/replay/replayform.h"

class treplayrecorder {
  public:
    // Takes the start now, just before GameLoop, and watches the input's polls.
    void Begin(TDInput& input, const std::string& game, const std::string& levelId,
               uint64_t levelHash);
    // After GameLoop: stops watching and gives the replay of the level.
    treplay Finish(TDInput& input, int32_t outcome, int64_t milliseconds);

  private:
    void OnPoll(const TDInput& input);

    treplay replay_;
    std::vector<int> last_;
    long polls_ = 0;
};

// The codes of the key-script form that the input shows as held now.
std::vector<int> HeldCodes(const TDInput& input);

#pragma once
// Playing a replay again: the world put where the recorded run began, the recorded frames
// left undrawn, and what a replay run must not leave behind in the program kept aside.
#include "render/services.h"
#include "world/replay/replayform.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// True when the replay was made on this level file; otherwise false with a reason that names
// the level, so a replay of another version of a level is never played wrongly.
bool ReplayFitsLevel(const treplay& replay, const std::string& levelName,
                     const std::string& levelId, std::string_view levelBytes, std::string& why);

// The world as the recorded run entered the level: the record gets the player's values,
// the settings the bindings, then the guide, the random state and the frame counter.
void EnterReplayStart(const treplay& replay, tplayer& record);

// The frame count at which a replay run is stopped: a level that ended by itself plays its
// last frame and ends, a run stopped from outside stops where it was stopped.
int64_t ReplayFrameLimit(const treplay& replay);

// For services.frameUndrawn: the frames the recording game left undrawn.
std::function<bool()> UndrawnLike(const treplay& replay);

// The result of the level just played, in a replay's terms.
treplayresult ResultNow(int32_t outcome, int64_t milliseconds);
// The same run: everything but the time on the clock, which a replay does not reproduce.
bool SameRun(const treplayresult& a, const treplayresult& b);

// What playing a replay changes beyond the level: the settings (bindings, zoom), the guide,
// the random state, the frame counter, the screenshot number, the muzzle light and the
// record the world plays on. Taken when made, put back when destroyed.
class tprogramkeep {
  public:
    tprogramkeep();
    ~tprogramkeep();
    tprogramkeep(const tprogramkeep&) = delete;
    tprogramkeep& operator=(const tprogramkeep&) = delete;

  private:
    struct tkept;
    std::unique_ptr<tkept> kept_;
};

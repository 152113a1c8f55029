#pragma once
// The autopilot: each frame it looks at what the player can see, keeps a route to where it
// wants to go, and answers with the keys to hold. It never touches the world: its only way
// in is the keys (tpilotinput hands them to the game).
#include "ghosts.h"
#include "route.h"
#include "view.h"

#include <string>
#include <vector>

namespace autopilot {

// The eight directions as the keys that hold them (0: none).
std::vector<int> DirectionKeys(int direction);

// Where the pilot is heading and why.
enum class Goal : uint8_t { None, Exit, Item, Plate, Explore, Edge };
const char* GoalName(Goal goal);

struct tgoal {
    Goal kind = Goal::None;
    int column = -1, row = -1;
};

// Chooses what to go for: an item close by, the exit, a plate that opens the way, or the
// nearest cell not seen yet.
tgoal ChooseGoal(const tview& view, const troutes& routes, const tcosts& costs, int column,
                 int row);

// Hazards: extra costs for cells near ghosts and in front of traps, the spike rhythm and
// the projectiles in flight.
void HazardCosts(const tview& view, tcosts& costs);
// Extra cost on plates that set off a trap aimed at the plate itself.
void PlateTrapCosts(const tview& view, tcosts& costs);
// Frames the spikes of the cell stay down and harmless from now (0: they hurt now).
int SpikesQuiet(const tcell& cell);
// May the hero step onto the cell now: spikes that stay down for spikeFrames, no arrow or
// stone about to cross it?
bool SafeToEnter(const tview& view, int column, int row, int spikeFrames);
// Is the hero standing where a stone or arrow is about to pass?
bool InDanger(const tview& view);
// Will a stone or arrow pass within its reach of the point between the frames from now?
bool Threatened(const tview& view, float column, float row, int from, int to);
// The direction (0 to stand) that keeps the hero out of the way of stones and arrows,
// the preferred one when it does.
int Dodge(const tview& view, int preferred);
// Will a stone or arrow meet the hero on a jump from the point to the cell, that lands
// after the frames?
// Will a stone or arrow meet the hero walking the route's next steps within the frames?
bool WayThreatened(const tview& view, const std::vector<tstep>& route, int frames);
// The same for a jump from the point to the cell that lands after the frames.
bool FlightThreatened(const tview& view, float column, float row, int toColumn, int toRow,
                      int frames);

// Combat: the gun to hold, and whether to fire or turn to fire this frame.
struct tcombat {
    bool change = false; // press the change-gun key
    bool fire = false;
    int face = 0; // direction to turn to before firing, 0 when facing already
    // A step across the line to a warrior that would parry every shot along it: off its
    // line it turns to face the hero slantwise, and a straight shot gets past its shield.
    int sidestep = 0;
};
tcombat Fight(const tview& view, bool changeHeldLastFrame);

class tpilot {
  public:
    explicit tpilot(bool trace = false) : trace_(trace) {}
    // The keys to hold this frame.
    std::vector<int> Decide();
    // The trace line of the last decision (empty without --trace).
    const std::string& TraceText() const { return traceText_; }

  private:
    enum class Phase : uint8_t { Walk, Flying, Teleporting };

    void NewAttempt();
    void Remember();
    void Replan(int column, int row);
    int Steer(std::vector<int>& keys, bool& jump);
    void WatchProgress(int wanted);
    // Runs past the ghosts on the route, or turns the route to stand off them; false while
    // the hero stands and lets one come.
    bool MindGhosts();
    // Shuts the way from the cell toward the step for a while (bit as in tcosts::blocked).
    void Block(int column, int row, const tstep& step, bool jump);
    // A step (or with jump set a leap) away from a monster the hero cannot fight, or 0.
    // fleeing: he fled last frame.
    int Flee(bool& jump, tstep& landing, bool fleeing) const;
    // Is a zombie or warrior close to the cell (a jump there would meet it)?
    bool MonsterNear(int column, int row, float distance = 1.6f) const;

    tview view_;
    troutes routes_;
    tcosts costs_;
    tgoal goal_;
    std::vector<tstep> route_;
    Phase phase_ = Phase::Walk;
    tstep jump_{};
    int takeoffColumn_ = 0, takeoffRow_ = 0;
    struct tblock {
        int column, row;
        uint8_t bit;
        long until;
    };
    std::vector<tblock> blocks_;
    // Crumbling floors crossed and plates pressed in this attempt, and those of attempts
    // that were lost: a player who shut himself in once takes another way the next time.
    std::vector<int> crossed_, regret_;
    std::array<std::array<tcell, Size>, Size> memory_{};
    int lives_ = -1;
    long frame_ = 0;
    // Progress: frames the hero wanted to move and stayed where he was.
    float lastColumn_ = 0, lastRow_ = 0;
    int stuckFrames_ = 0;
    int waitFrames_ = 0;
    int strandedFrames_ = 0;
    int readyFrames_ = 0, hazardFrames_ = 0, goAnyway_ = 0;
    bool wayClear_ = false; // the route's next steps are out of the way of stones and arrows
    bool fled_ = false;
    bool sidestepped_ = false;
    int sidestepStuck_ = 0, sidestepBan_ = 0;
    float fleeColumn_ = 0, fleeRow_ = 0;
    int fleeStuck_ = 0, fleeBan_ = 0;
    int fireWait_ = 0; // frames until the gun in hand can fire again
    tghostplan ghostPlan_;
    int lureFrames_ = 0; // frames spent standing off ghosts in this attempt
    // A ghost waited for that does not come (another creature bars its drift): for a while
    // it is run past instead.
    int holdFrames_ = 0, lureBan_ = 0;
    float holdDistance_ = 0;
    bool changeHeld_ = false;
    bool trace_ = false;
    std::string traceText_;
    std::string why_;
};

} // namespace autopilot

// The pilot's frame: look, choose a goal, keep a route to it, and turn the route's next
// move into keys; fight and dodge on the way.
#include "pilot.h"

#include "../json.h"
#include "../output.h"

#include "engine/settings.h"
#include "world/directions.h"
#include "world/guns/guntables.h"
#include "world/tables.h"

#include <algorithm>

#include <cmath>

namespace autopilot {

namespace {

// Frames without progress before the pilot gives up on a way and looks for another.
constexpr int StuckLimit = 24;
// Frames to stand on a teleport before deciding it does not take him.
constexpr int TeleportPatience = 40;
// Frames a spike cell needs to be crossed.
constexpr int SpikeCrossFrames = 7;
// An item whose way has become this dear (a monster came near it) is left.
constexpr int ItemGiveUp = 160;
// Frames with nothing left to reach before the pilot gives the attempt up.
constexpr int StrandedLimit = 70;
constexpr int RegretCost = 2000;
// Frames to wait at a take-off, and for a hazard to pass, before trying something else.
constexpr int FleeStuckLimit = 8, FleeBanFrames = 70;
constexpr int SidestepStuckLimit = 3;
constexpr int LaneFrames = 30;
constexpr float FleeGain = 0.5f; // what eight frames of fleeing must gain
// A jump lands about this many frames after it takes off: the landing must be clear then.
constexpr int FlightFrames = 22;
// How far ahead a walk through trap lanes is looked at: a lane crossed in one go.
constexpr int WayFrames = 32;
constexpr int ReadyPatience = 140, HazardPatience = 300, GoAnywayFrames = 60;

int Rank(Goal goal) {
    switch (goal) {
    case Goal::Edge:
        return 5;
    case Goal::Item:
        return 4;
    case Goal::Exit:
        return 3;
    case Goal::Plate:
        return 2;
    case Goal::Explore:
        return 1;
    default:
        return 0;
    }
}

} // namespace

std::vector<int> DirectionKeys(int direction) {
    const int up = settings.KeyUp, down = settings.KeyDown;
    const int left = settings.KeyLeft, right = settings.KeyRight;
    switch (direction) {
    case 1:
        return {up};
    case 2:
        return {up, right};
    case 3:
        return {right};
    case 4:
        return {down, right};
    case 5:
        return {down};
    case 6:
        return {down, left};
    case 7:
        return {left};
    case 8:
        return {up, left};
    default:
        return {};
    }
}

void tpilot::NewAttempt() {
    regret_.insert(regret_.end(), crossed_.begin(), crossed_.end());
    crossed_.clear();
    route_.clear();
    goal_ = {};
    phase_ = Phase::Walk;
    blocks_.clear();
    stuckFrames_ = waitFrames_ = strandedFrames_ = 0;
    fireWait_ = lureFrames_ = holdFrames_ = lureBan_ = 0;
    ghostPlan_ = {};
}

void tpilot::Replan(int column, int row) {
    HazardCosts(view_, costs_);
    PlateTrapCosts(view_, costs_);
    GhostCosts(view_, costs_);
    for (auto& c : costs_.blocked) c.fill(0);
    std::erase_if(blocks_, [this](const tblock& b) { return b.until <= frame_; });
    for (const tblock& b : blocks_) costs_.blocked[size_t(b.column)][size_t(b.row)] |= b.bit;
    for (int cell : regret_) costs_.extra[size_t(cell / Size)][size_t(cell % Size)] += RegretCost;
    routes_.Search(view_, column, row, costs_);
    const tgoal best = ChooseGoal(view_, routes_, costs_, column, row);
    // A goal is kept until it is reached or gone, unless a better kind turns up: the
    // nearest unseen cell changes with every step, and chasing each would go round in
    // circles.
    bool keep = goal_.kind != Goal::None && routes_.Reached(goal_.column, goal_.row) &&
                !(goal_.column == column && goal_.row == row) &&
                Rank(best.kind) <= Rank(goal_.kind);
    if (keep) {
        const tcell& target = view_.At(goal_.column, goal_.row);
        if (goal_.kind == Goal::Explore)
            keep = target.kind == Cell::Unknown || target.kind == Cell::Teleport;
        if (goal_.kind == Goal::Item)
            keep = target.item != 0 && routes_.Cost(goal_.column, goal_.row) <= ItemGiveUp;
        if (goal_.kind == Goal::Plate) keep = target.kind == Cell::Plate;
        if (goal_.kind == Goal::Edge) keep = true;
    }
    if (!keep) goal_ = best;
    route_ =
        goal_.kind == Goal::None ? std::vector<tstep>{} : routes_.RouteTo(goal_.column, goal_.row);
}

// The direction toward the point, straight when close on one axis.
static int Toward(float dc, float dr, float tolerance) {
    const int sc = dc > tolerance ? 1 : dc < -tolerance ? -1 : 0;
    const int sr = dr > tolerance ? 1 : dr < -tolerance ? -1 : 0;
    static constexpr int byStep[3][3] = {{6, 7, 8}, {5, 0, 1}, {4, 3, 2}}; // [sc + 1][sr + 1]
    return byStep[sc + 1][sr + 1];
}

// A diagonal that would stop at an edge or run into a wall is taken straight instead.
static int Safer(const tview& view, float column, float row, int direction, int straight) {
    if (direction == 0 || direction % 2 == 1) return direction;
    const tdirection& s = Direction(direction);
    const int c = CellOf(column + 2 * s.column), r = CellOf(row + 2 * s.row);
    if (tview::Inside(c, r) && Standable(view.At(c, r).kind)) return direction;
    return straight;
}

int tpilot::Steer(std::vector<int>& keys, bool& jump) {
    const tbody& h = view_.hero;
    const int hc = CellOf(h.column), hr = CellOf(h.row);
    const tcell& here = view_.At(hc, hr);
    const bool standing = std::fabs(h.height - here.floor) < 0.1f;
    // A plate counts when it raised walls: those are what shut a way behind the hero.
    bool raising = false;
    if (here.mechanism == mechanism::SwitchPlate)
        for (const auto& column : view_.cells)
            for (const tcell& cell : column) raising |= cell.mechanism == mechanism::RisingWall;
    const bool oneWay = here.mechanism == mechanism::CrumblingFloor || raising;
    if (oneWay && std::find(crossed_.begin(), crossed_.end(), hc * Size + hr) == crossed_.end())
        crossed_.push_back(hc * Size + hr);
    const float tolerance = h.SpeedTimer > 0 ? 0.17f : 0.09f;
    (void)keys;

    if (phase_ == Phase::Flying) {
        if (!standing) {
            why_ = "flying";
            return Toward(float(jump_.column) - h.column, float(jump_.row) - h.row, 0.07f);
        }
        phase_ = Phase::Walk;
        // A jump that came down short of its landing met something in the air (a ghost
        // over the chasm): that way is shut for a while.
        if (takeoffColumn_ >= 0 &&
            std::abs(hc - takeoffColumn_) + std::abs(hr - takeoffRow_) <
                std::abs(jump_.column - takeoffColumn_) + std::abs(jump_.row - takeoffRow_)) {
            // Jumps that way from the run-up behind and from where he came down are shut
            // with it: what hangs there
            // stays until the hero has gone elsewhere for a while.
            const int sc = jump_.column > takeoffColumn_   ? 1
                           : jump_.column < takeoffColumn_ ? -1
                                                           : 0;
            const int sr = jump_.row > takeoffRow_ ? 1 : jump_.row < takeoffRow_ ? -1 : 0;
            for (int back = -2; back <= 2; ++back)
                Block(takeoffColumn_ - sc * back, takeoffRow_ - sr * back,
                      {jump_.column - sc * back, jump_.row - sr * back, Move::Jump}, true);
        }
        route_.clear();
    }
    if (phase_ == Phase::Teleporting) {
        if ((hc != jump_.column || hr != jump_.row) && ++waitFrames_ < TeleportPatience) {
            why_ = "teleporting";
            return 0;
        }
        phase_ = Phase::Walk;
        route_.clear();
    }
    if (here.kind == Cell::Unknown) return 0; // before the first look round

    // On a floor that has begun to fall, with a monster barring the way on: off it, to
    // the firm side farthest from the monster.
    if (here.kind == Cell::Pit && standing && MonsterNear(hc, hr, 1.6f)) {
        int best = 0;
        float farthest = -1.0f;
        for (const auto& n : Neighbours) {
            const int c = hc + n[0], r = hr + n[1];
            if (!tview::Inside(c, r)) continue;
            const tcell& side = view_.At(c, r);
            if (!Standable(side.kind) || side.kind == Cell::Crumbling || side.occupied) continue;
            float nearest = 1e9f;
            for (const tthing& t : view_.things)
                if (t.kind == Thing::Zombie || t.kind == Thing::Warrior)
                    nearest = std::min(nearest, std::hypot(t.column - float(c), t.row - float(r)));
            if (nearest > farthest) {
                farthest = nearest;
                best = n[2];
            }
        }
        if (best != 0) {
            why_ = "off the falling floor";
            return best;
        }
    }
    Replan(hc, hr);
    if (!MindGhosts()) return 0;
    if (route_.empty()) {
        why_ = "no goal";
        // Ways shut for a while may be what hides the goal: open them again first.
        if (!blocks_.empty()) {
            blocks_.clear();
            return 0;
        }
        // Stranded: nothing left to reach. A player starts the level again, and the only
        // way to do that without retreating is over the edge.
        if (++strandedFrames_ < StrandedLimit || !standing) return 0;
        int bestCost = troutes::Unreached;
        for (int c = 0; c < Size; ++c)
            for (int r = 0; r < Size; ++r) {
                if (!routes_.Reached(c, r) || !Standable(view_.At(c, r).kind)) continue;
                for (const auto& n : Neighbours) {
                    const int pc = c + n[0], pr = r + n[1];
                    if (!tview::Inside(pc, pr) || view_.At(pc, pr).kind != Cell::Pit) continue;
                    if (c == hc && r == hr) {
                        jump = true;
                        phase_ = Phase::Flying;
                        jump_ = {pc, pr, Move::Jump};
                        takeoffColumn_ = -1;
                        why_ = "over the edge";
                        return n[2];
                    }
                    if (routes_.Cost(c, r) < bestCost) {
                        bestCost = routes_.Cost(c, r);
                        goal_ = {Goal::Edge, c, r};
                    }
                }
            }
        return 0;
    }
    strandedFrames_ = 0;
    const tstep next = route_.front();
    const int dc = next.column - hc, dr = next.row - hr;
    const int sc = dc > 0 ? 1 : dc < 0 ? -1 : 0, sr = dr > 0 ? 1 : dr < 0 ? -1 : 0;
    const int axis = Toward(float(sc), float(sr), 0.0f); // the move's straight direction
    // Offset from the centre line of the move (across it) and along it.
    const float across = sc != 0 ? h.row - float(hr) : h.column - float(hc);
    const float along =
        sc != 0 ? (h.column - float(hc)) * float(sc) : (h.row - float(hr)) * float(sr);
    const int centreDirection = Toward(float(hc) - h.column, float(hr) - h.row, tolerance);

    if (next.move == Move::Teleport) {
        if (centreDirection != 0) {
            why_ = "to teleport";
            return centreDirection;
        }
        phase_ = Phase::Teleporting;
        jump_ = next;
        waitFrames_ = 0;
        why_ = "teleport";
        return 0;
    }

    // Spikes ahead are crossed in one go while they are down.
    int spikeRun = 0;
    for (const tstep& s : route_) {
        if (s.move != Move::Walk || view_.At(s.column, s.row).kind != Cell::Spikes) break;
        ++spikeRun;
    }
    const tcell& target = view_.At(next.column, next.row);
    const bool footing =
        here.kind == Cell::Pit || here.kind == Cell::Spikes || here.kind == Cell::Teleport;
    // A walk on that no stone or arrow meets is the way out of danger too.
    wayClear_ = next.move == Move::Walk && !WayThreatened(view_, route_, WayFrames);
    // Within a ghost's reach every frame of waiting is paid for.
    const bool haunted =
        ghostPlan_.kind != tghostplan::Kind::Clear && NearestGhost(view_, h.column, h.row) < 1.6f;
    const bool mustGo = footing || haunted || InDanger(view_);
    const int spikeFrames = spikeRun > 0 ? spikeRun * SpikeCrossFrames + 4 : 0;
    // A crumbling floor is crossed only while no monster can bar the way over it, to the
    // firm floor at its far end: there is no way back.
    bool crumbling = false;
    if (target.kind == Cell::Crumbling)
        for (const tstep& s : route_) {
            crumbling |= MonsterNear(s.column, s.row, 3.0f);
            if (view_.At(s.column, s.row).kind != Cell::Crumbling) break;
        }
    if (goAnyway_ > 0) --goAnyway_;
    // A stone meets a hero in the air as surely as on the floor, and he cannot dodge it
    // there: a jump waits for a clear flight even while he dodges something else.
    const auto threatened = [&] {
        if (next.move == Move::Jump)
            return !footing &&
                   FlightThreatened(view_, h.column, h.row, next.column, next.row, FlightFrames);
        return !mustGo && !wayClear_;
    };
    // Spikes that spring under him hurt more than a ghost does meanwhile.
    const bool spikesUp = target.kind == Cell::Spikes && SpikesQuiet(target) < spikeFrames;
    if (goAnyway_ == 0 && target.kind != Cell::Unknown &&
        ((!mustGo && (crumbling || !SafeToEnter(view_, next.column, next.row, spikeFrames))) ||
         (haunted && !footing && spikesUp) || threatened())) {
        why_ = "waiting";
        if (++hazardFrames_ < HazardPatience) return centreDirection;
        // What it waits for does not pass (a monster asleep by the way): go through.
        hazardFrames_ = 0;
        goAnyway_ = GoAnywayFrames;
        why_ = "going anyway";
    }

    if (next.move == Move::Jump) {
        if (!standing) return 0;
        if (target.kind == Cell::Unknown) {
            why_ = "looking";
            return centreDirection;
        }
        if (std::fabs(across) > 0.1f || h.Jump < 100 || MonsterNear(next.column, next.row) ||
            target.occupied) {
            why_ = "ready to jump";
            // Not on spikes, though: they spring while he waits. Back off them.
            if (here.kind == Cell::Spikes &&
                (MonsterNear(next.column, next.row) || target.occupied)) {
                why_ = "off the spikes";
                return Opposite(axis);
            }
            // Something that never moves away (a sleeping monster, an unseen blocker on
            // the landing): another way, or another goal, for a while.
            if (++readyFrames_ > ReadyPatience) {
                readyFrames_ = 0;
                Block(hc, hr, next, true);
                return 0;
            }
            // Back to the centre line, not over the edge.
            const float dcol = sc != 0 ? 0.0f : float(hc) - h.column;
            const float drow = sc != 0 ? float(hr) - h.row : 0.0f;
            return Toward(dcol, drow, 0.06f);
        }
        if (along < 0.05f) {
            why_ = "run-up";
            return axis;
        }
        jump = true;
        readyFrames_ = 0;
        phase_ = Phase::Flying;
        jump_ = next;
        takeoffColumn_ = hc;
        takeoffRow_ = hr;
        why_ = "jump";
        return axis;
    }

    // Walking: straight along the move, with a diagonal to come back to its centre line.
    why_ = "walk";
    if (std::fabs(across) <= 0.13f) return axis;
    const float dcol = sc != 0 ? float(sc) : float(hc) - h.column;
    const float drow = sc != 0 ? float(hr) - h.row : float(sr);
    return Safer(view_, h.column, h.row, Toward(dcol, drow, 0.05f),
                 std::fabs(across) > 0.3f ? centreDirection : axis);
}

void tpilot::WatchProgress(int wanted) {
    const tbody& h = view_.hero;
    const bool moved = std::fabs(h.column - lastColumn_) + std::fabs(h.row - lastRow_) > 0.01f;
    lastColumn_ = h.column;
    lastRow_ = h.row;
    if (wanted == 0 || moved || phase_ != Phase::Walk || route_.empty()) {
        stuckFrames_ = 0;
        return;
    }
    if (++stuckFrames_ < StuckLimit) return;
    // This way does not work (a creature, a corner the route cannot see): try another.
    stuckFrames_ = 0;
    Block(CellOf(h.column), CellOf(h.row), route_.front(), route_.front().move == Move::Jump);
    goal_ = {};
}

void tpilot::Block(int column, int row, const tstep& step, bool jump) {
    constexpr long BlockFrames = 175; // monsters move on: look again after five seconds
    const int dc = step.column - column, dr = step.row - row;
    for (int n = 0; n < 4; ++n)
        if ((dc == 0) == (Neighbours[n][0] == 0) && dc * Neighbours[n][0] >= 0 &&
            dr * Neighbours[n][1] >= 0 && (dc != 0 || dr != 0))
            blocks_.push_back(
                {column, row, uint8_t(1 << (jump ? 4 + n : n)), frame_ + BlockFrames});
    goal_ = {};
}

void tpilot::Remember() {
    // The level as first seen, kept over lost attempts: a player who tries again knows
    // the way he has seen, though each attempt shows it to him anew.
    for (int c = 0; c < Size; ++c)
        for (int r = 0; r < Size; ++r) {
            tcell& seen = view_.At(c, r);
            tcell& kept = memory_[size_t(c)][size_t(r)];
            if (seen.kind != Cell::Unknown) {
                if (kept.kind == Cell::Unknown) kept = seen;
            } else if (kept.kind != Cell::Unknown &&
                       kept.mechanism != mechanism::SwitchLoweredWall) {
                // A wall that a plate lowers may be open by now: that one is looked at
                // again rather than remembered.
                seen = kept;
                seen.item = 0;
                seen.occupied = false;
            }
        }
}

std::vector<int> tpilot::Decide() {
    Perceive(view_);
    Remember();
    ++frame_;
    const tbody& h = view_.hero;
    if (h.Lives < lives_) NewAttempt();
    lives_ = h.Lives;
    std::vector<int> keys;
    why_.clear();
    if (h.DeathFade == 0 && h.ExitFade == 0) {
        const tcombat fight = Fight(view_, changeHeld_);
        changeHeld_ = fight.change;
        if (fight.change) keys.push_back(settings.KeyChange);
        bool jump = false;
        wayClear_ = false;
        int direction = Steer(keys, jump);
        const int steered = direction;
        const bool sidestepped = sidestepped_;
        sidestepped_ = false;
        const tcell& under = view_.At(CellOf(h.column), CellOf(h.row));
        const bool standing = std::fabs(h.height - under.floor) < 0.1f;
        if (phase_ == Phase::Walk && !jump && standing) {
            tstep landing{};
            // Fleeing into a corner helps nobody: when a few frames of fleeing have not
            // taken the hero from where he began (pressed against a wall, or twitching
            // between two ways), he goes on his way past what he fled from.
            const bool stayed =
                std::fabs(h.column - fleeColumn_) + std::fabs(h.row - fleeRow_) < FleeGain;
            fleeStuck_ = fled_ && stayed ? fleeStuck_ + 1 : 0;
            if (fleeStuck_ > FleeStuckLimit) {
                fleeBan_ = FleeBanFrames;
                fleeStuck_ = 0;
            }
            const bool fleeing = fled_;
            fled_ = false;
            if (fleeBan_ > 0) --fleeBan_;
            const int away = fleeBan_ > 0 ? 0 : Flee(jump, landing, fleeing);
            if (away != 0) {
                if (fleeStuck_ == 0) {
                    fleeColumn_ = h.column;
                    fleeRow_ = h.row;
                }
                fled_ = true;
                direction = away;
                why_ = jump ? "leaping away" : "fleeing";
                if (jump) {
                    phase_ = Phase::Flying;
                    jump_ = landing;
                    takeoffColumn_ = -1;
                }
            } else if (fight.sidestep != 0 && sidestepBan_ == 0 &&
                       !Threatened(view_, h.column, h.row, 0, LaneFrames)) {
                // (Not in a trap's lane, though: there he does not linger for a better shot.)
                // Pressed against a wall the step goes nowhere: shoot as things stand.
                const bool moved =
                    std::fabs(h.column - lastColumn_) + std::fabs(h.row - lastRow_) > 0.01f;
                sidestepStuck_ = sidestepped && !moved ? sidestepStuck_ + 1 : 0;
                if (sidestepStuck_ > SidestepStuckLimit) sidestepBan_ = FleeBanFrames;
                direction = fight.sidestep;
                sidestepped_ = true;
                why_ = "stepping aside";
            }
            if (sidestepBan_ > 0) --sidestepBan_;
        }
        if (phase_ == Phase::Walk && standing && !(wayClear_ && direction == steered) &&
            InDanger(view_)) {
            direction = Dodge(view_, direction);
            why_ = "dodging";
        }
        if (fireWait_ > 0) --fireWait_;
        if ((fight.fire || fight.face != 0) && fireWait_ == 0 && phase_ == Phase::Walk && !jump &&
            !sidestepped_) {
            // Turning costs a step: take it only when the gun is ready to fire.
            if (fight.face != 0) direction = fight.face;
            keys.push_back(settings.KeyFire);
            fireWait_ = Guns[size_t(h.Gun)].FireInterval;
        }
        WatchProgress(direction);
        for (int key : DirectionKeys(direction)) keys.push_back(key);
        if (jump) keys.push_back(settings.KeyJump);
    }
    if (trace_) {
        std::vector<std::string> held;
        for (int key : keys) held.push_back(json::Number(key));
        traceText_ =
            tool::JsonObject()
                .Add("pilot", json::Number(int64_t{frame_ - 1}))
                .Add("goal", "\"" + std::string(GoalName(goal_.kind)) + "\"")
                .Add("target",
                     tool::JsonArray({json::Number(goal_.column), json::Number(goal_.row)}))
                .Add("route", json::Number(int64_t(route_.size())))
                .Add("doing", "\"" + why_ + "\"")
                .Add("ghosts", "\"" + std::string(GhostPlanName(ghostPlan_.kind)) + "\"")
                .Add("keys", tool::JsonArray(held))
                .Text();
    }
    return keys;
}

} // namespace autopilot

// The pilot's side of ghosts: what the plan says turned into the route, and the patience
// for standing off, so that a ghost held up behind another creature is not waited for all
// day.
#include "pilot.h"

namespace autopilot {

namespace {

// Frames an attempt may spend drawing ghosts off the way before it runs past them.
constexpr int LurePatience = 800;
// A ghost drifts half a cell in about twenty frames: one that has not come that much closer
// in this many is held up.
constexpr int HoldPatience = 80, LureBanFrames = 400;
constexpr float HoldGain = 0.5f;

} // namespace

bool tpilot::MindGhosts() {
    using Kind = tghostplan::Kind;
    if (lureBan_ > 0) --lureBan_;
    ghostPlan_ = PlanForGhosts(view_, routes_, route_, lureFrames_ < LurePatience && lureBan_ == 0,
                               ghostPlan_.kind == Kind::Dash);
    if (ghostPlan_.kind == Kind::Lure) route_ = routes_.RouteTo(ghostPlan_.column, ghostPlan_.row);
    if (ghostPlan_.kind == Kind::Lure || ghostPlan_.kind == Kind::Hold) ++lureFrames_;
    if (ghostPlan_.kind != Kind::Hold) {
        holdFrames_ = 0;
        return true;
    }
    why_ = "letting the ghost come";
    const float nearest = NearestGhost(view_, view_.hero.column, view_.hero.row);
    if (holdFrames_ == 0 || nearest < holdDistance_ - HoldGain) {
        holdFrames_ = 0;
        holdDistance_ = nearest;
    }
    if (++holdFrames_ > HoldPatience) {
        holdFrames_ = 0;
        lureBan_ = LureBanFrames;
    }
    return false;
}

} // namespace autopilot

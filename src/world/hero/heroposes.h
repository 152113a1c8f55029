#pragma once
// The hero model's pose for this frame: the jump pose in the air, the four-pose walk cycle
// (with its footsteps), the blend back to standing, and the balance wobble at an edge. The
// model store ignores a model it does not hold, so all of this is harmless without the
// hero's model (tools, tests).
void AnimatePoses();

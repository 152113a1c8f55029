#include "world/hero/herocontrols.h"

#include "engine/settings.h"

namespace {

struct tcontrol {
    bool key, pad;
    bool Either() const { return key || pad; }
    bool Both() const { return key && pad; }
};

tcontrol Read(const TDInput& input, int32_t key, int32_t pad) {
    return {input.IsKeyDown(key), input.IsPadControlOn(pad)};
}

} // namespace

int32_t DirectionFromControls(const TDInput& input) {
    const tcontrol up = Read(input, settings.KeyUp, settings.PadUp);
    const tcontrol down = Read(input, settings.KeyDown, settings.PadDown);
    const tcontrol left = Read(input, settings.KeyLeft, settings.PadLeft);
    const tcontrol right = Read(input, settings.KeyRight, settings.PadRight);

    // Each test only yields to its opposite when that is held on both the keyboard and the
    // pad; with both keyboard keys of a pair held the later test wins.
    int32_t direction = 0;
    if (up.Either() && !down.Both()) direction = 1;
    if (down.Either() && !up.Both()) direction = 5;
    if (left.Either() && !right.Both()) direction = direction == 1 ? 8 : direction == 5 ? 6 : 7;
    if (right.Either() && !left.Both()) direction = direction == 1 ? 2 : direction == 5 ? 4 : 3;
    return direction;
}

bool JumpHeld(const TDInput& input) {
    return input.IsKeyDown(settings.KeyJump) || input.IsPadControlOn(settings.PadJump);
}

// The pictures of play drawn between two steps, at the display's rate. The simulation keeps
// its 35 steps a second; while it waits for the next one, each refresh of the display shows
// the world the fraction of a step that has passed since this one. The pictures go first
// when time is short: a step that is already late is not drawn, and a refresh that comes
// while a picture is still being drawn is let go.
#include "world/loop/gameloop.h"

#include "render/displaypace.h"
#include "world/draw/inbetween.h"

bool DrawBetweenSteps(tservices& services) {
    // Late: this step is not drawn (nor does drawing it change anything), the next one comes
    // at once. Otherwise what drawing the step changes (the start picture's slide) is done
    // before the step is captured, so its pictures go from the last step's to this one's.
    const bool late = FrameBehind(services);
    const tsteplook look = late ? tsteplook{} : TakeStepLook();
    inbetween.Capture();
    if (late) return false;
    // Two references: small enough for the function object to hold without asking for memory.
    DrawUntilTick(services, [&services, &look] {
        const float alpha = services.timer->PeriodFraction();
        inbetween.Apply(alpha);
        drawnpicture.alpha = alpha;
        DrawPicture(services, look, inbetween.Camera(alpha));
        if (services.afterDraw) services.afterDraw();
        inbetween.Restore();
        PauseIfAsked(services);
    });
    return true;
}

// The pictures of play drawn between two steps, at the display's rate. The simulation keeps
// its 35 steps a second; while it waits for the next one, each refresh of the display shows
// the world the fraction of a step that has passed since this one. The pictures go first
// when time is short: a step that is already late is not drawn, and a refresh that comes
// while a picture is still being drawn is let go.
#include "world/loop/gameloop.h"

#include "render/displaypace.h"
#include "world/draw/inbetween.h"

void DrawBetweenSteps(tservices& services) {
    tdtimer& timer = *services.timer;
    inbetween.Capture();
    if (timer.FrameDue()) return; // late: this step is not drawn, the next one comes at once
    const tsteplook look = TakeStepLook();
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
}

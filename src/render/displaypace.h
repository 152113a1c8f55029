#pragma once
// Pictures at the display's rate (services.displayHz), for play drawn between its steps and
// for the screens and stories. The refreshes are counted on the frame timer's clock: refresh
// k falls at count k x frequency / hz, so a virtual clock meets every one exactly and a real
// one never drifts. With the display's own wait (services.vsync) showing a picture waits for
// the refresh; without it the clock holds the pictures to the refresh rate.
#include "render/services.h"

#include <functional>

// Draws a picture at each refresh until the next tick is due, then takes the tick. A refresh
// that comes while a picture is still being drawn is let go. For a tick not yet due: a late
// one is not drawn at all (the caller looks first).
void DrawUntilTick(tservices& services, const std::function<void()>& draw);
// Waits for the next refresh of the display (a picture has just been shown).
void WaitForRefresh(tservices& services);

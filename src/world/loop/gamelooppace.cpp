// The pictures of play drawn between two steps, at the display's rate. The simulation keeps
// its 35 steps a second; while it waits for the next one, each refresh of the display shows
// the world the fraction of a step that has passed since this one. The pictures go first
// when time is short: a step that is already late is not drawn, and a refresh that comes
// while a picture is still being drawn is let go.
#include "world/loop/gameloop.h"

#include "platform/clock.h"
#include "world/draw/inbetween.h"

#include <algorithm>
#include <cmath>

namespace {

// The refreshes of the display on the frame timer's clock: refresh k falls at count
// k x frequency / hz, so a virtual clock meets every one exactly and a real one never drifts.
class trefreshes {
  public:
    void Use(int64_t frequency, int32_t hz) {
        if (frequency == frequency_ && hz == hz_) return;
        frequency_ = frequency;
        hz_ = hz;
        next_ = 0;
    }
    bool Due(int64_t now) const { return now >= TimeOf(next_); }
    // The picture of this refresh is shown: the next one due is the first after now (the
    // refreshes missed while drawing are dropped).
    void Shown(int64_t now) { next_ = IndexAt(now) + 1; }
    int64_t CountsToNext(int64_t now) const { return std::max<int64_t>(TimeOf(next_) - now, 1); }

  private:
    // The first count at or after refresh k, and the last refresh at or before a count.
    int64_t TimeOf(int64_t k) const { return hz_ > 0 ? Scaled(k, frequency_, hz_, true) : 0; }
    int64_t IndexAt(int64_t now) const { return hz_ > 0 ? Scaled(now, hz_, frequency_, false) : 0; }
    // a x b / c rounded down or up, without overflowing for counts of many days.
    static int64_t Scaled(int64_t a, int64_t b, int64_t c, bool up) {
        const int64_t rest = a % c * b;
        return a / c * b + rest / c + (up && rest % c != 0 ? 1 : 0);
    }
    int64_t frequency_ = 0;
    int32_t hz_ = 0;
    int64_t next_ = 0;
};

trefreshes refreshes;

void Wait(tservices& services, int64_t counts) {
    if (services.waitCounts) {
        services.waitCounts(counts);
        return;
    }
    const double seconds = static_cast<double>(counts) /
                           static_cast<double>(std::max<int64_t>(services.timer->Frequency(), 1));
    sysclock::SleepMilliseconds(std::max(1, static_cast<int>(std::lround(seconds * 1000.0))));
}

} // namespace

bool DrawBetweenSteps(tservices& services) {
    tdtimer& timer = *services.timer;
    inbetween.Capture();
    if (FrameBehind(services)) return false; // late: not drawn, the next step comes at once
    const tsteplook look = TakeStepLook();
    // With the display's own wait each refresh gets its picture; without it, or when it
    // does not really wait, the pictures are held to the refresh rate by the clock.
    refreshes.Use(timer.Frequency(), services.vsync ? services.displayHz * 2 : services.displayHz);
    for (;;) {
        const int64_t now = timer.Now();
        if (refreshes.Due(now)) {
            const float alpha = timer.PeriodFraction();
            inbetween.Apply(alpha);
            drawnpicture.alpha = alpha;
            DrawPicture(services, look, inbetween.Camera(alpha));
            if (services.afterDraw) services.afterDraw();
            inbetween.Restore();
            refreshes.Shown(now);
            PauseIfAsked(services);
        }
        if (timer.FrameDue()) return true;
        Wait(services, std::min(refreshes.CountsToNext(timer.Now()), timer.CountsUntilDue()));
    }
}

#include "render/displaypace.h"

#include "platform/clock.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

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

// The display's own wait shows every refresh's picture; the clock is then only a guard
// against a driver whose wait does not really wait, at twice the rate.
void UseDisplayRate(tservices& services) {
    refreshes.Use(services.timer->Frequency(),
                  services.vsync ? services.displayHz * 2 : services.displayHz);
}

} // namespace

void DrawUntilTick(tservices& services, const std::function<void()>& draw) {
    tdtimer& timer = *services.timer;
    UseDisplayRate(services);
    for (;;) {
        const int64_t now = timer.Now();
        if (refreshes.Due(now)) {
            draw();
            refreshes.Shown(now);
        }
        if (timer.FrameDue()) return;
        Wait(services, std::min(refreshes.CountsToNext(timer.Now()), timer.CountsUntilDue()));
    }
}

void WaitForRefresh(tservices& services) {
    tdtimer& timer = *services.timer;
    UseDisplayRate(services);
    refreshes.Shown(timer.Now());
    Wait(services, refreshes.CountsToNext(timer.Now()));
}

#pragma once
// The clock of a whole-game run: a virtual counter on which every poll of the input is one
// frame of exactly one tick (1/35 s), whichever loop polled. A paced loop waits for its
// tick through the services' seam, which moves the clock to the tick; a loop that polls
// without waiting (a wait for a key to be let go, the loading picture) has the poll move it.
#include "engine/dtimer.h"
#include "world/loop/gameloop.h"

#include <cmath>
#include <cstdint>

class RunClock {
  public:
    static constexpr int64_t Frequency = 35'000'000;
    static constexpr int64_t Tick = Frequency / FramesPerSecond;

    VirtualCounter counter{Frequency};

    // The services' waitForTick seam: to the tick the timer waits for, or a whole tick on
    // when it waits for none (the pause polls between seams).
    void WaitForTick(tdtimer& timer) {
        const int64_t left = std::llround(timer.SecondsUntilDue() * double(Frequency));
        counter.Advance(left > 0 ? left : Tick);
        waited_ = true;
    }

    // The services' waitCounts seam: play drawn between its steps waits for a refresh.
    void Wait(int64_t counts) {
        counter.Advance(counts);
        waited_ = true;
    }

    // Every poll. A poll that no seam came before moves the clock itself; the frame timer
    // then starts its period afresh, as a real machine catches up at once on a loop that
    // spun without drawing: without that, the next paced loop would run one tick behind
    // for ever and never draw.
    void Poll(tdtimer* timer) {
        if (!waited_) {
            counter.Advance(Tick);
            if (timer) timer->Restart();
        }
        waited_ = false;
    }

  private:
    bool waited_ = false;
};

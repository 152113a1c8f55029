// The frame pacer: every loop of the game draws unless behind and then waits for its tick.
#include "render/services.h"

#include <gtest/gtest.h>

namespace {

// The machine's counter, counting how often it is read.
class CountedCounter : public tcountersource {
  public:
    int64_t Frequency() override { return clock.Frequency(); }
    int64_t Counter() override {
        ++reads;
        return clock.Counter();
    }
    long reads = 0;

  private:
    SystemCounter clock;
};

TEST(FramePacer, SleepsUntilTheTickInsteadOfSpinning) {
    CountedCounter counter;
    tservices services;
    services.timer = std::make_unique<tdtimer>(&counter);
    services.timer->SetFramesPerSecond(35);
    services.timer->Restart();
    constexpr int Frames = 5;
    for (int i = 0; i < Frames; ++i) WaitForTick(services);
    // Asleep until the tick the timer is read a few times a frame; a loop that spins or
    // naps a millisecond at a time reads it dozens of times over a 28 ms frame.
    EXPECT_LE(counter.reads, Frames * 6);
}

TEST(FramePacer, ABehindScheduleSkipsTheDrawing) {
    VirtualCounter clock(35'000'000);
    tservices services;
    services.timer = std::make_unique<tdtimer>(&clock);
    services.timer->Restart();
    services.waitForTick = [&] { clock.Advance(1'000'000); };
    int drawn = 0;
    DrawUnlessBehind(services, [&] { ++drawn; }); // on time: drawn, then the tick is taken
    clock.Advance(3'000'000);                     // three ticks late
    for (int i = 0; i < 4; ++i) DrawUnlessBehind(services, [&] { ++drawn; });
    EXPECT_EQ(drawn, 2); // the three late ticks are caught up without drawing
}

} // namespace

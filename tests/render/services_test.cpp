// The frame pacer: every loop of the game draws unless behind and then waits for its tick;
// with the display's rate known, a screen is drawn at every refresh in between.
#include "render/displaypace.h"
#include "render/services.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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

// A second of a menu (35 ticks) on displays of several rates: one picture per refresh, and
// the clock the rows sway by moves on evenly from one picture to the next. Without a rate,
// one picture a tick as always.
TEST(FramePacer, AScreenIsDrawnAtEveryRefreshOfTheDisplay) {
    for (const int hz : {0, 60, 144}) {
        SCOPED_TRACE(std::to_string(hz) + " Hz");
        VirtualCounter clock(35'000'000);
        tservices services;
        services.timer = std::make_unique<tdtimer>(&clock);
        services.timer->SetFramesPerSecond(35);
        services.timer->Restart();
        services.displayHz = hz;
        services.waitForTick = [&] { clock.Advance(1'000'000); };
        services.waitCounts = [&](int64_t counts) { clock.Advance(counts); };
        std::vector<double> shownAt; // seconds
        for (int tick = 0; tick < 35; ++tick)
            DrawUnlessBehind(services, [&] { shownAt.push_back(clock.Counter() / 35e6); });
        // The refresh at the very end of the second is drawn too, before its tick is taken.
        std::erase_if(shownAt, [](double t) { return t >= 1.0 - 1e-9; });
        const size_t expected = hz > 0 ? static_cast<size_t>(hz) : 35;
        ASSERT_EQ(shownAt.size(), expected);
        for (size_t i = 1; i < shownAt.size(); ++i)
            EXPECT_NEAR(shownAt[i] - shownAt[i - 1], 1.0 / static_cast<double>(expected), 1e-6)
                << "picture " << i;
    }
}

// A story's pictures without the display's wait are held to its rate, not drawn as fast as
// the machine can.
TEST(FramePacer, AStoryWithoutTheDisplaysWaitIsHeldToItsRate) {
    VirtualCounter clock(35'000'000);
    tservices services;
    services.timer = std::make_unique<tdtimer>(&clock);
    services.timer->Restart();
    services.displayHz = 60;
    services.waitCounts = [&](int64_t counts) { clock.Advance(counts); };
    for (int picture = 0; picture < 60; ++picture) WaitForRefresh(services);
    EXPECT_NEAR(clock.Counter() / 35e6, 1.0, 1.0 / 60.0);
}

} // namespace

#include "engine/dtimer.h"

#include <gtest/gtest.h>

TEST(FrameTimer, PacesAndCatchesUp) {
    VirtualCounter clock(35000); // one frame period = 1000 counts at 35 per second
    tdtimer timer(&clock);
    ASSERT_TRUE(timer.CounterPresent());
    timer.SetFramesPerSecond(35);
    timer.Restart();
    clock.Advance(999);
    EXPECT_FALSE(timer.FrameDue());
    clock.Advance(1);
    EXPECT_TRUE(timer.FrameDue());
    EXPECT_FALSE(timer.FrameDue());

    // The period start moves by one period, not to now: 1500 counts later, with 600 more,
    // two frames are due.
    clock.Advance(1500);
    EXPECT_TRUE(timer.FrameDue());
    clock.Advance(600);
    EXPECT_TRUE(timer.FrameDue());
    EXPECT_FALSE(timer.FrameDue());

    // A one-second stall: 35 frames due in a row, then none.
    timer.Restart();
    clock.AdvanceSeconds(1.0);
    int due = 0;
    while (timer.FrameDue()) ++due;
    EXPECT_EQ(due, 35);

    // Restart drops the time that passed (a pause is not caught up).
    clock.AdvanceSeconds(5.0);
    timer.Restart();
    EXPECT_FALSE(timer.FrameDue());
}

TEST(FrameTimer, Stopwatch) {
    VirtualCounter clock(1000);
    tdtimer timer(&clock);
    clock.Advance(250);
    EXPECT_FLOAT_EQ(timer.SecondsSinceLast(), 0.25f);
    EXPECT_FLOAT_EQ(timer.SecondsSinceLast(), 0.0f);

    timer.MarkTime();
    clock.Advance(1500);
    EXPECT_FLOAT_EQ(timer.SecondsSinceMark(), 1.5f);
    clock.Advance(500);
    EXPECT_FLOAT_EQ(timer.SecondsSinceMark(), 2.0f); // the mark stays
}

TEST(FrameTimer, WithoutCounterRunsUnpaced) {
    VirtualCounter none(0);
    tdtimer timer(&none);
    EXPECT_FALSE(timer.CounterPresent());
    timer.Restart();
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(timer.FrameDue());
    EXPECT_EQ(timer.SecondsSinceLast(), 0.0f);

    VirtualCounter clock(35000);
    tdtimer unset(&clock);
    unset.SetFramesPerSecond(0); // no rate: unpaced rather than a division by zero
    EXPECT_TRUE(unset.FrameDue());
}

TEST(FrameTimer, RunsOnTheMachineCounter) {
    tdtimer timer;
    EXPECT_TRUE(timer.CounterPresent());
    EXPECT_GE(timer.SecondsSinceMark(), 0.0f);
}

#pragma once
// The frame timer that paces every loop of the game at a fixed rate, and the stopwatch the
// frame-rate display and the story screens use. Time comes from a counter source so tests
// can drive it with a virtual clock.
#include <cstdint>

// A monotonic counter and its rate.
class tcountersource {
  public:
    virtual ~tcountersource() = default;
    virtual int64_t Frequency() = 0; // counts per second; 0 when there is no counter
    virtual int64_t Counter() = 0;
};

// The machine's high-resolution counter.
class SystemCounter : public tcountersource {
  public:
    int64_t Frequency() override;
    int64_t Counter() override;
};

// A counter that moves only when told to: for tests and scripted runs.
class VirtualCounter : public tcountersource {
  public:
    explicit VirtualCounter(int64_t frequency = 1'000'000) : frequency(frequency) {}
    int64_t Frequency() override { return frequency; }
    int64_t Counter() override { return now; }
    void Advance(int64_t counts) { now += counts; }
    void AdvanceSeconds(double seconds) {
        now += static_cast<int64_t>(seconds * static_cast<double>(frequency));
    }

  private:
    int64_t frequency;
    int64_t now = 0;
};

class tdtimer {
  public:
    // The source must outlive the timer; without one the machine's counter is used.
    explicit tdtimer(tcountersource* source = nullptr);

    void SetFramesPerSecond(int32_t n) { framesPerSecond = n; }
    // The current frame period begins now.
    void Restart();
    // True when the next frame period has begun. The period start advances by exactly
    // one period per true answer, so a loop that fell behind gets true repeatedly until
    // it has caught up.
    bool FrameDue();
    // Seconds since the mark, then the mark moves to now.
    float SecondsSinceLast();
    void MarkTime();
    // Seconds since the mark; the mark stays.
    float SecondsSinceMark();

    bool CounterPresent() const { return counterPresent; }
    // Seconds until the next frame period begins; 0 when it already has.
    double SecondsUntilDue();
    // The same in counts of the clock, and the clock's counts now and a second.
    int64_t CountsUntilDue();
    int64_t Now() { return source->Counter(); }
    int64_t Frequency() const { return frequency; }
    // How much of the current frame period has passed, 0 <= fraction < 1.
    float PeriodFraction();
    // Milliseconds on the counter since an arbitrary start, as a 32-bit tick count wraps.
    uint32_t TickCount();

  private:
    float Seconds(int64_t counts) const;

    tcountersource* source;
    int64_t frequency = 0;
    int64_t frameStart = 0;
    int64_t mark = 0;
    bool counterPresent = false;
    int32_t framesPerSecond = 35;
};

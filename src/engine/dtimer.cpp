#include "engine/dtimer.h"

#include "platform/clock.h"

#include <algorithm>
#include <cmath>

int64_t SystemCounter::Frequency() {
    return sysclock::CounterFrequency();
}
int64_t SystemCounter::Counter() {
    return sysclock::Counter();
}

namespace {
SystemCounter systemCounter;
}

tdtimer::tdtimer(tcountersource* source_) : source(source_ ? source_ : &systemCounter) {
    frequency = source->Frequency();
    counterPresent = frequency > 0;
    if (!counterPresent) frequency = 0;
    // Start both periods now rather than at the counter's origin, so a loop that forgets
    // Restart does not first catch up on the machine's whole uptime.
    frameStart = mark = source->Counter();
}

void tdtimer::Restart() {
    frameStart = source->Counter();
}

bool tdtimer::FrameDue() {
    // Without a counter (or a rate) every period is 0 and the loops run unpaced.
    int64_t period = framesPerSecond > 0 ? frequency / framesPerSecond : 0;
    if (source->Counter() - frameStart < period) return false;
    frameStart += period;
    return true;
}

float tdtimer::Seconds(int64_t counts) const {
    // Without a counter there is no time to measure: answer 0 rather than a NaN.
    if (frequency <= 0) return 0.0f;
    return static_cast<float>(static_cast<double>(counts) / static_cast<double>(frequency));
}

float tdtimer::SecondsSinceLast() {
    int64_t now = source->Counter();
    float seconds = Seconds(now - mark);
    mark = now;
    return seconds;
}

void tdtimer::MarkTime() {
    mark = source->Counter();
}

float tdtimer::SecondsSinceMark() {
    return Seconds(source->Counter() - mark);
}

double tdtimer::SecondsUntilDue() {
    if (frequency <= 0 || framesPerSecond <= 0) return 0.0;
    const int64_t left = frameStart + frequency / framesPerSecond - source->Counter();
    return left > 0 ? static_cast<double>(left) / static_cast<double>(frequency) : 0.0;
}

int64_t tdtimer::CountsUntilDue() {
    if (frequency <= 0 || framesPerSecond <= 0) return 0;
    const int64_t left = frameStart + frequency / framesPerSecond - source->Counter();
    return left > 0 ? left : 0;
}

float tdtimer::PeriodFraction() {
    const int64_t period = framesPerSecond > 0 ? frequency / framesPerSecond : 0;
    if (period <= 0) return 0.0f;
    const int64_t passed = std::clamp<int64_t>(source->Counter() - frameStart, 0, period - 1);
    // A float cannot tell the last counts of a long period from its end: kept below 1.
    const auto fraction =
        static_cast<float>(static_cast<double>(passed) / static_cast<double>(period));
    return std::min(fraction, std::nextafter(1.0f, 0.0f));
}

uint32_t tdtimer::TickCount() {
    if (frequency <= 0) return 0;
    const int64_t counter = source->Counter();
    // Whole seconds and the rest apart, so a large counter cannot overflow the product.
    const int64_t ms = counter / frequency * 1000 + counter % frequency * 1000 / frequency;
    return static_cast<uint32_t>(ms);
}

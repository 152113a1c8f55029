#pragma once
// The clock of the machine: a high-resolution counter, a millisecond tick count and the
// local calendar time.
#include <cstdint>

namespace sysclock {

struct LocalTime {
    int year, month, day, hour, minute, second, millisecond;
};

LocalTime Now();
int64_t CounterFrequency(); // counts per second of Counter()
int64_t Counter();
uint32_t TickCount(); // milliseconds since an arbitrary start
void SleepMilliseconds(int milliseconds);

} // namespace sysclock

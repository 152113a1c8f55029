#include "forge/sound/instruments.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace forge::sound;

namespace {

// The strongest repetition period of a stretch of sound, in samples, by autocorrelation
// with the peak located between lags by a parabola.
double Period(const Mono& s, size_t from, size_t count, int minLag, int maxLag) {
    auto correlation = [&](int lag) {
        double sum = 0;
        for (size_t i = from; i < from + count; ++i) sum += double(s[i]) * s[i + lag];
        return sum;
    };
    int best = minLag;
    double bestValue = -1e30;
    for (int lag = minLag; lag <= maxLag; ++lag) {
        const double c = correlation(lag);
        if (c > bestValue) {
            bestValue = c;
            best = lag;
        }
    }
    const double left = correlation(best - 1), right = correlation(best + 1);
    const double denominator = left - 2 * bestValue + right;
    return best + (denominator != 0 ? 0.5 * (left - right) / denominator : 0);
}

} // namespace

// Every pitched instrument plays in tune with the others: A4 is 440 Hz and A5 is 880 Hz
// within a few cents, whatever the voice is made of.
TEST(Instruments, PitchedVoicesAreInTune) {
    constexpr Instrument pitched[] = {Instrument::Pluck, Instrument::Strings, Instrument::Bass,
                                      Instrument::Flute, Instrument::Reed,    Instrument::Marimba,
                                      Instrument::Brass, Instrument::Choir,   Instrument::Organ};
    for (Instrument instrument : pitched)
        for (float note : {69.0f, 81.0f}) {
            SCOPED_TRACE(testing::Message()
                         << "instrument " << int(instrument) << " note " << note);
            const Mono s = RenderNote(instrument, note, 0.8f, 0.8f, 1);
            const double expected = SampleRate / MidiToHz(note);
            const double measured =
                // Long enough to span whole vibrato cycles, which would otherwise bias it.
                Period(s, Samples(0.1), Samples(0.6), int(expected * 0.8), int(expected * 1.2));
            const double cents = 1200 * std::log2(expected / measured);
            EXPECT_NEAR(cents, 0, 6);
        }
}

// Every voice sounds and its buffer ends in silence (a note cut off mid-wave clicks).
TEST(Instruments, EveryVoiceSoundsAndEndsSilent) {
    for (int i = 0; i <= static_cast<int>(Instrument::Cymbal); ++i) {
        SCOPED_TRACE(i);
        const Mono s = RenderNote(static_cast<Instrument>(i), 60, 0.4f, 1, 7);
        ASSERT_GT(s.size(), size_t(Samples(0.05)));
        EXPECT_GT(Peak(s), 0.01f);
        EXPECT_LT(std::abs(s.back()), 1e-3f);
        for (float v : s) ASSERT_TRUE(std::isfinite(v));
    }
}

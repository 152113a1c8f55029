#pragma once
// The synthesiser's building blocks: a noise source, oscillators, envelopes, filters and a
// small room reverb. Everything is plain arithmetic on floats with its own seeded noise, so
// the same call always gives the same samples.
#include <cmath>
#include <cstdint>
#include <vector>

namespace forge::sound {

inline constexpr int SampleRate = 44100;
inline constexpr float Pi = 3.14159265358979f;
inline constexpr float TwoPi = 2 * Pi;

using Mono = std::vector<float>;

struct Stereo {
    Mono left, right;
    size_t size() const { return left.size(); }
    void resize(size_t n) {
        left.resize(n);
        right.resize(n);
    }
};

inline int Samples(double seconds) {
    return static_cast<int>(seconds * SampleRate + 0.5);
}
inline float MidiToHz(float note) {
    return 440.0f * std::exp2((note - 69.0f) / 12.0f);
}

// White noise from a 32-bit xorshift: our own, so no library can change the sequence.
class Noise {
  public:
    explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {
        if (state_ == 0) state_ = 1;
    }
    float Next() { // -1..1
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(state_) * (2.0f / 4294967295.0f) - 1.0f;
    }
    float Uniform() { return Next() * 0.5f + 0.5f; } // 0..1

  private:
    uint32_t state_;
};

// Phase-accumulating oscillator; the waveforms read the phase in 0..1. Saw and square round
// off their jumps (polyBLEP), or high notes would fold harmonics back as harsh whistles.
class Osc {
  public:
    float Sine(float hz) { return std::sin(TwoPi * Advance(hz)); }
    float Saw(float hz) {
        const float dt = hz / SampleRate;
        const float p = Advance(hz);
        return 2 * p - 1 - Blep(p, dt);
    }
    float Square(float hz, float duty = 0.5f) {
        const float dt = hz / SampleRate;
        const float p = Advance(hz);
        float fall = p + 1 - duty;
        fall -= std::floor(fall);
        return (p < duty ? 1.0f : -1.0f) + Blep(p, dt) - Blep(fall, dt);
    }
    float Triangle(float hz) {
        float p = Advance(hz);
        return p < 0.5f ? 4 * p - 1 : 3 - 4 * p;
    }
    void Reset(float phase = 0) { phase_ = phase; }

  private:
    // The correction around a jump at phase 0, two samples wide.
    static float Blep(float p, float dt) {
        if (p < dt) {
            p /= dt;
            return p + p - p * p - 1;
        }
        if (p > 1 - dt) {
            p = (p - 1) / dt;
            return p * p + p + p + 1;
        }
        return 0;
    }
    float Advance(float hz) {
        float p = phase_;
        phase_ += hz / SampleRate;
        phase_ -= std::floor(phase_);
        return p;
    }
    float phase_ = 0;
};

// Attack-decay-sustain-release as a function of time, so voices need no state for it.
struct Adsr {
    float attack, decay, sustain, release;
    // t: seconds since note start; held: seconds the note is held.
    float At(float t, float held) const {
        float level = Level(std::min(t, held));
        if (t <= held) return level;
        float r = (t - held) / std::max(release, 1e-4f);
        return r >= 1 ? 0 : level * (1 - r) * (1 - r);
    }
    float Length(float held) const { return held + release; }

  private:
    float Level(float t) const {
        if (t < attack) return t / std::max(attack, 1e-4f);
        t -= attack;
        if (t < decay) return 1 - (1 - sustain) * (t / decay);
        return sustain;
    }
};

// exp(-t / tau), the shape of everything struck or plucked.
inline float Decay(float t, float tau) {
    return std::exp(-t / tau);
}

class OnePoleLowpass {
  public:
    float Run(float x, float cutoffHz) {
        if (cutoffHz != cutoff_) { // most filters keep one cutoff: work it out once
            cutoff_ = cutoffHz;
            a_ = 1 - std::exp(-TwoPi * cutoffHz / SampleRate);
        }
        y_ += a_ * (x - y_);
        return y_;
    }

  private:
    float y_ = 0, cutoff_ = -1, a_ = 0;
};

class OnePoleHighpass {
  public:
    float Run(float x, float cutoffHz) { return x - low_.Run(x, cutoffHz); }

  private:
    OnePoleLowpass low_;
};

// Chamberlin state-variable filter: one call gives low, band and high pass at once, and the
// cutoff may sweep every sample (filter envelopes on basses and brass).
class StateVariable {
  public:
    struct Out {
        float low, band, high;
    };
    Out Run(float x, float cutoffHz, float q) {
        if (cutoffHz != cutoff_ || q != q_) {
            cutoff_ = cutoffHz;
            q_ = q;
            f_ = 2 * std::sin(Pi * std::min(cutoffHz, SampleRate * 0.16f) / SampleRate);
            damp_ = 1 / std::max(q, 0.5f);
        }
        low_ += f_ * band_;
        float high = x - low_ - damp_ * band_;
        band_ += f_ * high;
        return {low_, band_, high};
    }

  private:
    float low_ = 0, band_ = 0;
    float cutoff_ = -1, q_ = -1, f_ = 0, damp_ = 1;
};

// A Schroeder room: parallel feedback combs into series all-passes, one set per channel
// with slightly different lengths so the tail is wide.
class Reverb {
  public:
    Reverb(float roomSize, float damping);
    // Adds the reverberated input (mono send) to out at the given level.
    void Process(const Mono& send, Stereo& out, float wet);

  private:
    struct Comb {
        std::vector<float> line;
        size_t pos = 0;
        float store = 0;
    };
    struct AllPass {
        std::vector<float> line;
        size_t pos = 0;
    };
    float RunChannel(float x, std::vector<Comb>& combs, std::vector<AllPass>& passes);
    std::vector<Comb> combsL_, combsR_;
    std::vector<AllPass> passesL_, passesR_;
    float feedback_, damping_;
};

// Largest absolute sample value.
float Peak(const Mono& samples);
float Peak(const Stereo& samples);
// Scales so the peak sits at the given level (0..1); silence stays silence.
void Normalise(Mono& samples, float peak);
void Normalise(Stereo& samples, float peak);
// Gentle saturation for loud mixes: transparent below about half scale.
float SoftClip(float x);

} // namespace forge::sound

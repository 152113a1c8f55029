#include "dsp.h"

#include <algorithm>

namespace forge::sound {

namespace {
// Freeverb's tunings, which avoid common factors so the echoes do not line up.
constexpr int CombLengths[] = {1116, 1188, 1277, 1356, 1422, 1557};
constexpr int AllPassLengths[] = {556, 441, 341};
constexpr int StereoSpread = 23;
} // namespace

Reverb::Reverb(float roomSize, float damping)
    : feedback_(0.7f + 0.28f * roomSize), damping_(damping) {
    for (int length : CombLengths) {
        combsL_.push_back({std::vector<float>(length), 0, 0});
        combsR_.push_back({std::vector<float>(length + StereoSpread), 0, 0});
    }
    for (int length : AllPassLengths) {
        passesL_.push_back({std::vector<float>(length), 0});
        passesR_.push_back({std::vector<float>(length + StereoSpread), 0});
    }
}

float Reverb::RunChannel(float x, std::vector<Comb>& combs, std::vector<AllPass>& passes) {
    float sum = 0;
    for (Comb& c : combs) {
        float y = c.line[c.pos];
        c.store = y * (1 - damping_) + c.store * damping_;
        c.line[c.pos] = x + c.store * feedback_;
        if (++c.pos == c.line.size()) c.pos = 0;
        sum += y;
    }
    for (AllPass& a : passes) {
        float delayed = a.line[a.pos];
        a.line[a.pos] = sum + delayed * 0.5f;
        if (++a.pos == a.line.size()) a.pos = 0;
        sum = delayed - sum;
    }
    return sum;
}

void Reverb::Process(const Mono& send, Stereo& out, float wet) {
    constexpr float inputGain = 0.015f;
    for (size_t i = 0; i < send.size() && i < out.size(); ++i) {
        float x = send[i] * inputGain;
        out.left[i] += wet * RunChannel(x, combsL_, passesL_);
        out.right[i] += wet * RunChannel(x, combsR_, passesR_);
    }
}

float Peak(const Mono& samples) {
    float peak = 0;
    for (float s : samples) peak = std::max(peak, std::abs(s));
    return peak;
}

float Peak(const Stereo& samples) {
    return std::max(Peak(samples.left), Peak(samples.right));
}

void Normalise(Mono& samples, float peak) {
    float current = Peak(samples);
    if (current <= 0) return;
    for (float& s : samples) s *= peak / current;
}

void Normalise(Stereo& samples, float peak) {
    float current = Peak(samples);
    if (current <= 0) return;
    for (float& s : samples.left) s *= peak / current;
    for (float& s : samples.right) s *= peak / current;
}

float SoftClip(float x) {
    if (std::abs(x) < 0.5f) return x;
    float sign = x < 0 ? -1.0f : 1.0f;
    float over = std::abs(x) - 0.5f;
    return sign * (0.5f + 0.5f * std::tanh(over * 2));
}

} // namespace forge::sound

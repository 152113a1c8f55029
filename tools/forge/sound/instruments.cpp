#include "instruments.h"

#include <algorithm>
#include <iterator>

namespace forge::sound {

namespace {

// Runs voice(t) for every sample of the note's length.
template <class Voice> Mono Play(float seconds, Voice voice) {
    Mono out(Samples(seconds));
    const float step = 1.0f / SampleRate;
    for (size_t i = 0; i < out.size(); ++i) out[i] = voice(i * step);
    return out;
}

Mono Pluck(float hz, float held, float velocity, uint32_t seed) {
    // Karplus-Strong: a burst of noise circulating in a delay line one period long, averaged
    // each pass, so the high partials die first as on a real string. The averaging delays by
    // half a sample and an all-pass supplies the fraction of a sample the line cannot, or
    // high notes would be a quarter tone sharp.
    Noise noise(seed);
    const float loop = SampleRate / hz - 0.5f;
    int length = std::max(2, static_cast<int>(loop));
    float fraction = loop - length;
    if (fraction < 0.1f && length > 2) { // keep the all-pass away from its unstable corner
        --length;
        fraction += 1;
    }
    const float allpass = (1 - fraction) / (1 + fraction);
    std::vector<float> line(length);
    OnePoleLowpass soften;
    for (float& v : line) v = soften.Run(noise.Next(), 2000 + 6000 * velocity);
    const float ring = std::min(held + 0.6f, 2.5f);
    size_t pos = 0;
    float previous = 0, apIn = 0, apOut = 0;
    return Play(ring, [&](float t) {
        const float out = line[pos];
        const float damping = t < held ? 0.998f : 0.985f; // lifting the finger mutes the string
        const float averaged = 0.5f * (out + previous) * damping;
        previous = out;
        apOut = allpass * averaged + apIn - allpass * apOut;
        apIn = averaged;
        line[pos] = apOut;
        pos = pos + 1 == line.size() ? 0 : pos + 1;
        return out * std::min((ring - t) / 0.05f, 1.0f);
    });
}

Mono Pad(float hz, float held) {
    Adsr env{0.5f, 0.6f, 0.8f, 1.0f};
    Osc a, b, c, sub;
    a.Reset(0.1f);
    b.Reset(0.6f);
    c.Reset(0.35f);
    StateVariable filter;
    return Play(env.Length(held), [&](float t) {
        float x = a.Saw(hz * 0.994f) + b.Saw(hz * 1.006f) + c.Saw(hz) + 0.8f * sub.Sine(hz / 2);
        float cutoff = 700 + 500 * std::sin(t * 0.9f) + hz;
        return 0.3f * filter.Run(x, cutoff, 0.8f).low * env.At(t, held);
    });
}

Mono Strings(float hz, float held) {
    Adsr env{0.18f, 0.2f, 0.9f, 0.45f};
    Osc a, b, c, d, vib;
    b.Reset(0.25f);
    c.Reset(0.5f);
    d.Reset(0.75f);
    StateVariable filter;
    return Play(env.Length(held), [&](float t) {
        float v = 1 + 0.005f * std::min(t / 0.4f, 1.0f) * vib.Sine(5.2f);
        float f = hz * v;
        float x = a.Saw(f * 0.996f) + b.Saw(f * 1.004f) + c.Saw(f * 0.999f) + d.Saw(f * 1.0015f);
        return 0.25f * filter.Run(x, 1800 + hz, 0.7f).low * env.At(t, held);
    });
}

Mono Bass(float hz, float held, float velocity) {
    Adsr env{0.004f, 0.25f, 0.65f, 0.08f};
    Osc body, edge;
    StateVariable filter;
    return Play(env.Length(held), [&](float t) {
        float cutoff = 180 + 1200 * velocity * Decay(t, 0.07f);
        float x = body.Sine(hz) + 0.6f * filter.Run(edge.Saw(hz), cutoff, 1.2f).low;
        return x * env.At(t, held);
    });
}

Mono Flute(float hz, float held, uint32_t seed) {
    Adsr env{0.07f, 0.1f, 0.85f, 0.15f};
    Osc a, b, c, vib;
    Noise noise(seed);
    StateVariable breath;
    return Play(env.Length(held), [&](float t) {
        float depth = 0.007f * std::clamp((t - 0.25f) / 0.3f, 0.0f, 1.0f);
        float f = hz * (1 + depth * vib.Sine(5));
        float tone = a.Sine(f) + 0.22f * b.Sine(2 * f) + 0.06f * c.Sine(3 * f);
        float air = breath.Run(noise.Next(), 2 * hz, 3).band * (0.15f + 0.4f * Decay(t, 0.05f));
        return (tone + air) * env.At(t, held);
    });
}

Mono Reed(float hz, float held) {
    Adsr env{0.03f, 0.1f, 0.8f, 0.12f};
    Osc a, vib;
    StateVariable filter;
    return Play(env.Length(held), [&](float t) {
        float f = hz * (1 + 0.005f * std::clamp(t - 0.2f, 0.0f, 1.0f) * vib.Sine(5.5f));
        return 0.6f * filter.Run(a.Square(f), hz * 3.5f, 0.8f).low * env.At(t, held);
    });
}

Mono Bell(float hz, float held) {
    Osc carrier, modulator;
    const float ring = held + 1.6f;
    return Play(ring, [&](float t) {
        float index = 1.8f * Decay(t, 0.25f);
        float x = carrier.Sine(hz + hz * index * modulator.Sine(hz * 3.5f));
        return 0.7f * x * Decay(t, 0.9f) * std::min(t / 0.002f, 1.0f) *
               std::min((ring - t) / 0.1f, 1.0f);
    });
}

Mono Marimba(float hz, float held, uint32_t seed) {
    Osc a, b;
    Noise noise(seed);
    const float ring = std::min(held, 0.4f) + 0.5f;
    return Play(ring, [&](float t) {
        float x = a.Sine(hz) * Decay(t, 0.28f) + 0.35f * b.Sine(hz * 4) * Decay(t, 0.04f);
        float mallet = t < 0.003f ? 0.3f * noise.Next() : 0.0f;
        return (x + mallet) * std::min((ring - t) / 0.05f, 1.0f);
    });
}

Mono Brass(float hz, float held, float velocity) {
    Adsr env{0.05f, 0.25f, 0.75f, 0.15f};
    Osc a, b, vib;
    b.Reset(0.3f);
    StateVariable filter;
    return Play(env.Length(held), [&](float t) {
        float f = hz * (1 + 0.004f * std::clamp(t - 0.3f, 0.0f, 1.0f) * vib.Sine(5));
        float open = std::min(t / 0.06f, 1.0f) * (0.6f + 0.4f * Decay(t, 0.3f));
        float cutoff = hz * (1.2f + 5 * open * (0.5f + 0.5f * velocity));
        return 0.45f * filter.Run(a.Saw(f) + b.Saw(f * 1.003f), cutoff, 0.9f).low * env.At(t, held);
    });
}

Mono Choir(float hz, float held, uint32_t seed) {
    Adsr env{0.35f, 0.3f, 0.9f, 0.6f};
    Osc a, b, vib;
    Noise noise(seed);
    StateVariable f1, f2, f3;
    return Play(env.Length(held), [&](float t) {
        float f = hz * (1 + 0.006f * vib.Sine(4.7f));
        float x = a.Saw(f * 0.997f) + b.Saw(f * 1.003f) + 0.1f * noise.Next();
        float y = f1.Run(x, 750, 5).band + 0.7f * f2.Run(x, 1150, 6).band +
                  0.25f * f3.Run(x, 2600, 8).band;
        return 0.5f * y * env.At(t, held);
    });
}

Mono Organ(float hz, float held) {
    Adsr env{0.01f, 0.1f, 0.9f, 0.1f};
    Osc a, b, c, d;
    return Play(env.Length(held), [&](float t) {
        float x =
            a.Sine(hz) + 0.6f * b.Sine(2 * hz) + 0.3f * c.Sine(3 * hz) + 0.2f * d.Sine(4 * hz);
        return 0.45f * x * env.At(t, held);
    });
}

Mono Kick() {
    Osc body;
    return Play(0.4f, [&](float t) {
        float hz = 45 + 90 * Decay(t, 0.03f);
        float click = t < 0.002f ? 0.5f : 0.0f;
        return body.Sine(hz) * Decay(t, 0.14f) + click;
    });
}

Mono Snare(uint32_t seed) {
    Noise noise(seed);
    OnePoleHighpass bright;
    Osc shell;
    return Play(0.3f, [&](float t) {
        float wires = bright.Run(noise.Next(), 1200) * Decay(t, 0.07f);
        return 0.8f * wires + 0.5f * shell.Sine(185) * Decay(t, 0.04f);
    });
}

Mono Hat(float tau, float seconds, uint32_t seed) {
    Noise noise(seed);
    StateVariable filter;
    return Play(seconds, [&](float t) {
        return filter.Run(noise.Next(), 8000, 1).high * Decay(t, tau) *
               std::min((seconds - t) / 0.02f, 1.0f);
    });
}

Mono Tom(float hz) {
    Osc body;
    return Play(0.5f, [&](float t) {
        return body.Sine(hz * (1 + 0.5f * Decay(t, 0.04f))) * Decay(t, 0.18f);
    });
}

Mono Shaker(uint32_t seed) {
    Noise noise(seed);
    StateVariable filter;
    return Play(0.09f, [&](float t) {
        float env = std::min(t / 0.015f, 1.0f) * Decay(t, 0.025f);
        return filter.Run(noise.Next(), 6000, 1.5f).band * env;
    });
}

Mono Timpani(float hz, uint32_t seed) {
    Osc a, b, c;
    Noise noise(seed);
    OnePoleLowpass mallet;
    return Play(1.6f, [&](float t) {
        float x = a.Sine(hz) + 0.5f * b.Sine(hz * 1.5f) * Decay(t, 0.3f) +
                  0.3f * c.Sine(hz * 1.98f) * Decay(t, 0.2f);
        float hit = mallet.Run(noise.Next(), 600) * Decay(t, 0.02f) * 3;
        return (x * Decay(t, 0.6f) + hit) * std::min((1.6f - t) / 0.1f, 1.0f);
    });
}

Mono Cymbal(uint32_t seed) {
    Noise noise(seed);
    StateVariable filter;
    return Play(2.0f, [&](float t) {
        return filter.Run(noise.Next(), 5500, 0.7f).high * Decay(t, 0.5f) *
               std::min((2.0f - t) / 0.1f, 1.0f);
    });
}

// Each voice's own loudness differs a lot (a plucked string dies at once, a choir of saws
// does not); these bring a held note of each to about the same strength.
constexpr float Loudness[] = {
    3.0f, // Pluck
    1.0f, // Pad
    1.0f, // Strings
    0.8f, // Bass
    0.9f, // Flute
    1.2f, // Reed
    2.0f, // Bell
    1.3f, // Marimba
    1.8f, // Brass
    0.6f, // Choir
    1.0f, // Organ
    0.7f, // Kick
    1.0f, // Snare
    1.0f, // HatClosed
    1.0f, // HatOpen
    1.0f, // Tom
    1.5f, // Shaker
    1.0f, // Timpani
    1.0f, // Cymbal
};
static_assert(std::size(Loudness) == static_cast<size_t>(Instrument::Cymbal) + 1);

} // namespace

Mono RenderNote(Instrument instrument, float pitch, float held, float velocity, uint32_t seed) {
    const float hz = MidiToHz(pitch);
    Mono out;
    switch (instrument) {
    case Instrument::Pluck:
        out = Pluck(hz, held, velocity, seed);
        break;
    case Instrument::Pad:
        out = Pad(hz, held);
        break;
    case Instrument::Strings:
        out = Strings(hz, held);
        break;
    case Instrument::Bass:
        out = Bass(hz, held, velocity);
        break;
    case Instrument::Flute:
        out = Flute(hz, held, seed);
        break;
    case Instrument::Reed:
        out = Reed(hz, held);
        break;
    case Instrument::Bell:
        out = Bell(hz, held);
        break;
    case Instrument::Marimba:
        out = Marimba(hz, held, seed);
        break;
    case Instrument::Brass:
        out = Brass(hz, held, velocity);
        break;
    case Instrument::Choir:
        out = Choir(hz, held, seed);
        break;
    case Instrument::Organ:
        out = Organ(hz, held);
        break;
    case Instrument::Kick:
        out = Kick();
        break;
    case Instrument::Snare:
        out = Snare(seed);
        break;
    case Instrument::HatClosed:
        out = Hat(0.02f, 0.08f, seed);
        break;
    case Instrument::HatOpen:
        out = Hat(0.15f, 0.4f, seed);
        break;
    case Instrument::Tom:
        out = Tom(hz);
        break;
    case Instrument::Shaker:
        out = Shaker(seed);
        break;
    case Instrument::Timpani:
        out = Timpani(hz, seed);
        break;
    case Instrument::Cymbal:
        out = Cymbal(seed);
        break;
    }
    const float level = velocity * Loudness[static_cast<int>(instrument)];
    for (float& s : out) s *= level;
    // Whatever a voice still sounds when its buffer ends is faded out, never cut off.
    const size_t fade = std::min(out.size(), static_cast<size_t>(Samples(0.005)));
    for (size_t i = 0; i < fade; ++i) out[out.size() - 1 - i] *= static_cast<float>(i) / fade;
    return out;
}

} // namespace forge::sound

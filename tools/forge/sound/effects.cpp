#include "effects.h"

#include <algorithm>
#include <array>
#include <functional>

namespace forge::sound {

namespace {

// Fills a buffer of the given length by calling sample(t) with t in seconds.
Mono Render(float seconds, const std::function<float(float)>& sample) {
    Mono out(Samples(seconds));
    for (size_t i = 0; i < out.size(); ++i) out[i] = sample(static_cast<float>(i) / SampleRate);
    return out;
}

// Adds b into a starting at the given time.
void MixAt(Mono& a, const Mono& b, float at, float gain = 1) {
    const size_t start = Samples(at);
    if (a.size() < start + b.size()) a.resize(start + b.size());
    for (size_t i = 0; i < b.size(); ++i) a[start + i] += gain * b[i];
}

// Short fades at both ends so an effect never starts or stops with a click.
void Taper(Mono& s, float inSeconds = 0.001f, float outSeconds = 0.01f) {
    const size_t in = std::min(s.size(), static_cast<size_t>(Samples(inSeconds)));
    const size_t out = std::min(s.size(), static_cast<size_t>(Samples(outSeconds)));
    for (size_t i = 0; i < in; ++i) s[i] *= static_cast<float>(i) / in;
    for (size_t i = 0; i < out; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / out;
}

// A struck piece of metal: a few inharmonic partials, each dying at its own rate.
Mono MetalRing(std::span<const float> partials, float seconds, float tau) {
    return Render(seconds, [&](float t) {
        float sum = 0;
        for (size_t k = 0; k < partials.size(); ++k)
            sum += std::sin(TwoPi * partials[k] * t) * Decay(t, tau / (1 + 0.5f * k)) / (1 + k);
        return sum;
    });
}

// A bang: bright noise crack, a falling thump for the body and a darker tail for the room.
struct GunVoice {
    float crackTau, thumpStart, thumpEnd, thumpTau, tailTau, tailCutoff, seconds;
    uint32_t seed;
};

Mono Gun(const GunVoice& v) {
    Noise noise(v.seed);
    OnePoleLowpass tailFilter;
    OnePoleHighpass crackFilter;
    Osc body;
    return Render(v.seconds, [&](float t) {
        float n = noise.Next();
        float crack = crackFilter.Run(n, 1500) * Decay(t, v.crackTau);
        float hz = v.thumpEnd + (v.thumpStart - v.thumpEnd) * Decay(t, 0.02f);
        float thump = body.Sine(hz) * Decay(t, v.thumpTau);
        float tail = tailFilter.Run(n, v.tailCutoff * Decay(t, 0.3f) + 200) * Decay(t, v.tailTau);
        return 1.2f * crack + 0.9f * thump + 1.6f * tail;
    });
}

Mono Pistol() {
    return Gun({0.012f, 220, 70, 0.05f, 0.09f, 2500, 0.45f, 11});
}
Mono SubmachineGun() {
    return Gun({0.007f, 300, 110, 0.025f, 0.045f, 3500, 0.22f, 12});
}
Mono AssaultRifle() {
    Mono s = Gun({0.016f, 160, 45, 0.08f, 0.16f, 1800, 0.7f, 13});
    // A second, later slap gives the rifle its heavier report.
    MixAt(s, Gun({0.004f, 400, 150, 0.01f, 0.02f, 5000, 0.05f, 14}), 0.0f, 0.6f);
    return s;
}

// Vocal tract: a buzzing source through three resonances (the vowel's formants).
struct Vowel {
    float f1, f2, f3;
};
Vowel Mix(Vowel a, Vowel b, float k) {
    return {a.f1 + (b.f1 - a.f1) * k, a.f2 + (b.f2 - a.f2) * k, a.f3 + (b.f3 - a.f3) * k};
}
constexpr Vowel Ah{730, 1090, 2440};
constexpr Vowel Uh{520, 1190, 2390};
constexpr Vowel Oo{300, 870, 2240};
constexpr Vowel Aw{570, 840, 2410};

struct Scream {
    float seconds, pitchStart, pitchEnd, rasp;
    float growl; // depth of a fast flutter in the throat: monsters have it, the hero does not
    Vowel from, to;
    uint32_t seed;
};

Mono Voice(const Scream& v) {
    Noise noise(v.seed);
    Osc glottis, wobble;
    StateVariable f1, f2, f3;
    return Render(v.seconds, [&](float t) {
        float k = t / v.seconds;
        float hz = v.pitchStart * std::pow(v.pitchEnd / v.pitchStart, k);
        hz *= 1 + 0.04f * wobble.Sine(7) + 0.03f * noise.Next(); // strain in the voice
        float source = glottis.Saw(hz) + v.rasp * noise.Next();
        Vowel vowel = Mix(v.from, v.to, k);
        float out = f1.Run(source, vowel.f1, 6).band + 0.6f * f2.Run(source, vowel.f2, 8).band +
                    0.3f * f3.Run(source, vowel.f3, 10).band;
        float envelope = std::min(t / 0.03f, 1.0f) * std::min((v.seconds - t) / 0.2f, 1.0f);
        float flutter = 1 - v.growl * (0.5f + 0.5f * std::sin(TwoPi * 33 * t));
        return out * envelope * flutter;
    });
}

Mono MonsterScream1() {
    return Voice({0.85f, 240, 95, 0.7f, 0.4f, Ah, Aw, 21});
}
Mono MonsterScream2() {
    return Voice({0.75f, 150, 70, 0.9f, 0.5f, Aw, Oo, 22});
}
Mono HeroHurt() {
    return Voice({0.32f, 300, 210, 0.25f, 0, Ah, Uh, 23});
}

Mono Ghost() {
    Noise noise(31);
    StateVariable breath;
    std::array<Osc, 3> voices;
    Osc vibrato;
    constexpr float seconds = 1.8f;
    return Render(seconds, [&](float t) {
        float glide = 660 * std::pow(0.6f, t / seconds);
        float wobble = 1 + 0.02f * vibrato.Sine(5.5f);
        float tone = voices[0].Sine(glide * wobble) + 0.7f * voices[1].Sine(glide * 1.007f) +
                     0.5f * voices[2].Sine(glide * 1.5f * wobble);
        float air = breath.Run(noise.Next(), 900 + 600 * std::sin(t * 3), 4).band;
        float envelope = std::sin(Pi * t / seconds);
        return envelope * envelope * (0.5f * tone + 0.8f * air);
    });
}

Mono Belt() {
    // Played every other frame while a conveyor is near: short, soft-edged, so the repeats
    // merge into a steady machine hum.
    Noise noise(41);
    Osc motor, rattle;
    OnePoleLowpass filter;
    constexpr float seconds = 0.14f;
    return Render(seconds, [&](float t) {
        float hum = motor.Saw(98) * 0.6f + motor.Sine(49);
        float clatter = noise.Next() * (0.5f + 0.5f * rattle.Square(28));
        float envelope = std::sin(Pi * t / seconds);
        return envelope * filter.Run(hum + 0.4f * clatter, 700);
    });
}

// Square-ish notes with a quick decay, the classic "well done" arpeggio.
Mono Complete() {
    constexpr float notes[] = {72, 76, 79, 84};
    Mono s;
    for (size_t k = 0; k < std::size(notes); ++k) {
        Osc a, b;
        float hz = MidiToHz(notes[k]);
        float hold = k + 1 == std::size(notes) ? 1.0f : 0.22f;
        MixAt(s,
              Render(hold + 0.1f,
                     [&](float t) {
                         return (0.5f * a.Square(hz, 0.3f) + b.Sine(hz * 2) * 0.4f) *
                                Decay(t, hold * 0.5f) * std::min(t / 0.005f, 1.0f);
                     }),
              0.11f * k);
    }
    // The last note becomes a chord.
    for (float note : {76.0f, 79.0f}) {
        Osc a;
        float hz = MidiToHz(note);
        MixAt(s, Render(1.1f, [&](float t) { return 0.5f * a.Triangle(hz) * Decay(t, 0.5f); }),
              0.33f);
    }
    return s;
}

Mono BulletHit() {
    Noise noise(51);
    OnePoleLowpass filter;
    Osc thump;
    return Render(0.16f, [&](float t) {
        float slap = filter.Run(noise.Next(), 2500) * Decay(t, 0.02f);
        return slap + 0.8f * thump.Sine(130 - 300 * t) * Decay(t, 0.04f);
    });
}

Mono PointsTick() {
    Osc a;
    return Render(0.12f, [&](float t) {
        float hz = t < 0.04f ? 1976 : 2637; // B6 then E7, a coin's "ding-ding"
        return a.Square(hz, 0.5f) * 0.4f * Decay(t < 0.04f ? t : t - 0.04f, 0.03f);
    });
}

// A mechanical click: a tiny noise tick that rings a small resonant body.
Mono Click(float seconds, float ringHz, float tau, uint32_t seed) {
    Noise noise(seed);
    StateVariable body;
    return Render(seconds, [&](float t) {
        float tick = t < 0.002f ? noise.Next() : 0.0f;
        return body.Run(tick * 20, ringHz, 12).band * Decay(t, tau) + tick * 0.3f;
    });
}

Mono Reload() {
    Mono s = Click(0.06f, 2300, 0.015f, 61);
    MixAt(s, Click(0.08f, 3400, 0.02f, 62), 0.09f, 1.3f);
    return s;
}

Mono MenuClick() {
    Mono s = Click(0.05f, 2800, 0.008f, 71);
    Taper(s, 0.0005f, 0.005f);
    return s;
}

Mono SwitchPlate() {
    Osc low;
    Mono s = Render(0.2f, [&](float t) { return low.Sine(190 - 200 * t) * Decay(t, 0.04f); });
    MixAt(s, Click(0.05f, 1600, 0.01f, 81), 0.0f, 0.8f);
    MixAt(s, Click(0.06f, 1300, 0.012f, 82), 0.09f, 0.5f);
    return s;
}

Mono Spikes() {
    Noise noise(91);
    StateVariable swish;
    Mono s = Render(0.25f, [&](float t) {
        float hz = 1200 + 20000 * t; // a rising scrape as the blades shoot up
        return swish.Run(noise.Next(), hz, 3).band * Decay(t, 0.06f);
    });
    constexpr float partials[] = {1730, 2870, 4310, 6020};
    MixAt(s, MetalRing(partials, 0.45f, 0.12f), 0.03f, 0.5f);
    return s;
}

Mono Teleport() {
    Osc carrier, modulator, shimmer;
    constexpr float seconds = 0.9f;
    return Render(seconds, [&](float t) {
        float k = t / seconds;
        float hz = 250 * std::pow(8.0f, k);
        float fm = carrier.Sine(hz + 300 * k * modulator.Sine(hz * 1.5f));
        float tremolo = 0.6f + 0.4f * shimmer.Sine(24);
        return fm * tremolo * std::sin(Pi * k);
    });
}

// A footstep: a heel thud and a scuff of the sole; hard ground rings a little.
Mono Step(float thudCutoff, float scuffHz, float scuffQ, float tau, uint32_t seed) {
    Noise noise(seed);
    OnePoleLowpass thud;
    StateVariable scuff;
    Mono s = Render(0.16f, [&](float t) {
        float n = noise.Next();
        float heel = thud.Run(n, thudCutoff) * 3 * Decay(t, 0.025f);
        float sole = scuff.Run(n, scuffHz, scuffQ).band * Decay(t, tau);
        return heel + sole;
    });
    Taper(s, 0.001f, 0.02f);
    return s;
}

Mono SoftStep() {
    return Step(500, 1800, 0.8f, 0.035f, 101);
}
Mono HardStep() {
    return Step(900, 1250, 6, 0.02f, 102);
}

// A brass casing bouncing on the floor: three rings of shrinking strength and spacing.
Mono Shell(std::span<const float> partials, float firstGap) {
    Mono s;
    float at = 0, gain = 1, gap = firstGap;
    for (int bounce = 0; bounce < 4; ++bounce) {
        MixAt(s, MetalRing(partials, 0.12f, 0.03f), at, gain);
        at += gap;
        gap *= 0.6f;
        gain *= 0.55f;
    }
    return s;
}

Mono Shell1() {
    constexpr float partials[] = {3150, 5240, 7930};
    return Shell(partials, 0.09f);
}
Mono Shell2() {
    constexpr float partials[] = {2830, 4700, 8410};
    return Shell(partials, 0.11f);
}

Mono Crack() {
    // Grains of snapping stone growing denser, over a low rumble.
    Noise noise(111), grains(112);
    OnePoleLowpass rumble;
    OnePoleHighpass snap;
    constexpr float seconds = 0.8f;
    float grain = 0;
    return Render(seconds, [&](float t) {
        float k = t / seconds;
        if (grains.Uniform() < 0.002f + 0.006f * k) grain = 1;
        grain *= 0.992f;
        float n = noise.Next();
        float snaps = snap.Run(n, 2000) * grain;
        float low = rumble.Run(n, 150) * 4;
        return (snaps + low) * std::min(k * 20, 1.0f) * std::min((1 - k) * 6, 1.0f);
    });
}

Mono Pickup() {
    // Two bell notes: frequency modulation at a non-integer ratio gives the metallic shimmer.
    Mono s;
    constexpr float notes[] = {88, 95};
    for (size_t k = 0; k < std::size(notes); ++k) {
        Osc carrier, modulator;
        float hz = MidiToHz(notes[k]);
        MixAt(s,
              Render(0.35f,
                     [&](float t) {
                         float index = 2 * Decay(t, 0.08f);
                         return carrier.Sine(hz + hz * index * modulator.Sine(hz * 3.5f)) *
                                Decay(t, 0.12f);
                     }),
              0.07f * k);
    }
    return s;
}

Mono Splat() {
    Noise noise(121);
    StateVariable squelch;
    OnePoleLowpass body;
    return Render(0.28f, [&](float t) {
        float n = noise.Next();
        float wet = squelch.Run(n, 2600 * Decay(t, 0.05f) + 250, 5).band;
        return (wet + 1.5f * body.Run(n, 400)) * Decay(t, 0.06f);
    });
}

Mono ArrowTrap() {
    // The bowstring's twang (a plucked string by delay-line averaging) and the arrow's whoosh.
    Noise noise(131);
    const int period = SampleRate / 98;
    std::vector<float> string(period);
    for (float& v : string) v = noise.Next();
    size_t pos = 0;
    Mono s = Render(0.4f, [&](float) {
        float a = string[pos], b = string[(pos + 1) % string.size()];
        string[pos] = 0.5f * (a + b) * 0.985f;
        pos = (pos + 1) % string.size();
        return a;
    });
    StateVariable air;
    MixAt(s,
          Render(0.35f,
                 [&](float t) {
                     return air.Run(noise.Next(), 3500 - 6000 * t, 2).band *
                            std::sin(Pi * t / 0.35f);
                 }),
          0.02f, 1.2f);
    return s;
}

Mono RockTrap() {
    Noise noise(141);
    OnePoleLowpass rumble, grit;
    Osc thump;
    constexpr float seconds = 0.7f;
    return Render(seconds, [&](float t) {
        float n = noise.Next();
        float k = t / seconds;
        float scrape = rumble.Run(n, 180) * 5 + grit.Run(n, 1200) * (noise.Uniform() < 0.05f);
        float launch = thump.Sine(90 - 60 * k) * Decay(t, 0.08f);
        return (scrape * std::min(t / 0.02f, 1.0f) * (1 - k) + 1.2f * launch);
    });
}

constexpr EffectRecipe Recipes[] = {
    {"snd\\ghost.wav", Ghost, 0.7f},          {"snd\\belt.wav", Belt, 0.35f},
    {"snd\\complete.wav", Complete, 0.8f},    {"snd\\lats2.wav", BulletHit, 0.75f},
    {"snd\\points2.wav", PointsTick, 0.5f},   {"snd\\clip.wav", Reload, 0.7f},
    {"snd\\spikes1.wav", Spikes, 0.75f},      {"snd\\teleport.wav", Teleport, 0.7f},
    {"snd\\button.wav", SwitchPlate, 0.75f},  {"snd\\shot.wav", Pistol, 0.89f},
    {"snd\\shot2.wav", SubmachineGun, 0.8f},  {"snd\\shot3.wav", AssaultRifle, 0.89f},
    {"snd\\askel.wav", SoftStep, 0.45f},      {"snd\\askel2.wav", HardStep, 0.5f},
    {"snd\\shell1.wav", Shell1, 0.35f},       {"snd\\shell2.wav", Shell2, 0.35f},
    {"snd\\crack.wav", Crack, 0.75f},         {"snd\\naps.wav", MenuClick, 0.6f},
    {"snd\\argh1.wav", MonsterScream1, 0.8f}, {"snd\\argh2.wav", MonsterScream2, 0.8f},
    {"snd\\auts.wav", HeroHurt, 0.8f},        {"snd\\test.wav", Pickup, 0.6f},
    {"snd\\hit.wav", Splat, 0.75f},           {"snd\\arrow.wav", ArrowTrap, 0.75f},
    {"snd\\rock.wav", RockTrap, 0.85f},
};

} // namespace

std::span<const EffectRecipe> Effects() {
    return Recipes;
}

Mono RenderEffect(const EffectRecipe& recipe) {
    Mono s = recipe.make();
    Taper(s);
    Normalise(s, recipe.peak);
    return s;
}

} // namespace forge::sound

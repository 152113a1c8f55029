#include "forge_sound/audiofiles.h"

#include "forge/sound/effects.h"
#include "forge/sound/encode.h"
#include "render/assetorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

using namespace forge::sound;

namespace {

const EffectRecipe* FindEffect(std::string_view file) {
    for (const EffectRecipe& r : Effects())
        if (file == r.file) return &r;
    return nullptr;
}

} // namespace

// Every effect the game loads is made, as a mono 16-bit file a player opens, short, audible and
// below full scale, and starting without a click.
TEST(SoundEffects, EveryLoadedEffectIsAShortCleanWav) {
    int loaded = 0;
    for (const AssetEntry& entry : AssetOrder) {
        if (entry.kind != AssetKind::Effect) continue;
        ++loaded;
        SCOPED_TRACE(entry.file);
        const EffectRecipe* recipe = FindEffect(entry.file);
        ASSERT_NE(recipe, nullptr) << "no recipe";
        const audiofiles::Wav wav = audiofiles::ReadWav(EncodeWav(RenderEffect(*recipe)));
        ASSERT_TRUE(wav.ok) << wav.problem;
        EXPECT_EQ(wav.channels, 1);
        EXPECT_EQ(wav.rate, SampleRate);
        EXPECT_EQ(wav.bits, 16);
        EXPECT_GT(wav.Seconds(), 0.03);
        EXPECT_LT(wav.Seconds(), 2.0);
        int peak = 0;
        for (int16_t s : wav.samples) peak = std::max(peak, std::abs(int(s)));
        EXPECT_LT(peak, 32767) << "clips";
        EXPECT_GT(peak, 32767 / 10) << "too quiet";
        EXPECT_LT(std::abs(int(wav.samples.front())), 328) << "starts with a click";
        EXPECT_LT(std::abs(int(wav.samples.back())), 328) << "ends with a click";
    }
    EXPECT_EQ(loaded, 25);
    EXPECT_EQ(Effects().size(), size_t(loaded)) << "a recipe the game never loads";
}

// The three guns must not sound alike: the rifle is the longest and the submachine gun, which
// fires many times a second, the shortest.
TEST(SoundEffects, GunsAndFootstepsDiffer) {
    auto length = [](const char* file) { return RenderEffect(*FindEffect(file)).size(); };
    EXPECT_LT(length("snd\\shot2.wav"), length("snd\\shot.wav"));
    EXPECT_LT(length("snd\\shot.wav"), length("snd\\shot3.wav"));
    EXPECT_NE(RenderEffect(*FindEffect("snd\\askel.wav")),
              RenderEffect(*FindEffect("snd\\askel2.wav")));
    EXPECT_NE(RenderEffect(*FindEffect("snd\\shell1.wav")),
              RenderEffect(*FindEffect("snd\\shell2.wav")));
    // The conveyor hum is triggered every other frame; longer than a few frames it would pile up.
    EXPECT_LT(length("snd\\belt.wav"), size_t(SampleRate / 5));
}

TEST(SoundEffects, SameRecipeGivesTheSameBytes) {
    for (const EffectRecipe& r : Effects()) {
        SCOPED_TRACE(r.file);
        EXPECT_EQ(EncodeWav(RenderEffect(r)), EncodeWav(RenderEffect(r)));
    }
}

TEST(SoundEffects, WavWriterClampsAndRoundsSamples) {
    const audiofiles::Wav wav = audiofiles::ReadWav(EncodeWav({0.0f, 1.5f, -2.0f, 0.5f}));
    ASSERT_TRUE(wav.ok) << wav.problem;
    EXPECT_EQ(wav.samples, (std::vector<int16_t>{0, 32767, -32767, 16384}));
}

#include "engine/soundfx.h"

#include "forge/sound/encode.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

// A folder of generated sounds, removed afterwards.
class SoundFolder {
  public:
    SoundFolder() : path_(fs::temp_directory_path() / ("tarnhollow-sound-" + Unique())) {
        fs::create_directories(path_);
        // Tests run outside ctest too: make sure no real sound card is needed.
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
    ~SoundFolder() { fs::remove_all(path_); }

    // A 16-bit mono tone; the name may end in ".ogg": the decoder goes by the contents.
    std::string Tone(const std::string& name, double seconds) const {
        const uint32_t rate = 22050;
        const uint32_t samples = static_cast<uint32_t>(seconds * rate);
        std::string data;
        for (uint32_t i = 0; i < samples; ++i) {
            int16_t v = static_cast<int16_t>((i / 25) % 2 ? 8000 : -8000);
            data.append(reinterpret_cast<const char*>(&v), 2);
        }
        std::string wav = "RIFF";
        auto u32 = [&](uint32_t v) { wav.append(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&](uint16_t v) { wav.append(reinterpret_cast<const char*>(&v), 2); };
        u32(36 + static_cast<uint32_t>(data.size()));
        wav += "WAVEfmt ";
        u32(16);
        u16(1); // PCM
        u16(1); // mono
        u32(rate);
        u32(rate * 2); // bytes a second
        u16(2);        // bytes a frame
        u16(16);       // bits
        wav += "data";
        u32(static_cast<uint32_t>(data.size()));
        wav += data;
        std::string file = (path_ / name).string();
        std::ofstream(file, std::ios::binary) << wav;
        return file;
    }
    // A stereo Ogg Vorbis tone, loud from its first sample to its last.
    std::string OggTone(const std::string& name, double seconds) const {
        forge::sound::Stereo tone;
        tone.resize(static_cast<size_t>(seconds * forge::sound::SampleRate));
        for (size_t i = 0; i < tone.size(); ++i)
            tone.left[i] = tone.right[i] = (i / 50) % 2 ? 0.5f : -0.5f;
        std::string file = (path_ / name).string();
        std::ofstream(file, std::ios::binary) << forge::sound::EncodeOgg(tone, 0.5f);
        return file;
    }
    std::string Missing() const { return (path_ / "missing.ogg").string(); }

  private:
    static std::string Unique() {
        return std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    }
    fs::path path_;
};

// Waits (up to a generous limit: the test machine may be busy) until the music stops.
bool MusicStopsWithin(std::chrono::milliseconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (!audio::MusicPlaying()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

} // namespace

TEST(SoundEffects, OverlapOutOfRangeAndVolumeZero) {
    SoundFolder folder;
    taudiere sound;
    ASSERT_TRUE(sound.HasDevice());
    EXPECT_EQ(sound.LoadEffect(folder.Tone("shot.wav", 2.0)), 0);
    EXPECT_EQ(sound.LoadEffect(folder.Missing()), 1); // keeps its index, plays nothing
    EXPECT_EQ(sound.LoadEffect(folder.Tone("jump.wav", 2.0)), 2);

    long started = audio::PlaysStarted();
    sound.PlayEffect(0, 0.0f);
    sound.PlayEffect(1, 1.0f);
    sound.PlayEffect(3, 1.0f);
    sound.PlayEffect(-1, 1.0f);
    EXPECT_EQ(audio::PlaysStarted(), started);
    EXPECT_EQ(audio::EffectsPlaying(), 0);

    // The same effect twice in a row sounds twice; a volume above 1 is taken as 1.
    sound.PlayEffect(0, 1.0f);
    sound.PlayEffect(0, 2.5f);
    EXPECT_EQ(audio::PlaysStarted(), started + 2);
    EXPECT_EQ(audio::EffectsPlaying(), 2);

    sound.StopAll();
    EXPECT_EQ(sound.EffectCount(), 0);
    EXPECT_EQ(audio::EffectsPlaying(), 0);
    sound.PlayEffect(0, 1.0f);
    EXPECT_EQ(audio::PlaysStarted(), started + 2);
}

TEST(SoundMusic, SamePieceGoesOnAndSilentOnceLeavesTheOldName) {
    SoundFolder folder;
    taudiere sound;
    ASSERT_TRUE(sound.HasDevice());
    std::string menu = folder.Tone("menu.ogg", 3.0);
    std::string level = folder.Tone("level.ogg", 3.0);

    sound.PlayMusic(menu, 0.5f);
    EXPECT_TRUE(audio::MusicPlaying());
    long started = audio::PlaysStarted();
    sound.PlayMusic(menu, 1.0f);
    sound.PlayMusicOnce(menu, 1.0f);
    EXPECT_EQ(audio::PlaysStarted(), started);
    EXPECT_TRUE(audio::MusicPlaying());

    sound.PlayMusicOnce(level, 0.0f);
    EXPECT_FALSE(sound.HasMusic());
    EXPECT_FALSE(audio::MusicPlaying());
    EXPECT_EQ(sound.MusicName(), menu);
    sound.SetMusicVolume(1.0f); // nothing to set

    // Volume 0 still starts the piece, silently, so it can be turned up later.
    sound.PlayMusic(level, 0.0f);
    EXPECT_TRUE(sound.HasMusic());
    EXPECT_TRUE(audio::MusicPlaying());
    EXPECT_EQ(sound.MusicName(), level);
    EXPECT_EQ(audio::PlaysStarted(), started + 1);

    // A piece that cannot be opened, or is not music at all, is silence, not a failure.
    sound.PlayMusic(folder.Missing(), 1.0f);
    EXPECT_FALSE(sound.HasMusic());
    EXPECT_FALSE(audio::MusicPlaying());
    EXPECT_EQ(sound.MusicName(), folder.Missing());
    sound.SetMusicVolume(0.3f);
    std::string notMusic = folder.Tone("broken.ogg", 0.1);
    std::ofstream(notMusic, std::ios::binary) << "OggS but nothing a decoder wants";
    sound.PlayMusic(notMusic, 1.0f);
    EXPECT_FALSE(sound.HasMusic());
    EXPECT_FALSE(audio::MusicPlaying());
}

TEST(SoundMusic, OnceEndsRepeatGoesOn) {
    SoundFolder folder;
    taudiere sound;
    ASSERT_TRUE(sound.HasDevice());
    std::string shortPiece = folder.Tone("short.ogg", 0.05);

    auto before = std::chrono::steady_clock::now();
    sound.PlayMusicOnce(shortPiece, 1.0f);
    ASSERT_TRUE(MusicStopsWithin(std::chrono::seconds(10)));
    auto took = std::chrono::steady_clock::now() - before;

    sound.StopAll();
    sound.PlayMusic(shortPiece, 1.0f);
    std::this_thread::sleep_for(3 * took + std::chrono::milliseconds(100));
    EXPECT_TRUE(audio::MusicPlaying());
}

// What the device sounds, heard through the output tap until the listener is dropped.
class Listener {
  public:
    Listener() {
        audio::TapOutput([this](const int16_t* samples, size_t count) {
            for (size_t i = 0; i < count; ++i) {
                const long level = std::abs(samples[i]);
                ++samples_;
                if (level > peak_) peak_ = level;
                if (level > 100) {
                    ++loud_;
                    quiet_ = 0;
                } else if (loud_ > 0 && ++quiet_ > longestQuiet_) {
                    longestQuiet_ = quiet_;
                }
            }
        });
    }
    ~Listener() { audio::TapOutput(nullptr); }

    // Waits (up to a generous limit: the test machine may be busy) for n more samples.
    void Hear(long n, bool loudOnly) {
        const std::atomic<long>& counter = loudOnly ? loud_ : samples_;
        const long until = counter + n;
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (counter < until && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_GE(counter, until);
    }
    long Loud() const { return loud_; }
    long Peak() const { return peak_; }
    // The longest run of quiet samples since the first loud one.
    long LongestQuiet() const { return longestQuiet_; }

  private:
    std::atomic<long> samples_{0}, loud_{0}, peak_{0}, longestQuiet_{0};
    long quiet_ = 0; // the sound thread's own
};

// Level music at volume 0 is silent until turned up; then it plays at the new volume, and
// going back to its start leaves no block of silence where the piece ends (streamed music is
// read ahead in blocks), or every level's music would stutter once a round.
TEST(SoundMusic, SilentUntilTurnedUpThenRepeatsWithoutAGap) {
    SoundFolder folder;
    taudiere sound;
    ASSERT_TRUE(sound.HasDevice());
    std::string piece = folder.OggTone("round.ogg", 0.1); // square wave at half the full scale
    const long round = 2 * 44100 / 10;                    // samples a round, stereo

    Listener listener;
    sound.PlayMusic(piece, 0.0f);
    listener.Hear(3 * round, false);
    EXPECT_EQ(listener.Loud(), 0);

    sound.SetMusicVolume(0.5f);
    listener.Hear(5 * round, true);
    EXPECT_GT(listener.Peak(), 32767 / 4 * 8 / 10);
    EXPECT_LT(listener.Peak(), 32767 / 4 * 13 / 10);
    // A square wave's samples are never quiet for more than a few in a row.
    EXPECT_LT(listener.LongestQuiet(), 16);
}

TEST(SoundDevice, NoDeviceRunsSilent) {
    const char* old = std::getenv("SDL_AUDIODRIVER");
    std::string saved = old ? old : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    {
        SoundFolder folder;
        taudiere sound;
        EXPECT_FALSE(sound.HasDevice());
        EXPECT_EQ(sound.LoadEffect(folder.Tone("shot.wav", 0.1)), 0);
        EXPECT_EQ(sound.LoadEffect(folder.Tone("jump.wav", 0.1)), 1);
        sound.PlayEffect(1, 1.0f);
        sound.PlayMusic(folder.Tone("menu.ogg", 0.1), 1.0f);
        EXPECT_EQ(sound.MusicName(), folder.Tone("menu.ogg", 0.1));
        sound.SetMusicVolume(0.5f);
        EXPECT_FALSE(audio::MusicPlaying());
        sound.StopAll();
    }
    if (old)
        setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
}

#pragma once
// Sound output through SDL_mixer: one device, samples decoded whole into memory, one
// music channel and a pool of effect channels. A machine without sound (no device, or
// the device will not open) is not an error: samples then load as nothing and the game
// runs silent.
#include <memory>
#include <string_view>

struct Mix_Chunk;

namespace audio {

// Holds the output device open for its lifetime (shared when several exist).
class Output {
  public:
    Output();
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    bool IsOpen() const { return open_; }

  private:
    bool open_ = false;
};

class Sample {
  public:
    // WAV or Ogg Vorbis, decoded whole. nullptr when no device is open or the file cannot
    // be read or decoded.
    static std::unique_ptr<Sample> Load(std::string_view gamePath);
    ~Sample(); // stops every play of it
    Sample(const Sample&) = delete;
    Sample& operator=(const Sample&) = delete;

  private:
    explicit Sample(Mix_Chunk* chunk) : chunk_(chunk) {}
    Mix_Chunk* chunk_;
    friend void PlayEffect(const Sample&, float);
    friend void PlayMusic(const Sample&, float, bool);
};

// Volumes are 0..1; anything outside is clamped.

// A new play on an effect channel of its own, so plays of one sample overlap.
void PlayEffect(const Sample& sample, float volume);
// Replaces whatever the music channel plays.
void PlayMusic(const Sample& sample, float volume, bool repeat);
void SetMusicVolume(float volume);
void StopMusic();
bool MusicPlaying();
void StopEverything();

// What the device is doing, for tests and the headless runner: plays started since the
// program began, and effect channels sounding now.
long PlaysStarted();
int EffectsPlaying();

} // namespace audio

#pragma once
// Sound output through SDL_mixer: one device, effects decoded whole into memory and played
// on a pool of channels, and one piece of music streamed from its file. A piece runs for
// minutes and would take tens of megabytes decoded; streamed, it holds a file handle and a
// decoder's buffers, and a new area's music no longer leaves the old one's blocks behind.
// A machine without sound (no device, or the device will not open) is not an error:
// sounds then load as nothing and the game runs silent.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

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
};

class Music {
  public:
    // Ogg Vorbis (or WAV), opened for streaming: the headers are read now, the sound as it
    // plays. nullptr when no device is open or the file cannot be opened or is not music.
    static std::unique_ptr<Music> Open(std::string_view gamePath);
    ~Music(); // stops it if it is the piece playing
    Music(const Music&) = delete;
    Music& operator=(const Music&) = delete;

  private:
    explicit Music(Mix_Music* music) : music_(music) {}
    Mix_Music* music_;
    friend void PlayMusic(const Music&, float, bool);
};

// Volumes are 0..1; anything outside is clamped.

// A new play on an effect channel of its own, so plays of one sample overlap.
void PlayEffect(const Sample& sample, float volume);
// Replaces whatever music plays. A repeating piece goes back to its start without a gap.
void PlayMusic(const Music& music, float volume, bool repeat);
void SetMusicVolume(float volume);
void StopMusic();
bool MusicPlaying();
void StopEverything();

// What the device is doing, for tests and the headless runner: plays started since the
// program began, and effect channels sounding now.
long PlaysStarted();
int EffectsPlaying();
// Hands every block the device sounds (interleaved 16-bit samples) to tap, on the
// sound thread; an empty tap stops the handing.
using OutputTap = std::function<void(const int16_t* samples, size_t count)>;
void TapOutput(OutputTap tap);

} // namespace audio

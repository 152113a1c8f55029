#pragma once
// Sound effects and music. Effects are loaded once at start-up and addressed by their
// index in load order; one piece of music plays at a time. Volumes are 0..1 (the settings'
// percent / 100); values above 1 are taken as 1. Without a sound device everything here
// still works, silently.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/audio.h"

class taudiere {
  public:
    taudiere(); // opens the sound device
    ~taudiere();
    taudiere(const taudiere&) = delete;
    taudiere& operator=(const taudiere&) = delete;

    // Appends the WAV file as the next effect and answers its index. A file that cannot
    // be opened still takes its index and plays as silence.
    int LoadEffect(std::string_view fileName);
    void PlayEffect(int index, float volume);
    // Starts the Ogg Vorbis piece, repeating; the piece already playing under this name
    // goes on uninterrupted.
    void PlayMusic(std::string_view fileName, float volume);
    // Like PlayMusic, but plays once; with volume 0 nothing plays afterwards and the
    // name of the previous piece stays.
    void PlayMusicOnce(std::string_view fileName, float volume);
    void SetMusicVolume(float volume);
    void StopAll();

    bool HasDevice() const { return device_.IsOpen(); }
    const std::string& MusicName() const { return musicName_; }
    bool HasMusic() const { return music_ != nullptr; }
    int EffectCount() const { return static_cast<int>(effects_.size()); }

  private:
    void StartMusic(std::string_view fileName, float volume, bool repeat);

    audio::Output device_;
    std::unique_ptr<audio::Music> music_;
    std::vector<std::unique_ptr<audio::Sample>> effects_; // nullptr: failed to open
    std::string musicName_;
};

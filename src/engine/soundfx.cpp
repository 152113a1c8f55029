#include "engine/soundfx.h"

taudiere::taudiere() = default;

taudiere::~taudiere() {
    StopAll();
}

int taudiere::LoadEffect(std::string_view fileName) {
    effects_.push_back(audio::Sample::Load(fileName));
    return static_cast<int>(effects_.size()) - 1;
}

void taudiere::PlayEffect(int index, float volume) {
    if (index < 0 || index >= static_cast<int>(effects_.size())) return;
    if (!(volume > 0.0f)) return;
    if (effects_[index]) audio::PlayEffect(*effects_[index], volume);
}

void taudiere::StartMusic(std::string_view fileName, float volume, bool repeat) {
    music_ = audio::Music::Open(fileName);
    musicName_ = fileName;
    if (music_) audio::PlayMusic(*music_, volume, repeat);
}

void taudiere::PlayMusic(std::string_view fileName, float volume) {
    if (fileName == musicName_) return;
    audio::StopMusic();
    music_.reset();
    StartMusic(fileName, volume, true);
}

void taudiere::PlayMusicOnce(std::string_view fileName, float volume) {
    if (fileName == musicName_) return;
    audio::StopMusic();
    music_.reset();
    if (volume != 0.0f) StartMusic(fileName, volume, false);
}

void taudiere::SetMusicVolume(float volume) {
    if (music_) audio::SetMusicVolume(volume);
}

void taudiere::StopAll() {
    audio::StopEverything();
    effects_.clear();
    music_.reset();
    // Forgetting the piece means forgetting its name too: otherwise the next PlayMusic of
    // the same piece would take it for still playing and stay silent.
    musicName_.clear();
}

#include "platform/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <string>

#include "platform/files.h"

namespace audio {
namespace {

constexpr int EffectChannels = 32;
constexpr int EffectGroup = 1;

// SDL_mixer is one device per process; Output objects share it.
int openCount = 0;
long playsStarted = 0;
OutputTap outputTap; // read on the sound thread

void CallTap(void*, Uint8* stream, int bytes) {
    if (outputTap) outputTap(reinterpret_cast<const int16_t*>(stream), bytes / sizeof(int16_t));
}

int MixerVolume(float volume) {
    if (!(volume > 0.0f)) return 0; // also NaN
    if (volume > 1.0f) volume = 1.0f;
    return static_cast<int>(std::lround(volume * MIX_MAX_VOLUME));
}

bool OpenDevice() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(EffectChannels);
    Mix_GroupChannels(0, EffectChannels - 1, EffectGroup);
    return true;
}

void CloseDevice() {
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool DeviceOpen() {
    return openCount > 0;
}

} // namespace

Output::Output() {
    if (openCount > 0 || OpenDevice()) {
        open_ = true;
        ++openCount;
    }
}

Output::~Output() {
    if (open_ && --openCount == 0) CloseDevice();
}

std::unique_ptr<Sample> Sample::Load(std::string_view gamePath) {
    if (!DeviceOpen()) return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV(files::NativePath(gamePath).c_str());
    if (!chunk) return nullptr;
    return std::unique_ptr<Sample>(new Sample(chunk));
}

Sample::~Sample() {
    Mix_FreeChunk(chunk_);
}

std::unique_ptr<Music> Music::Open(std::string_view gamePath) {
    if (!DeviceOpen()) return nullptr;
    // By contents, as effects are: Mix_LoadMUS would trust the name's ending instead.
    SDL_RWops* file = SDL_RWFromFile(files::NativePath(gamePath).c_str(), "rb");
    if (!file) return nullptr;
    Mix_Music* music = Mix_LoadMUS_RW(file, 1);
    if (!music) return nullptr;
    return std::unique_ptr<Music>(new Music(music));
}

Music::~Music() {
    Mix_FreeMusic(music_);
}

void PlayEffect(const Sample& sample, float volume) {
    if (!DeviceOpen()) return;
    int channel = Mix_GroupAvailable(EffectGroup);
    if (channel < 0) { // every channel busy: the oldest sound makes room
        channel = Mix_GroupOldest(EffectGroup);
        Mix_HaltChannel(channel);
    }
    // Volume first, so the start of the sound is not heard at the channel's old volume.
    Mix_Volume(channel, MixerVolume(volume));
    if (Mix_PlayChannel(channel, sample.chunk_, 0) >= 0) ++playsStarted;
}

void PlayMusic(const Music& music, float volume, bool repeat) {
    if (!DeviceOpen()) return;
    Mix_HaltMusic();
    // The mixer keeps one music volume and hands it to the next piece it starts.
    Mix_VolumeMusic(MixerVolume(volume));
    // SDL_mixer counts plays, not repeats: 1 is once, -1 without end.
    if (Mix_PlayMusic(music.music_, repeat ? -1 : 1) == 0) ++playsStarted;
}

void SetMusicVolume(float volume) {
    if (DeviceOpen()) Mix_VolumeMusic(MixerVolume(volume));
}

void StopMusic() {
    if (DeviceOpen()) Mix_HaltMusic();
}

bool MusicPlaying() {
    return DeviceOpen() && Mix_PlayingMusic() != 0;
}

void StopEverything() {
    if (!DeviceOpen()) return;
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
}

long PlaysStarted() {
    return playsStarted;
}

int EffectsPlaying() {
    if (!DeviceOpen()) return 0;
    int playing = 0;
    for (int channel = 0; channel < EffectChannels; ++channel)
        playing += Mix_Playing(channel) ? 1 : 0;
    return playing;
}

void TapOutput(OutputTap tap) {
    if (!DeviceOpen()) return;
    // Setting the post-mix takes the device's lock, so after the first call the sound thread
    // no longer reads the tap and it can be replaced.
    Mix_SetPostMix(nullptr, nullptr);
    outputTap = std::move(tap);
    if (outputTap) Mix_SetPostMix(CallTap, nullptr);
}

} // namespace audio

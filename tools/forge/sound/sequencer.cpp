#include "sequencer.h"

#include <algorithm>

namespace forge::sound {

namespace {
constexpr float RenderTailSeconds = 4; // longest release plus the room's decay
constexpr float MasterPeak = 0.8f;     // headroom for the encoder's ripple
} // namespace

Stereo RenderSong(const Song& song) {
    const float secondsPerBeat = 60 / song.bpm;
    const size_t length = Samples(song.Seconds());
    const size_t rendered = length + Samples(RenderTailSeconds);
    Stereo mix;
    mix.resize(rendered);
    Mono send(rendered);
    Mono track(rendered);

    uint32_t seed = 1;
    for (const Track& t : song.tracks) {
        std::fill(track.begin(), track.end(), 0.0f);
        for (const Note& n : t.notes) {
            Mono voice =
                RenderNote(t.instrument, n.pitch, n.beats * secondsPerBeat, n.velocity, seed++);
            const size_t start = Samples(n.beat * secondsPerBeat);
            for (size_t i = 0; i < voice.size() && start + i < rendered; ++i)
                track[start + i] += voice[i];
        }
        // Constant-power pan keeps a track equally loud wherever it sits.
        const float angle = (t.pan + 1) * Pi / 4;
        const float left = t.gain * std::cos(angle), right = t.gain * std::sin(angle);
        for (size_t i = 0; i < rendered; ++i) {
            mix.left[i] += left * track[i];
            mix.right[i] += right * track[i];
            send[i] += t.gain * t.reverb * track[i];
        }
    }
    Reverb room(song.roomSize, 0.4f);
    room.Process(send, mix, song.roomLevel * 4);

    if (song.loops) {
        for (size_t i = length; i < rendered; ++i) {
            mix.left[i - length] += mix.left[i];
            mix.right[i - length] += mix.right[i];
        }
        mix.resize(length);
    } else {
        const size_t end = std::min(rendered, length + Samples(song.tailSeconds));
        const size_t fade = Samples(std::min(song.tailSeconds, 1.5f));
        mix.resize(end);
        for (size_t i = 0; i < fade && i < end; ++i) {
            const float k = static_cast<float>(i) / fade;
            mix.left[end - 1 - i] *= k;
            mix.right[end - 1 - i] *= k;
        }
    }
    // Drum hits stand far above the rest; rounding off the highest peaks lets the tunes sit
    // louder without any hard clipping.
    Normalise(mix, 1.1f);
    for (float& s : mix.left) s = SoftClip(s);
    for (float& s : mix.right) s = SoftClip(s);
    Normalise(mix, MasterPeak);
    return mix;
}

} // namespace forge::sound

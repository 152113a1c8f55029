#pragma once
// Turning samples into the two file forms the game opens: 16-bit PCM WAV for effects and
// Ogg Vorbis for music. Both return the file's bytes; nothing here touches the disk.
#include "dsp.h"

#include <string>

namespace forge::sound {

// Mono 16-bit PCM at SampleRate. Samples are clamped to -1..1 before rounding.
std::string EncodeWav(const Mono& samples);

// Stereo Ogg Vorbis at SampleRate, variable bit rate at the given quality (-0.1..1).
// The stream serial number is fixed and no comment but the encoder's own is written, so
// the same samples always give the same bytes.
std::string EncodeOgg(const Stereo& samples, float quality);

} // namespace forge::sound

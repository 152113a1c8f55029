#pragma once
// Writing the whole sound set into a game folder.
#include <filesystem>
#include <string>
#include <vector>

namespace forge::sound {

struct WrittenFile {
    std::string file; // as the game names it
    double seconds;
    float peak; // 0..1 of full scale
};

// Music is encoded at this Vorbis quality: clean enough for soft pads, quick to encode.
inline constexpr float MusicQuality = 0.2f;

// Renders every effect and piece of music and writes them under folder ("snd\x.wav" becomes
// folder/snd/x.wav), each through a temporary file renamed into place. Pieces are rendered on
// up to `threads` threads; the bytes do not depend on it. False with a reason on failure.
bool WriteSoundSet(const std::filesystem::path& folder, int threads,
                   std::vector<WrittenFile>& written, std::string& error);

} // namespace forge::sound

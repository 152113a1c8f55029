// Checks the files the build left in the game folder (skipped when the data was not built,
// as in sanitizer builds).
#include "forge_sound/audiofiles.h"

#include "forge/sound/areamusic.h"
#include "render/assetorder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::filesystem::path GameFolder() {
    const char* dir = std::getenv("TARNHOLLOW_GAME_DIR");
    return dir && *dir ? dir : BUILT_GAME_DIR;
}

std::string ReadGameFile(std::string name) {
    for (char& c : name)
        if (c == '\\') c = '/';
    std::ifstream in(GameFolder() / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool DataBuilt() {
    return std::filesystem::exists(GameFolder() / "snd" / "menu4.ogg");
}

} // namespace

TEST(GameFolderSound, EveryEffectAndPieceOpens) {
    if (!DataBuilt()) GTEST_SKIP() << "no sound data in the game folder";
    for (const AssetEntry& entry : AssetOrder) {
        SCOPED_TRACE(entry.file);
        if (entry.kind == AssetKind::Effect) {
            const audiofiles::Wav wav = audiofiles::ReadWav(ReadGameFile(entry.file));
            EXPECT_TRUE(wav.ok) << wav.problem;
        } else if (entry.kind == AssetKind::MusicName) {
            EXPECT_TRUE(audiofiles::DecodeOgg(ReadGameFile(entry.file)).ok);
        }
    }
    const audiofiles::Ogg intro = audiofiles::DecodeOgg(ReadGameFile("snd\\intro.ogg"));
    const audiofiles::Ogg epilogue = audiofiles::DecodeOgg(ReadGameFile("snd\\end.ogg"));
    ASSERT_TRUE(intro.ok && epilogue.ok);
    EXPECT_NEAR(intro.Seconds(), 74, 1);
    EXPECT_NEAR(epilogue.Seconds(), 35, 1);
    for (const char* name : AreaMusic) {
        SCOPED_TRACE(name);
        const audiofiles::Ogg ogg =
            audiofiles::DecodeOgg(ReadGameFile(std::string("snd\\") + name));
        ASSERT_TRUE(ogg.ok);
        EXPECT_GE(ogg.Seconds(), 60);
        EXPECT_LE(ogg.Seconds(), 120);
    }
}

#include "forge_sound/audiofiles.h"

#include "forge/sound/areamusic.h"
#include "forge/sound/encode.h"
#include "forge/sound/music.h"
#include "render/assetorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace forge::sound;

namespace {

const PieceStyle* FindPiece(std::string_view file) {
    for (const PieceStyle& p : Pieces())
        if (file == p.file) return &p;
    return nullptr;
}

double PlayingSeconds(const PieceStyle& p) {
    const Song song = Compose(p);
    return song.Seconds() + (song.loops ? 0 : song.tailSeconds);
}

// A short piece made from a real one: its first sections only, so tests can render it quickly.
PieceStyle Shortened(const PieceStyle& p, int sections) {
    PieceStyle s = p;
    for (size_t k = sections; k < s.form.size(); ++k) s.form[k] = {};
    return s;
}

} // namespace

// The music the game names exists and has the length and kind its screens expect.
TEST(Music, EveryPieceTheGameNamesIsMadeWithTheRightLength) {
    for (const char* file : {MenuMusic, GameOverMusic}) {
        const PieceStyle* p = FindPiece(file);
        ASSERT_NE(p, nullptr) << file;
        EXPECT_TRUE(p->loops) << file;
        EXPECT_GT(PlayingSeconds(*p), 30) << file;
    }
    const PieceStyle* intro = FindPiece("snd\\intro.ogg");
    const PieceStyle* epilogue = FindPiece("snd\\end.ogg");
    ASSERT_TRUE(intro && epilogue);
    EXPECT_FALSE(intro->loops);
    EXPECT_FALSE(epilogue->loops);
    EXPECT_NEAR(PlayingSeconds(*intro), 74, 1);
    EXPECT_NEAR(PlayingSeconds(*epilogue), 35, 1);
    for (const char* name : AreaMusic) {
        const std::string file = std::string("snd\\") + name;
        const PieceStyle* p = FindPiece(file);
        ASSERT_NE(p, nullptr) << file;
        EXPECT_TRUE(p->loops) << file;
        EXPECT_GE(PlayingSeconds(*p), 60) << file;
        EXPECT_LE(PlayingSeconds(*p), 120) << file;
    }
}

// Every pitched note belongs to the piece's scale: a wrong step in a mode table or a slip in
// the voicing would put sour notes into every tune.
TEST(Music, PitchedNotesStayInTheKey) {
    constexpr int steps[5][7] = {{0, 2, 4, 5, 7, 9, 11},
                                 {0, 2, 3, 5, 7, 8, 10},
                                 {0, 2, 3, 5, 7, 9, 10},
                                 {0, 2, 4, 5, 7, 9, 10},
                                 {0, 1, 3, 5, 7, 8, 10}};
    for (const PieceStyle& p : Pieces()) {
        SCOPED_TRACE(p.file);
        const auto& scale = steps[static_cast<int>(p.mode)];
        const Song song = Compose(p);
        ASSERT_FALSE(song.tracks.empty());
        for (const Track& t : song.tracks) {
            if (t.instrument >= Instrument::Kick) continue;
            EXPECT_FALSE(t.notes.empty());
            for (const Note& n : t.notes) {
                const int pc = ((static_cast<int>(n.pitch) - p.key) % 12 + 12) % 12;
                EXPECT_TRUE(std::find(std::begin(scale), std::end(scale), pc) != std::end(scale))
                    << "pitch " << n.pitch << " at beat " << n.beat;
                EXPECT_GE(n.beat, 0);
                EXPECT_LE(n.beat + n.beats, song.beats + 0.01f);
            }
        }
    }
}

// A melody that keeps repeating one note is no tune; each piece's tunes move.
TEST(Music, MelodiesMove) {
    for (const PieceStyle& p : Pieces()) {
        SCOPED_TRACE(p.file);
        const Song song = Compose(p);
        for (const Track& t : song.tracks) {
            if (t.instrument != p.band.melody || t.notes.size() < 8) continue;
            int repeats = 0;
            float low = 200, high = 0;
            for (size_t k = 1; k < t.notes.size(); ++k) {
                repeats += t.notes[k].pitch == t.notes[k - 1].pitch;
                low = std::min(low, t.notes[k].pitch);
                high = std::max(high, t.notes[k].pitch);
            }
            EXPECT_LT(repeats * 3, int(t.notes.size())) << "too many repeated notes";
            EXPECT_GE(high - low, 7) << "range under a fifth";
            EXPECT_LE(high - low, 26) << "range over two octaves";
        }
    }
}

// The same description gives the same bytes, and the bytes are a stereo Ogg Vorbis stream of
// exactly the rendered length.
TEST(Music, OggIsDeterministicAndDecodes) {
    const PieceStyle piece = Shortened(*FindPiece(MenuMusic), 2);
    const Stereo samples = RenderSong(Compose(piece));
    ASSERT_GT(samples.size(), size_t(SampleRate));
    EXPECT_LT(Peak(samples), 1.0f);
    const std::string first = EncodeOgg(samples, 0.2f);
    EXPECT_EQ(first, EncodeOgg(RenderSong(Compose(piece)), 0.2f));

    const audiofiles::Ogg ogg = audiofiles::DecodeOgg(first);
    ASSERT_TRUE(ogg.ok);
    EXPECT_EQ(ogg.channels, 2);
    EXPECT_EQ(ogg.rate, SampleRate);
    EXPECT_EQ(ogg.left.size(), samples.size());
}

// A looping piece wraps its ring-out onto its start, so the jump from its last sample back to
// its first is no bigger than the ordinary steps inside it.
TEST(Music, LoopingPieceHasNoSeam) {
    const PieceStyle piece = Shortened(*FindPiece(MenuMusic), 2);
    const Stereo s = RenderSong(Compose(piece));
    float largestStep = 0;
    for (size_t i = 1; i < s.size(); ++i)
        largestStep = std::max(largestStep, std::abs(s.left[i] - s.left[i - 1]));
    EXPECT_LE(std::abs(s.left.front() - s.left.back()), largestStep);
    EXPECT_LE(std::abs(s.right.front() - s.right.back()), largestStep);
    // And the wrapped tail is really there: the start is not silent.
    EXPECT_GT(std::abs(s.left[10]) + std::abs(s.right[10]), 0.0f);
}

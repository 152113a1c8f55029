// The game's music: one description per piece, read by the composer.
#include "music.h"

namespace forge::sound {

namespace {

using I = Instrument;
using P = Part;
constexpr uint8_t Rhythm = PadLayer | ArpLayer | BassLayer | DrumLayer;
constexpr uint8_t Tune = Rhythm | MelodyLayer;
constexpr uint8_t Quiet = PadLayer | ArpLayer;

// The usual shape of a level's piece: a quiet start, the tune, the tune again with more going
// on, the second tune, the tune at full strength, and a bridge that leads back to the start.
constexpr std::array<Section, 10> AreaForm = {{
    {P::Intro, 4, Quiet, 1},
    {P::ThemeA, 8, Tune, 1},
    {P::ThemeA2, 8, AllLayers, 2},
    {P::ThemeB, 8, Tune, 2},
    {P::ThemeA2, 8, AllLayers, 3},
    {P::Bridge, 4, Quiet | BassLayer | MelodyLayer, 1},
}};

// The game's own tune, shared by the menu and the intro so the intro's music returns in the
// menu that follows it.
constexpr int MainKey = 69; // A minor
constexpr Progression MainA = {0, 5, 2, 6, 0, 5, 3, 4};
constexpr Progression MainB = {3, 4, 2, 5, 3, 4, 6, 4};
constexpr Progression MainBridge = {5, 6, 0, 0, 5, 6, 4, 4};
constexpr uint32_t MainSeed = 7;

// Intro bars last 60 / 97.3 x 4 = 2.467 s: the tune starts as the first picture fades in
// (5 s), the drums drop out as the strip stops scrolling (46 s), the music is nearly silent
// while the screen fades (53 to 55 s), and the tune returns at full strength under the
// maker's line and the title (56 to 69 s); the last chord rings into the main menu.
constexpr float IntroBpm = 97.3f;

// clang-format off
constexpr PieceStyle Table[] = {
    {.file = "snd\\menu4.ogg", .bpm = 100, .beatsPerBar = 4, .key = MainKey, .mode = Mode::Minor,
     .themeA = MainA, .themeB = MainB, .bridge = MainBridge,
     .band = {I::Flute, I::Strings, I::Pad, I::Pluck, I::Bass},
     .groove = {ArpStyle::Broken, BassStyle::Pulse, DrumStyle::Pop},
     .seed = MainSeed, .room = {0.7f, 0.25f},
     .form = {{{P::Intro, 2, Quiet, 1},
               {P::ThemeA, 8, Tune, 2},
               {P::ThemeB, 8, Tune, 2},
               {P::ThemeA2, 8, AllLayers, 3},
               {P::Bridge, 2, Quiet | BassLayer, 1}}}},
    // Game over: slow and sad, no drums.
    {.file = "snd\\menu3.ogg", .bpm = 66, .beatsPerBar = 4, .key = 62, .mode = Mode::Minor,
     .themeA = {0, 3, 5, 4, 0, 3, 4, 0}, .themeB = {5, 3, 0, 4, 5, 3, 4, 4},
     .bridge = {0, 3, 0, 4, 0, 3, 4, 4},
     .band = {I::Flute, I::Strings, I::Choir, I::Pluck, I::Bass},
     .groove = {ArpStyle::Sparse, BassStyle::Long, DrumStyle::None},
     .seed = 3, .room = {0.85f, 0.35f},
     .form = {{{P::Intro, 1, PadLayer, 0},
               {P::ThemeA, 8, Quiet | BassLayer | MelodyLayer, 1},
               {P::ThemeA2, 8, AllLayers, 1}}}},
    {.file = "snd\\intro.ogg", .bpm = IntroBpm, .beatsPerBar = 4, .key = MainKey,
     .mode = Mode::Minor, .themeA = MainA, .themeB = MainB, .bridge = MainBridge,
     .band = {I::Flute, I::Strings, I::Pad, I::Pluck, I::Bass},
     .groove = {ArpStyle::Broken, BassStyle::Pulse, DrumStyle::Pop},
     .seed = MainSeed, .room = {0.75f, 0.3f}, .loops = false, .tailSeconds = 2.45f,
     .form = {{{P::Intro, 2, PadLayer | MelodyLayer, 0},
               {P::ThemeA, 8, Quiet | BassLayer | MelodyLayer, 1},
               {P::ThemeB, 8, Tune, 2},
               {P::Bridge, 3, Quiet | BassLayer, 1},
               {P::Hush, 2, PadLayer, 0},
               {P::ThemeA2, 4, AllLayers, 3},
               {P::Ending, 2, PadLayer | BassLayer | DrumLayer | MelodyLayer, 3}}}},
    // Epilogue: 3 s bars; the tune enters with the first picture (3 s) and the home chord
    // holds through the fade (29 to 30 s) to the end (35 s).
    {.file = "snd\\end.ogg", .bpm = 80, .beatsPerBar = 4, .key = 72, .mode = Mode::Major,
     .themeA = {0, 4, 5, 3, 0, 3, 4, 0}, .themeB = {3, 4, 0, 5, 3, 4, 0, 0},
     .bridge = {3, 4, 0, 0, 3, 4, 0, 0},
     .band = {I::Flute, I::Strings, I::Pad, I::Pluck, I::Bass},
     .groove = {ArpStyle::Broken, BassStyle::Long, DrumStyle::None},
     .seed = MainSeed, .room = {0.8f, 0.35f}, .loops = false, .tailSeconds = 2,
     .form = {{{P::Intro, 1, PadLayer | ArpLayer, 0},
               {P::ThemeA, 8, AllLayers, 1},
               {P::Ending, 2, PadLayer | BassLayer | MelodyLayer, 2}}}},

    // The eight areas.
    // Valley: G major, a flute over a plucked harp, shaker and soft kick.
    {.file = "snd\\area1.ogg", .bpm = 96, .beatsPerBar = 4, .key = 67, .mode = Mode::Major,
     .themeA = {0, 4, 5, 3, 0, 3, 4, 0}, .themeB = {3, 4, 2, 5, 3, 4, 1, 4},
     .bridge = {3, 0, 3, 4, 3, 0, 1, 4},
     .band = {I::Flute, I::Strings, I::Pad, I::Pluck, I::Bass},
     .groove = {ArpStyle::Broken, BassStyle::Pulse, DrumStyle::Soft},
     .seed = 11, .room = {0.6f, 0.22f}, .form = AreaForm},
    // Ruins: D dorian, a reed over hand drums, old and weathered.
    {.file = "snd\\area2.ogg", .bpm = 84, .beatsPerBar = 4, .key = 62, .mode = Mode::Dorian,
     .themeA = {0, 3, 0, 6, 0, 3, 6, 0}, .themeB = {2, 6, 3, 0, 5, 6, 3, 4},
     .bridge = {0, 6, 3, 3, 0, 6, 4, 4},
     .band = {I::Reed, I::Strings, I::Pad, I::Pluck, I::Bass},
     .groove = {ArpStyle::Alberti, BassStyle::Long, DrumStyle::Tribal},
     .seed = 23, .room = {0.8f, 0.3f}, .form = AreaForm},
    // Treasury: F major, marimba and bells, a walking bass: busy and bright.
    {.file = "snd\\area3.ogg", .bpm = 112, .beatsPerBar = 4, .key = 65, .mode = Mode::Major,
     .themeA = {0, 5, 1, 4, 0, 5, 1, 4}, .themeB = {3, 4, 2, 5, 1, 4, 0, 4},
     .bridge = {0, 3, 0, 4, 0, 3, 1, 4},
     .band = {I::Marimba, I::Reed, I::Organ, I::Bell, I::Bass},
     .groove = {ArpStyle::Up, BassStyle::Walk, DrumStyle::Pop},
     .seed = 37, .room = {0.5f, 0.2f}, .form = AreaForm},
    // Highlands: A mixolydian in three, a dance with a flute.
    {.file = "snd\\area4.ogg", .bpm = 126, .beatsPerBar = 3, .key = 69, .mode = Mode::Mixolydian,
     .themeA = {0, 6, 3, 0, 0, 6, 4, 0}, .themeB = {3, 0, 6, 0, 3, 0, 4, 4},
     .bridge = {0, 6, 0, 6, 3, 3, 4, 4},
     .band = {I::Flute, I::Reed, I::Strings, I::Pluck, I::Bass},
     .groove = {ArpStyle::Broken, BassStyle::Waltz, DrumStyle::Waltz},
     .seed = 41, .room = {0.6f, 0.22f},
     .form = {{{P::Intro, 4, Quiet, 1},
               {P::ThemeA, 8, Tune, 1},
               {P::ThemeA2, 8, AllLayers, 2},
               {P::ThemeB, 8, Tune, 2},
               {P::ThemeB, 8, AllLayers, 2},
               {P::ThemeA2, 8, AllLayers, 3},
               {P::Bridge, 4, Quiet | BassLayer | MelodyLayer, 1}}}},
    // Gold: E-flat major, brass and a driving octave bass.
    {.file = "snd\\area5.ogg", .bpm = 104, .beatsPerBar = 4, .key = 63, .mode = Mode::Major,
     .themeA = {0, 2, 3, 4, 0, 2, 3, 4}, .themeB = {5, 3, 0, 4, 5, 3, 1, 4},
     .bridge = {3, 4, 3, 4, 5, 5, 4, 4},
     .band = {I::Brass, I::Strings, I::Pad, I::Pluck, I::Bass},
     .groove = {ArpStyle::Up, BassStyle::Octaves, DrumStyle::Pop},
     .seed = 53, .room = {0.6f, 0.22f}, .form = AreaForm},
    // Underworld: C minor, slow, choir and bells over deep drums in a large room.
    {.file = "snd\\area6.ogg", .bpm = 76, .beatsPerBar = 4, .key = 60, .mode = Mode::Minor,
     .themeA = {0, 5, 2, 6, 0, 5, 3, 4}, .themeB = {3, 0, 5, 4, 3, 0, 1, 4},
     .bridge = {0, 0, 5, 5, 3, 3, 4, 4},
     .band = {I::Reed, I::Choir, I::Choir, I::Bell, I::Bass},
     .groove = {ArpStyle::Sparse, BassStyle::Long, DrumStyle::Tribal},
     .seed = 67, .room = {0.9f, 0.35f},
     .form = {{{P::Intro, 4, Quiet, 0},
               {P::ThemeA, 8, Tune, 1},
               {P::ThemeB, 8, Tune, 2},
               {P::ThemeA2, 8, AllLayers, 2},
               {P::Bridge, 4, Quiet | BassLayer | MelodyLayer, 1}}}},
    // Temple: E phrygian, flute, harp and choir, hushed.
    {.file = "snd\\area7.ogg", .bpm = 88, .beatsPerBar = 4, .key = 64, .mode = Mode::Phrygian,
     .themeA = {0, 1, 0, 6, 0, 1, 6, 0}, .themeB = {3, 2, 1, 0, 3, 5, 1, 0},
     .bridge = {0, 1, 0, 1, 3, 1, 6, 6},
     .band = {I::Flute, I::Choir, I::Choir, I::Pluck, I::Bass},
     .groove = {ArpStyle::Broken, BassStyle::Long, DrumStyle::Soft},
     .seed = 79, .room = {0.9f, 0.35f}, .form = AreaForm},
    // Kings: D major, brass and strings over a marching snare.
    {.file = "snd\\area8.ogg", .bpm = 92, .beatsPerBar = 4, .key = 62, .mode = Mode::Major,
     .themeA = {0, 4, 5, 2, 3, 0, 1, 4}, .themeB = {3, 0, 4, 5, 3, 0, 4, 4},
     .bridge = {3, 4, 5, 4, 3, 4, 1, 4},
     .band = {I::Brass, I::Strings, I::Strings, I::Pluck, I::Bass},
     .groove = {ArpStyle::Alberti, BassStyle::Walk, DrumStyle::March},
     .seed = 83, .room = {0.8f, 0.28f}, .form = AreaForm},
};
// clang-format on

} // namespace

std::span<const PieceStyle> Pieces() {
    return Table;
}

} // namespace forge::sound

#pragma once
// How a piece of music is described: a key, chord progressions, a band, a groove and a form.
// The composer turns such a description into notes; the descriptions themselves are a table.
#include "instruments.h"
#include "sequencer.h"

#include <array>
#include <cstdint>
#include <span>

namespace forge::sound {

enum class Mode : uint8_t { Major, Minor, Dorian, Mixolydian, Phrygian };

// What a section of the form plays.
enum class Part : uint8_t {
    Intro,   // the bridge chords, setting the mood
    ThemeA,  // the main tune over the first progression
    ThemeA2, // the main tune again, ornamented, with a counter-line
    ThemeB,  // the second tune over the second progression
    Bridge,  // the bridge chords; the melody instrument recalls the main motif
    Hush,    // held chords only, very soft
    Ending,  // the home chord, held
};

// Which instruments play in a section.
enum Layer : uint8_t {
    PadLayer = 1,
    ArpLayer = 2,
    BassLayer = 4,
    DrumLayer = 8,
    MelodyLayer = 16,
    CounterLayer = 32,
    AllLayers = 63,
};

enum class DrumStyle : uint8_t { None, Soft, Pop, March, Tribal, Waltz };
enum class BassStyle : uint8_t { Long, Pulse, Walk, Octaves, Waltz };
enum class ArpStyle : uint8_t { Up, Broken, Alberti, Sparse };

struct Section {
    Part part;
    uint8_t bars;     // 0 ends the form
    uint8_t layers;   // Layer bits
    uint8_t dynamics; // 0 very soft .. 3 full
};

using Progression = std::array<int8_t, 8>; // chord root per bar, as a scale degree 0..6

struct Band {
    Instrument melody, counter, pad, arp, bass;
};

struct Groove {
    ArpStyle arp;
    BassStyle bass;
    DrumStyle drums;
};

struct Room {
    float size, level;
};

struct PieceStyle {
    const char* file; // as the game names it, "snd\..."
    float bpm;
    int beatsPerBar; // 3 or 4
    int key;         // MIDI note of the tonic in the melody's octave
    Mode mode;
    Progression themeA, themeB, bridge;
    Band band;
    Groove groove;
    uint32_t seed; // picks the tunes: same seed, same tunes
    Room room;
    bool loops = true;
    float tailSeconds = 0; // ring-out after the last bar when the piece does not loop
    std::array<Section, 10> form;
};

// Every piece of music the game plays.
std::span<const PieceStyle> Pieces();

// Writes the piece out as notes.
Song Compose(const PieceStyle& style);

} // namespace forge::sound

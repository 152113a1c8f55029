#pragma once
// The band: each instrument renders one note into a buffer of its own.
#include "dsp.h"

#include <cstdint>

namespace forge::sound {

enum class Instrument : uint8_t {
    Pluck,   // plucked string (harp, lute)
    Pad,     // soft detuned saws, slow swell
    Strings, // bowed ensemble with vibrato
    Bass,    // round bass with a short filter snap
    Flute,   // breathy sine with delayed vibrato
    Reed,    // hollow square tone, clarinet-like
    Bell,    // frequency-modulated bell
    Marimba, // wooden mallet bar
    Brass,   // saw ensemble whose filter opens on each note
    Choir,   // voices singing "ah"
    Organ,   // drawbar sines
    Kick,    // bass drum
    Snare,   // snare drum
    HatClosed,
    HatOpen,
    Tom,     // pitched hand drum; the note picks the pitch
    Shaker,  // soft rattle on the off-beats
    Timpani, // kettle drum; the note picks the pitch
    Cymbal,  // crash on section starts
};

// Renders one note. pitch: MIDI note number; held: seconds the note is held; velocity 0..1.
// The result includes the release tail, so it is usually longer than held.
Mono RenderNote(Instrument instrument, float pitch, float held, float velocity, uint32_t seed);

} // namespace forge::sound

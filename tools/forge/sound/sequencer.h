#pragma once
// The sequencer: notes on a beat grid, gathered into tracks, mixed into a stereo piece.
#include "dsp.h"
#include "instruments.h"

#include <vector>

namespace forge::sound {

struct Note {
    float beat;  // start, in beats from the start of the piece
    float beats; // how long it is held
    float pitch; // MIDI note number
    float velocity;
};

struct Track {
    Instrument instrument;
    float gain;
    float pan;    // -1 left .. 1 right
    float reverb; // share sent to the room
    std::vector<Note> notes;
};

struct Song {
    float bpm = 100;
    float beats = 0; // length of the piece; a looping piece wraps its tail onto its start
    bool loops = true;
    float tailSeconds = 2; // ring-out kept after the last beat of a piece that does not loop
    float roomSize = 0.7f;
    float roomLevel = 0.25f;
    std::vector<Track> tracks;

    float Seconds() const { return beats * 60 / bpm; }
};

// Mixes the song, brings its peak to just under full scale and makes a looping piece wrap:
// what rings past its end (note releases, the room) is added onto its start, so playing it
// over and over has no seam.
Stereo RenderSong(const Song& song);

} // namespace forge::sound

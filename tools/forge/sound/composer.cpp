// The composer: writes tunes over chord progressions and arranges them for the band.
// Melodies are built the way a person sketches one: a one-bar motif, repeated on the next
// chord, an answer, a cadence home; chord tones on the strong beats, steps in between.
#include "music.h"

#include <algorithm>
#include <map>

namespace forge::sound {

namespace {

constexpr std::array<std::array<int, 7>, 5> ModeSteps = {{
    {0, 2, 4, 5, 7, 9, 11}, // major
    {0, 2, 3, 5, 7, 8, 10}, // minor
    {0, 2, 3, 5, 7, 9, 10}, // dorian
    {0, 2, 4, 5, 7, 9, 10}, // mixolydian
    {0, 1, 3, 5, 7, 8, 10}, // phrygian
}};

// Bar rhythms in eighth notes. The cadence rhythms end on a long note.
constexpr int End = 0;
constexpr int Rhythms4[][6] = {{2, 2, 2, 2, End}, {3, 1, 2, 2, End}, {2, 1, 1, 2, 2, End},
                               {4, 2, 2, End},    {2, 2, 4, End},    {1, 1, 2, 4, End},
                               {3, 1, 4, End},    {2, 4, 2, End},    {6, 2, End}};
constexpr int Cadences4[][6] = {{2, 2, 4, End}, {4, 4, End}, {8, End}, {3, 1, 4, End}};
constexpr int Rhythms3[][6] = {{2, 2, 2, End},    {3, 1, 2, End}, {4, 2, End},
                               {2, 1, 1, 2, End}, {2, 4, End},    {1, 1, 2, 2, End}};
constexpr int Cadences3[][6] = {{6, End}, {4, 2, End}, {2, 4, End}};

// Melody range in scale degrees around the tonic.
constexpr int Lowest = -3, Highest = 10;

struct ThemeNote {
    float beat;  // from the start of the tune
    float beats; // length
    int degree;  // scale degree, 0 = tonic, 7 = its octave
};
using Theme = std::vector<ThemeNote>;

int FloorDiv(int a, int b) {
    return (a >= 0 ? a : a - b + 1) / b;
}

int Pitch(const PieceStyle& s, int degree) {
    const int octave = FloorDiv(degree, 7);
    return s.key + 12 * octave + ModeSteps[static_cast<int>(s.mode)][degree - 7 * octave];
}

bool IsChordTone(int degree, int chord) {
    const int d = ((degree - chord) % 7 + 7) % 7;
    return d == 0 || d == 2 || d == 4;
}

// The chord tone nearest to a target degree.
int NearestChordTone(int target, int chord) {
    for (int distance = 0;; ++distance) {
        if (IsChordTone(target + distance, chord)) return target + distance;
        if (IsChordTone(target - distance, chord)) return target - distance;
    }
}

// The chord root nearest to a degree within the melody's range: where a phrase comes home.
int NearestRoot(int from, int chord) {
    int best = chord;
    for (int r = chord - 14; r <= chord + 14; r += 7)
        if (r >= Lowest && r <= Highest && std::abs(r - from) < std::abs(best - from)) best = r;
    return best;
}

class Random {
  public:
    explicit Random(uint32_t seed) : noise_(seed) {}
    int Below(int n) { return std::min(n - 1, static_cast<int>(noise_.Uniform() * n)); }
    bool Chance(float p) { return noise_.Uniform() < p; }

  private:
    Noise noise_;
};

std::vector<int> PickRhythm(int beatsPerBar, bool cadence, Random& random) {
    const int(*row)[6] = nullptr;
    if (beatsPerBar == 3)
        row = cadence ? &Cadences3[random.Below(std::size(Cadences3))]
                      : &Rhythms3[random.Below(std::size(Rhythms3))];
    else
        row = cadence ? &Cadences4[random.Below(std::size(Cadences4))]
                      : &Rhythms4[random.Below(std::size(Rhythms4))];
    std::vector<int> out;
    for (int len : *row) {
        if (len == End) break;
        out.push_back(len);
    }
    return out;
}

// One bar of melody: chord tones on strong beats, steps between them.
std::vector<int> WriteBar(const std::vector<int>& rhythm, int chord, int& previous, int& direction,
                          bool comeHome, Random& random) {
    std::vector<int> degrees;
    int position = 0;
    for (size_t k = 0; k < rhythm.size(); ++k) {
        const bool strong = position % 4 == 0 || rhythm[k] >= 4;
        const bool last = k + 1 == rhythm.size();
        int degree;
        if (last && comeHome) {
            degree = NearestRoot(previous, chord);
        } else if (strong) {
            // Aim a step or two onward, then settle on the nearest chord tone; a tune that
            // sits on one note sounds stuck, so the same note again is the rare case.
            const int target = previous + direction * (1 + random.Below(2)) + random.Below(3) - 1;
            degree = NearestChordTone(target, chord);
            if (degree == previous && !random.Chance(0.15f))
                degree = NearestChordTone(previous + 2 * direction, chord);
        } else {
            const int step = random.Chance(0.2f) ? 2 : 1;
            degree = random.Chance(0.08f) ? previous : previous + direction * step;
        }
        if (degree < Lowest || degree > Highest) {
            // Turn back at the edge of the range instead of sitting on it.
            direction = degree < Lowest ? 1 : -1;
            degree = last && comeHome ? NearestRoot(previous, chord)
                                      : NearestChordTone(previous + direction, chord);
            degree = std::clamp(degree, Lowest, Highest);
        }
        if (random.Chance(0.3f)) direction = -direction;
        degrees.push_back(degree);
        previous = degree;
        position += rhythm[k];
    }
    return degrees;
}

// Moves a bar to another chord, keeping its shape in the scale.
int ChordShift(int from, int to) {
    int shift = to - from;
    while (shift > 3) shift -= 7;
    while (shift < -3) shift += 7;
    return shift;
}

// The shift for repeating a bar on another chord: the chord's move, taken up or down an
// octave so the repeat starts near where the tune is and stays in range.
int RepeatShift(const std::vector<int>& bar, int fromChord, int toChord, int previous) {
    const int base = ChordShift(fromChord, toChord);
    const auto [low, high] = std::minmax_element(bar.begin(), bar.end());
    int best = base;
    int bestCost = 1 << 20;
    for (int shift : {base, base - 7, base + 7}) {
        const int outside =
            std::max(0, Lowest - (*low + shift)) + std::max(0, *high + shift - Highest);
        const int cost = 10 * outside + std::abs(bar.front() + shift - previous);
        if (cost < bestCost) {
            bestCost = cost;
            best = shift;
        }
    }
    return best;
}

Theme WriteTheme(const PieceStyle& s, const Progression& chords, uint32_t seed) {
    Random random(seed);
    std::array<std::vector<int>, 8> rhythm, degrees;
    // Phrase plan: motif, answer, motif again, half cadence; new idea, its echo, motif, home.
    constexpr int repeatOf[8] = {-1, -1, 0, -1, -1, 4, 0, -1};
    constexpr bool cadence[8] = {false, false, false, true, false, false, false, true};
    int previous = std::array{0, 2, 4}[random.Below(3)];
    int direction = 1;
    for (int bar = 0; bar < 8; ++bar) {
        const int source = repeatOf[bar];
        if (source >= 0) {
            rhythm[bar] = rhythm[source];
            const int shift = RepeatShift(degrees[source], chords[source], chords[bar], previous);
            for (int d : degrees[source]) degrees[bar].push_back(d + shift);
            previous = degrees[bar].back();
            continue;
        }
        rhythm[bar] = PickRhythm(s.beatsPerBar, cadence[bar], random);
        degrees[bar] = WriteBar(rhythm[bar], chords[bar], previous, direction, bar == 7, random);
        if (bar == 3) degrees[bar].back() = NearestChordTone(degrees[bar].back(), chords[bar]);
    }
    Theme theme;
    for (int bar = 0; bar < 8; ++bar) {
        float beat = static_cast<float>(bar * s.beatsPerBar);
        for (size_t k = 0; k < rhythm[bar].size(); ++k) {
            theme.push_back({beat, rhythm[bar][k] / 2.0f, degrees[bar][k]});
            beat += rhythm[bar][k] / 2.0f;
        }
    }
    return theme;
}

// The same tune with passing notes filling some of its leaps: the second time round.
Theme Ornament(const Theme& theme, uint32_t seed) {
    Random random(seed);
    Theme out;
    for (size_t k = 0; k < theme.size(); ++k) {
        ThemeNote n = theme[k];
        const bool hasNext = k + 1 < theme.size() && theme[k + 1].beat == n.beat + n.beats;
        const int gap = hasNext ? theme[k + 1].degree - n.degree : 0;
        if (hasNext && n.beats >= 1 && std::abs(gap) >= 2 && random.Chance(0.6f)) {
            out.push_back({n.beat, n.beats - 0.5f, n.degree});
            out.push_back({n.beat + n.beats - 0.5f, 0.5f, n.degree + (gap > 0 ? 1 : -1)});
        } else {
            out.push_back(n);
        }
    }
    return out;
}

// Gathers the notes of each instrument into one track.
class Arrangement {
  public:
    Track& For(Instrument instrument, float gain, float pan, float reverb) {
        auto [it, added] = tracks_.try_emplace(instrument);
        if (added) it->second = {instrument, gain, pan, reverb, {}};
        return it->second;
    }
    std::vector<Track> Tracks() {
        std::vector<Track> out;
        for (auto& [instrument, track] : tracks_) out.push_back(std::move(track));
        return out;
    }

  private:
    std::map<Instrument, Track> tracks_; // ordered, so the mix is the same every run
};

struct SectionContext {
    const PieceStyle& style;
    const Section& section;
    float start; // beat where the section starts
    float level; // 0..1 from the section's dynamics
    Random& random;
};

int ChordAt(const Progression& p, int bar) {
    return p[bar % 8];
}

const Progression& ChordsOf(const PieceStyle& s, Part part) {
    switch (part) {
    case Part::ThemeA:
    case Part::ThemeA2:
        return s.themeA;
    case Part::ThemeB:
        return s.themeB;
    default:
        return s.bridge;
    }
}

// The chord as MIDI notes placed in a window so the voicing moves little from bar to bar.
std::vector<int> Voicing(const PieceStyle& s, int chord, int low, int high) {
    std::vector<int> notes;
    for (int tone : {0, 2, 4}) {
        int n = Pitch(s, chord + tone);
        while (n < low) n += 12;
        while (n >= high) n -= 12;
        notes.push_back(n);
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

void AddNote(Track& t, float beat, float beats, float pitch, float velocity) {
    t.notes.push_back({beat, beats, pitch, velocity});
}

void WritePad(Arrangement& a, const SectionContext& c, const Progression& chords) {
    const PieceStyle& s = c.style;
    Track& pad = a.For(s.band.pad, 0.5f, 0, 0.6f);
    const int bpb = s.beatsPerBar;
    // Repeated chords are held across the bar line rather than struck again.
    for (int bar = 0; bar < c.section.bars;) {
        const int chord = c.section.part == Part::Ending ? 0 : ChordAt(chords, bar);
        int length = 1;
        while (c.section.part != Part::Ending && bar + length < c.section.bars &&
               ChordAt(chords, bar + length) == chord && length < 2)
            ++length;
        if (c.section.part == Part::Ending) length = c.section.bars;
        for (int n : Voicing(s, chord, s.key - 10, s.key + 4))
            AddNote(pad, c.start + bar * bpb, length * bpb - 0.1f, n, 0.5f + 0.4f * c.level);
        bar += length;
    }
}

void WriteArp(Arrangement& a, const SectionContext& c, const Progression& chords) {
    const PieceStyle& s = c.style;
    Track& arp = a.For(s.band.arp, 0.35f, -0.35f, 0.4f);
    constexpr int patterns[4][8] = {
        {0, 1, 2, 3, 0, 1, 2, 3}, // up
        {0, 2, 3, 2, 1, 2, 3, 2}, // broken
        {0, 2, 1, 2, 0, 2, 1, 2}, // alberti
        {0, 2, 1, 2, 0, 2, 1, 2}, // sparse (quarters)
    };
    // The second tune gets the next figure, so the accompaniment changes with the melody.
    int figure = static_cast<int>(s.groove.arp);
    if (c.section.part == Part::ThemeB && s.groove.arp != ArpStyle::Sparse)
        figure = (figure + 1) % 3;
    const auto& pattern = patterns[figure];
    const float step = s.groove.arp == ArpStyle::Sparse ? 1.0f : 0.5f;
    const int perBar = static_cast<int>(s.beatsPerBar / step);
    const int bars = c.section.part == Part::Ending ? 1 : c.section.bars;
    for (int bar = 0; bar < bars; ++bar) {
        const int chord = c.section.part == Part::Ending ? 0 : ChordAt(chords, bar);
        std::vector<int> tones = Voicing(s, chord, s.key - 5, s.key + 7);
        tones.push_back(tones[0] + 12);
        for (int k = 0; k < perBar; ++k) {
            const float accent = k == 0 ? 1.0f : (k % 2 == 0 ? 0.8f : 0.65f);
            AddNote(arp, c.start + bar * s.beatsPerBar + k * step, step * 0.9f,
                    tones[pattern[k % 8]], accent * (0.6f + 0.4f * c.level));
        }
    }
}

void WriteBass(Arrangement& a, const SectionContext& c, const Progression& chords) {
    const PieceStyle& s = c.style;
    Track& bass = a.For(s.band.bass, 0.6f, 0, 0.1f);
    const int bpb = s.beatsPerBar;
    for (int bar = 0; bar < c.section.bars; ++bar) {
        const int chord = c.section.part == Part::Ending ? 0 : ChordAt(chords, bar);
        int root = Pitch(s, chord);
        while (root >= s.key - 14) root -= 12;
        while (root < s.key - 26) root += 12;
        const float fifth = static_cast<float>(Pitch(s, chord + 4) - Pitch(s, chord) + root);
        const float beat = c.start + bar * bpb;
        const float v = 0.7f + 0.3f * c.level;
        BassStyle style = c.section.part == Part::Ending || c.section.part == Part::Hush
                              ? BassStyle::Long
                              : s.groove.bass;
        switch (style) {
        case BassStyle::Long:
            AddNote(bass, beat, bpb - 0.2f, root, v);
            break;
        case BassStyle::Pulse:
            for (int k = 0; k < bpb; ++k)
                AddNote(bass, beat + k, 0.8f, root, k == 0 ? v : v * 0.8f);
            break;
        case BassStyle::Walk: {
            const float line[4] = {float(root), fifth, float(root + 12), fifth};
            for (int k = 0; k < bpb; ++k) AddNote(bass, beat + k, 0.85f, line[k], v);
            break;
        }
        case BassStyle::Octaves:
            for (int k = 0; k < 2 * bpb; ++k)
                AddNote(bass, beat + 0.5f * k, 0.4f, root + (k % 2) * 12, k % 2 ? v * 0.7f : v);
            break;
        case BassStyle::Waltz:
            AddNote(bass, beat, 0.9f, root, v);
            if (bpb > 2) AddNote(bass, beat + 2, 0.9f, fifth, v * 0.7f);
            break;
        }
    }
}

// Where each drum sits in the mix: kick and kettle drum in the middle, the rest spread out.
struct DrumPlace {
    Instrument drum;
    float gain, pan;
};
constexpr DrumPlace DrumKit[] = {
    {Instrument::Kick, 0.9f, 0},          {Instrument::Snare, 0.55f, 0.1f},
    {Instrument::HatClosed, 0.25f, 0.4f}, {Instrument::HatOpen, 0.25f, 0.4f},
    {Instrument::Tom, 0.6f, -0.2f},       {Instrument::Shaker, 0.3f, 0.5f},
    {Instrument::Timpani, 0.8f, 0},       {Instrument::Cymbal, 0.3f, -0.3f},
};

void WriteDrums(Arrangement& a, const SectionContext& c) {
    const PieceStyle& s = c.style;
    if (s.groove.drums == DrumStyle::None) return;
    const float v = 0.55f + 0.45f * c.level;
    const bool full = c.section.dynamics >= 2;
    auto hit = [&](Instrument i, float beat, float velocity, float pitch = 60) {
        const DrumPlace* place = std::find_if(std::begin(DrumKit), std::end(DrumKit),
                                              [&](const DrumPlace& d) { return d.drum == i; });
        AddNote(a.For(i, place->gain, place->pan, 0.25f), beat, 0.25f, pitch, velocity * v);
    };
    if (c.section.part == Part::Ending) {
        hit(Instrument::Kick, c.start, 1);
        hit(Instrument::Cymbal, c.start, 0.8f);
        hit(Instrument::Timpani, c.start, 0.9f, static_cast<float>(Pitch(s, 0) - 24));
        return;
    }
    const int bpb = s.beatsPerBar;
    for (int bar = 0; bar < c.section.bars; ++bar) {
        const float b0 = c.start + bar * bpb;
        const bool fill = full && bar + 1 == c.section.bars;
        if (bar == 0 && c.section.dynamics >= 3) hit(Instrument::Cymbal, b0, 0.7f);
        for (int e = 0; e < 2 * bpb; ++e) { // eighth notes
            const float at = b0 + 0.5f * e;
            if (fill && e >= bpb) {
                // A run of sixteenths up to the next section.
                const float grow = 0.5f + 0.5f * (e - bpb) / bpb;
                const Instrument drum =
                    s.groove.drums == DrumStyle::Tribal ? Instrument::Tom : Instrument::Snare;
                hit(drum, at, grow, 50.0f + 2 * (e - bpb));
                hit(drum, at + 0.25f, grow * 0.7f, 50.0f + 2 * (e - bpb));
                continue;
            }
            switch (s.groove.drums) {
            case DrumStyle::None:
                break;
            case DrumStyle::Soft:
                hit(Instrument::Shaker, at, e % 2 ? 0.8f : 0.5f);
                if (e == 0) hit(Instrument::Kick, at, 0.8f);
                if (full && e == bpb) hit(Instrument::Tom, at, 0.5f, 45);
                break;
            case DrumStyle::Pop:
                hit(Instrument::HatClosed, at, e % 2 ? 0.6f : 0.9f);
                if (e == 0 || e == 4 || (full && e == 5)) hit(Instrument::Kick, at, 1);
                if (full && (e == 2 || e == 6)) hit(Instrument::Snare, at, 0.9f);
                if (!full && e == 4) hit(Instrument::Snare, at, 0.5f);
                break;
            case DrumStyle::March:
                if (e % 4 == 0) hit(Instrument::Kick, at, 1);
                if (e % 2 == 0 || full) hit(Instrument::Snare, at, e % 4 == 2 ? 0.9f : 0.45f);
                if (full && e % 2 == 1) hit(Instrument::Snare, at + 0.25f, 0.35f);
                break;
            case DrumStyle::Tribal:
                if (e == 0 || e == 3 || e == 6) hit(Instrument::Tom, at, 1, 38);
                if (full && (e == 2 || e == 5 || e == 7)) hit(Instrument::Tom, at, 0.6f, 47);
                if (e == 0) hit(Instrument::Kick, at, 0.7f);
                hit(Instrument::Shaker, at, 0.4f);
                break;
            case DrumStyle::Waltz:
                if (e == 0) hit(Instrument::Kick, at, 1);
                if (e == 2 || e == 4) hit(Instrument::HatClosed, at, 0.8f);
                if (full && (e == 2 || e == 4)) hit(Instrument::Snare, at, 0.35f);
                if (e % 2 == 1) hit(Instrument::Shaker, at, 0.5f);
                break;
            }
        }
    }
}

// Plays a tune; `level` scales its loudness, `shift` moves it along the scale (harmony).
void WriteMelody(Arrangement& a, const SectionContext& c, const Theme& theme, Instrument instrument,
                 float level, int transpose, int shift = 0) {
    Track& t = a.For(instrument, 0.6f, 0.1f, 0.45f);
    const float end = static_cast<float>(c.section.bars * c.style.beatsPerBar);
    for (const ThemeNote& n : theme) {
        if (n.beat >= end) break;
        const float accent = std::fmod(n.beat, 1.0f) == 0 ? 1.0f : 0.85f;
        AddNote(t, c.start + n.beat, std::min(n.beats, end - n.beat) * 0.95f,
                static_cast<float>(Pitch(c.style, n.degree + shift) + transpose),
                level * accent * (0.7f + 0.3f * c.level));
    }
}

// A slower second voice under the tune: one chord tone per half bar, moving by the
// smallest step.
void WriteCounter(Arrangement& a, const SectionContext& c, const Progression& chords) {
    const PieceStyle& s = c.style;
    Track& t = a.For(s.band.counter, 0.4f, 0.35f, 0.5f);
    const float half = s.beatsPerBar == 3 ? 3.0f : 2.0f;
    int previous = -3;
    for (int bar = 0; bar < c.section.bars; ++bar)
        for (float at = 0; at < s.beatsPerBar; at += half) {
            const int chord = ChordAt(chords, bar);
            int degree = NearestChordTone(previous + (c.random.Chance(0.5f) ? 1 : -1), chord);
            degree = std::clamp(degree, -6, 2);
            previous = degree;
            AddNote(t, c.start + bar * s.beatsPerBar + at, half * 0.95f,
                    static_cast<float>(Pitch(s, degree)), 0.7f + 0.3f * c.level);
        }
}

// Players are never exactly on the grid nor exactly as loud twice: a few milliseconds and a
// few percent of give keep the band from sounding mechanical.
void Humanise(Song& song, uint32_t seed) {
    Random random(seed);
    const float beatsPerMs = song.bpm / 60000;
    for (Track& t : song.tracks)
        for (Note& n : t.notes) {
            const float shift = (random.Below(9) - 4) * beatsPerMs;
            n.beat = std::max(0.0f, n.beat + shift);
            n.velocity *= 0.92f + 0.02f * random.Below(9);
        }
}

} // namespace

Song Compose(const PieceStyle& style) {
    Song song;
    song.bpm = style.bpm;
    song.loops = style.loops;
    song.roomSize = style.room.size;
    song.roomLevel = style.room.level;
    song.tailSeconds = style.tailSeconds;

    const Theme themeA = WriteTheme(style, style.themeA, style.seed);
    const Theme themeB = WriteTheme(style, style.themeB, style.seed + 101);
    const Theme themeA2 = Ornament(themeA, style.seed + 202);
    Theme ending{{0, static_cast<float>(2 * style.beatsPerBar), 0}};
    Random random(style.seed + 303);

    Arrangement band;
    float beat = 0;
    for (const Section& section : style.form) {
        if (section.bars == 0) break;
        const SectionContext c{style, section, beat, section.dynamics / 3.0f, random};
        const Progression& chords = ChordsOf(style, section.part);
        if (section.layers & PadLayer) WritePad(band, c, chords);
        if (section.layers & ArpLayer) WriteArp(band, c, chords);
        if (section.layers & BassLayer) WriteBass(band, c, chords);
        if (section.layers & DrumLayer) WriteDrums(band, c);
        // At full strength the second voice sings the tune a third below instead of its own
        // slow line: the climax of a piece sounds fuller than its other rounds.
        const bool harmony = section.part == Part::ThemeA2 && section.dynamics >= 3;
        if (section.layers & CounterLayer) {
            if (harmony && (section.layers & MelodyLayer))
                WriteMelody(band, c, themeA2, style.band.counter, 0.6f, 0, -2);
            else
                WriteCounter(band, c, chords);
        }
        if (section.layers & MelodyLayer) {
            switch (section.part) {
            case Part::ThemeA:
                WriteMelody(band, c, themeA, style.band.melody, 1, 0);
                break;
            case Part::ThemeA2:
                WriteMelody(band, c, themeA2, style.band.melody, 1, 0);
                break;
            case Part::ThemeB:
                WriteMelody(band, c, themeB, style.band.melody, 1, 0);
                break;
            case Part::Bridge:
            case Part::Intro: {
                // Only the opening motif, an octave down on the counter voice: a memory.
                Theme motif(themeA.begin(), themeA.end());
                std::erase_if(motif,
                              [&](const ThemeNote& n) { return n.beat >= 2 * style.beatsPerBar; });
                WriteMelody(band, c, motif, style.band.counter, 0.7f, -12);
                break;
            }
            case Part::Hush:
                break;
            case Part::Ending:
                WriteMelody(band, c, ending, style.band.melody, 1, 0);
                break;
            }
        }
        beat += static_cast<float>(section.bars * style.beatsPerBar);
    }
    song.beats = beat;
    song.tracks = band.Tracks();
    Humanise(song, style.seed + 404);
    return song;
}

} // namespace forge::sound

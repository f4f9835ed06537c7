// The music: each tune is a chord chart and a melody, written bar by bar in the text notation
// below; the band's parts (keys, bass, drums) are arranged from the chart by the tune's groove,
// with a fixed-seed touch of human timing and dynamics, and FluidSynth plays them.
//
// Chords: one or two per bar, bars separated by '|' ("Fmaj9 | Am7 D7b9"); two chords share the
// bar, two beats each. Melody: notes like "A4q." (pitch, then the length: w h q e = whole, half,
// quarter, eighth; '.' adds half; '+' ties another length on, "C5h+e"), rests like "rq", and a
// trailing ' for a short, detached note. Every bar of four beats, as many bars as the chart.

#include "music.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cctype>
#include <sstream>
#include <vector>

#include "fail.hpp"
#include "fluid.hpp"
#include "rng.hpp"
#include "synth.hpp"

namespace assetgen {

namespace {

constexpr double kBeatsPerBar = 4;
constexpr double kPeakDbfs = -6.0;
constexpr double kPreroll = 5.0;  // seconds rendered before the loop, for what rings over its end

// MIDI channels of the band.
constexpr int kLead = 0, kKeys = 1, kBass = 2, kDrums = 3;

// General MIDI drum keys.
enum Drum {
    kKick = 36, kSideStick = 37, kSnare = 38, kClosedHat = 42, kPedalHat = 44, kCrash = 49, kRide = 51,
    kCowbell = 56, kMuteConga = 62, kOpenConga = 63, kLowConga = 64, kHighTimbale = 65, kLowTimbale = 66,
    kMaracas = 70, kClaves = 75
};

enum class Groove { bossa, swing, latin };

struct Tune {
    const char* name;
    Groove groove;
    double bpm;
    Instrument lead, keys, bass, kit;
    std::string chords;
    std::string melody;
    std::uint64_t seed;
};

// A chord: its root, the intervals a bass line walks on, and a rootless four-note voicing
// for the keys (semitones above the root).
struct Quality {
    const char* suffix;
    int third, fifth, seventh;
    int voicing[4];
};

const Quality kQualities[] = {
    {"maj7", 4, 7, 11, {4, 7, 11, 14}}, {"maj9", 4, 7, 11, {4, 7, 11, 14}}, {"m7", 3, 7, 10, {3, 7, 10, 14}},
    {"m9", 3, 7, 10, {3, 7, 10, 14}},   {"m6", 3, 7, 9, {3, 7, 9, 14}},     {"m7b5", 3, 6, 10, {3, 6, 10, 12}},
    {"7", 4, 7, 10, {4, 7, 10, 14}},    {"9", 4, 7, 10, {4, 10, 14, 19}},   {"13", 4, 7, 10, {4, 10, 14, 21}},
    {"7b9", 4, 7, 10, {4, 7, 10, 13}},  {"7#9", 4, 7, 10, {4, 10, 15, 19}},
};

struct Chord {
    double beat;  // from the start of the tune
    double beats;
    int root;     // pitch class, 0 = C
    const Quality* quality;
};

struct Phrase {
    double beat, beats;
    int key;  // -1 for a rest
    bool detached;
};

// A part being written: notes in beats, turned into seconds (with the groove's swing and a
// little human looseness) when the tune is played.
struct Part {
    int channel;
    std::vector<Phrase> notes;
    std::vector<int> velocities;
};

void add(Part& part, double beat, double beats, int key, int velocity) {
    part.notes.push_back({beat, beats, key, false});
    part.velocities.push_back(std::clamp(velocity, 1, 127));
}

int pitch_class(const std::string& text, std::size_t& at) {
    static const int kNatural[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (at >= text.size() || text[at] < 'A' || text[at] > 'G') return -1;
    int pc = kNatural[text[at++] - 'A'];
    if (at < text.size() && text[at] == '#') ++pc, ++at;
    else if (at < text.size() && text[at] == 'b') --pc, ++at;
    return (pc + 12) % 12;
}

std::vector<std::string> bars_of(const std::string& text) {
    std::vector<std::string> bars;
    std::stringstream in(text);
    std::string bar;
    while (std::getline(in, bar, '|')) bars.push_back(bar);
    return bars;
}

std::vector<std::string> words_of(const std::string& text) {
    std::vector<std::string> words;
    std::stringstream in(text);
    std::string w;
    while (in >> w) words.push_back(w);
    return words;
}

std::vector<Chord> parse_chords(const Tune& tune) {
    std::vector<Chord> chords;
    const std::vector<std::string> bars = bars_of(tune.chords);
    for (std::size_t b = 0; b < bars.size(); ++b) {
        const std::vector<std::string> names = words_of(bars[b]);
        if (names.empty() || names.size() > 2)
            fail(std::string(tune.name) + ": bar " + std::to_string(b + 1) + " of the chords needs one or two chords");
        const double beats = kBeatsPerBar / static_cast<double>(names.size());
        for (std::size_t k = 0; k < names.size(); ++k) {
            std::size_t at = 0;
            const int root = pitch_class(names[k], at);
            const std::string suffix = names[k].substr(std::min(at, names[k].size()));
            const Quality* quality = nullptr;
            for (const Quality& q : kQualities)
                if (suffix == q.suffix) quality = &q;
            if (root < 0 || !quality) fail(std::string(tune.name) + ": unknown chord " + names[k]);
            chords.push_back({static_cast<double>(b) * kBeatsPerBar + static_cast<double>(k) * beats, beats, root, quality});
        }
    }
    return chords;
}

double parse_length(const std::string& word, std::size_t& at) {
    double total = 0;
    for (;;) {
        double beats = 0;
        switch (at < word.size() ? word[at] : '\0') {
            case 'w': beats = 4; break;
            case 'h': beats = 2; break;
            case 'q': beats = 1; break;
            case 'e': beats = 0.5; break;
            default: return -1;
        }
        ++at;
        if (at < word.size() && word[at] == '.') beats *= 1.5, ++at;
        total += beats;
        if (at >= word.size() || word[at] != '+') return total;
        ++at;
    }
}

std::vector<Phrase> parse_melody(const Tune& tune, std::size_t bar_count) {
    std::vector<Phrase> melody;
    const std::vector<std::string> bars = bars_of(tune.melody);
    if (bars.size() != bar_count)
        fail(std::string(tune.name) + ": the melody has " + std::to_string(bars.size()) + " bars, the chords " +
             std::to_string(bar_count));
    for (std::size_t b = 0; b < bars.size(); ++b) {
        double beat = static_cast<double>(b) * kBeatsPerBar;
        for (const std::string& word : words_of(bars[b])) {
            std::size_t at = 0;
            int key = -1;
            if (word[0] == 'r') {
                at = 1;
            } else {
                const int pc = pitch_class(word, at);
                const int octave = at < word.size() && std::isdigit(static_cast<unsigned char>(word[at])) ? word[at++] - '0' : -1;
                if (pc >= 0 && octave >= 0) key = 12 * (octave + 1) + pc;
                else at = word.size();
            }
            const double beats = parse_length(word, at);
            const bool detached = at < word.size() && word[at] == '\'';
            if (beats <= 0 || at + (detached ? 1 : 0) != word.size())
                fail(std::string(tune.name) + ": cannot read the note " + word + " in bar " + std::to_string(b + 1));
            if (key >= 0) melody.push_back({beat, beats, key, detached});
            beat += beats;
        }
        if (std::abs(beat - static_cast<double>(b + 1) * kBeatsPerBar) > 1e-9)
            fail(std::string(tune.name) + ": bar " + std::to_string(b + 1) + " of the melody is not four beats long");
    }
    return melody;
}

const Chord& chord_at(const std::vector<Chord>& chords, double beat) {
    const double total = chords.back().beat + chords.back().beats;
    beat = std::fmod(beat + total, total);
    for (const Chord& c : chords)
        if (beat < c.beat + c.beats - 1e-9) return c;
    return chords.back();
}

// --- Keys ------------------------------------------------------------------------------------

// The voicing of the chord (in some inversion, in the middle of the keyboard) that moves least
// from the one before it.
std::vector<int> voice(const Chord& chord, const std::vector<int>& before) {
    std::vector<int> best;
    int best_cost = 1 << 30;
    for (int inversion = 0; inversion < 4; ++inversion) {
        std::vector<int> keys;
        for (int k = 0; k < 4; ++k) keys.push_back(chord.root + chord.quality->voicing[k] + (k < inversion ? 12 : 0));
        std::sort(keys.begin(), keys.end());
        const int shift = 52 + ((keys[0] - 52) % 12 + 12) % 12 - keys[0];  // lowest key in E3..D#4
        for (int& k : keys) k += shift;
        int cost = keys[3] > 76 ? 40 : 0;
        for (int k = 0; k < 4; ++k)
            cost += before.empty() ? std::abs(keys[static_cast<std::size_t>(k)] - 60 - 3 * k)
                                   : std::abs(keys[static_cast<std::size_t>(k)] - before[static_cast<std::size_t>(k)]);
        if (cost < best_cost) best = keys, best_cost = cost;
    }
    return best;
}

struct Hit {
    double beat, beats;
};

// Where the keys strike in a bar: the bossa comp follows the clave over two bars, the swing
// comp picks a figure per bar, the Latin montuno is its own part (below).
std::vector<Hit> comp_hits(Groove groove, int bar, Rng& rng) {
    switch (groove) {
        case Groove::bossa:
            if (bar % 2 == 0) return {{0, 1.4}, {1.5, 1.4}, {3, 0.9}};
            return {{1, 1.4}, {2.5, 1.4}};
        case Groove::swing: {
            static const std::vector<Hit> kFigures[] = {{{0, 0.6}, {1.5, 0.35}},
                                                        {{1.5, 0.35}, {3, 0.6}},
                                                        {{0.5, 0.35}, {2, 0.7}},
                                                        {{1, 0.5}, {2.5, 0.35}, {3.5, 0.35}},
                                                        {{0, 1.4}, {2.5, 0.35}}};
            return kFigures[rng.between(0, 4)];
        }
        case Groove::latin:
            return {};
    }
    return {};
}

Part keys_part(const Tune& tune, const std::vector<Chord>& chords, int bars, Rng& rng) {
    Part part{kKeys, {}, {}};
    std::vector<int> before;
    const auto strike = [&](double beat, double beats, const std::vector<int>& keys, int velocity) {
        for (int k : keys) add(part, beat, beats, k, velocity + rng.between(-4, 4));
    };
    for (int bar = 0; bar < bars; ++bar) {
        const double top = bar * kBeatsPerBar;
        if (tune.groove == Groove::latin) {
            // A montuno: the voicing broken into its low and high pairs, on and off the beat,
            // pushing the next bar's chord in on the last eighth.
            for (int eighth = 0; eighth < 7; ++eighth) {
                if (eighth == 2 || eighth == 6) continue;
                const std::vector<int> v = before = voice(chord_at(chords, top + eighth * 0.5), before);
                const bool high = eighth % 2 == 1;
                strike(top + eighth * 0.5, 0.4, high ? std::vector<int>{v[2], v[3]} : std::vector<int>{v[0], v[1]},
                       eighth == 3 ? 70 : 58);
            }
            const std::vector<int> next = before = voice(chord_at(chords, top + 4), before);
            strike(top + 3.5, 1.0, next, 72);
            continue;
        }
        for (const Hit& h : comp_hits(tune.groove, bar, rng)) {
            before = voice(chord_at(chords, top + h.beat), before);
            strike(top + h.beat, h.beats, before, tune.groove == Groove::bossa ? 56 : 54 + rng.between(0, 10));
        }
    }
    return part;
}

// --- Bass ------------------------------------------------------------------------------------

// The chord's root in the bass's middle octave, A1..G#2.
int bass_root(const Chord& c) { return 33 + (c.root - 9 + 12) % 12; }

int fifth_of(const Chord& c) {
    const int fifth = bass_root(c) + c.quality->fifth;
    return fifth > 47 ? fifth - 12 : fifth;
}

// A walking line for one chord: the root on the chord, chord tones between, and a step from a
// semitone away (or from the fifth above) into the next chord's root.
std::vector<int> walk(const Chord& c, const Chord& next, Rng& rng) {
    const int root = bass_root(c), target = bass_root(next);
    const int approach = rng.between(0, 3) == 0 ? fifth_of(next) : target + (rng.between(0, 1) ? 1 : -1);
    if (c.beats == 2) return {root, approach};
    const int third = root + c.quality->third, fifth = root + c.quality->fifth, seventh = root + c.quality->seventh;
    switch (rng.between(0, 3)) {
        case 0: return {root, third, fifth, approach};
        case 1: return {root, root + 2, third, approach};
        case 2: return {root, seventh, fifth, approach};
        default: return {root, root + 12, seventh, approach};
    }
}

Part bass_part(const Tune& tune, const std::vector<Chord>& chords, int bars, Rng& rng) {
    Part part{kBass, {}, {}};
    if (tune.groove == Groove::latin) {
        // The tumbao: nothing on the one; on the and of two the fifth (or the root of a chord
        // coming on three), and on four the next bar's root, held over the bar line.
        for (int bar = 0; bar < bars; ++bar) {
            const double top = bar * kBeatsPerBar;
            const Chord &now = chord_at(chords, top), &third_beat = chord_at(chords, top + 2);
            add(part, top + 1.5, 1.4, &now == &third_beat ? fifth_of(now) : bass_root(third_beat), 90);
            add(part, top + 3, 2.4, bass_root(chord_at(chords, top + kBeatsPerBar)), 96);
        }
        return part;
    }
    for (std::size_t i = 0; i < chords.size(); ++i) {
        const Chord& c = chords[i];
        if (tune.groove == Groove::bossa) {
            // Root and fifth, each a dotted quarter with a soft eighth after it.
            for (double half = 0; half < c.beats; half += 2) {
                const int note = half == 0 ? bass_root(c) : fifth_of(c);
                add(part, c.beat + half, 1.35, note, 88);
                add(part, c.beat + half + 1.5, 0.4, c.beats == 2 ? fifth_of(c) : note, 66);
            }
        } else {
            const std::vector<int> line = walk(c, chords[(i + 1) % chords.size()], rng);
            for (std::size_t k = 0; k < line.size(); ++k)
                add(part, c.beat + static_cast<double>(k), 0.9, line[k], (k == 0 ? 92 : 82) + rng.between(-5, 5));
        }
    }
    return part;
}

// --- Drums -----------------------------------------------------------------------------------

Part drum_part(const Tune& tune, int bars, Rng& rng) {
    Part part{kDrums, {}, {}};
    const auto hit = [&](double beat, int key, int velocity) { add(part, beat, 0.5, key, velocity + rng.between(-5, 5)); };
    for (int bar = 0; bar < bars; ++bar) {
        const double top = bar * kBeatsPerBar;
        const bool turnaround = bar % 8 == 7;
        switch (tune.groove) {
            case Groove::bossa:
                // Brushed hi-hat in eighths, its pedal on two and four, the kick with the bass,
                // the side stick in the bossa clave over two bars.
                for (int e = 0; e < 8; ++e) hit(top + e * 0.5, kClosedHat, e % 2 ? 34 : 46);
                for (double b : {1.0, 3.0}) hit(top + b, kPedalHat, 40);
                for (double b : {0.0, 1.5, 2.0, 3.5}) hit(top + b, kKick, b == 0.0 || b == 2.0 ? 62 : 42);
                for (double b : bar % 2 == 0 ? std::vector<double>{0, 1.5, 3} : std::vector<double>{1, 2.5})
                    hit(top + b, kSideStick, 62);
                break;
            case Groove::swing:
                // Ride in the spang-a-lang, hi-hat on two and four, the kick feathered, the
                // snare dropping a ghost note here and there, and a small fill every eight bars.
                for (double b : {0.0, 1.0, 1.5, 2.0, 3.0, 3.5})
                    hit(top + b, kRide, b == 1.5 || b == 3.5 ? 48 : (b == 1.0 || b == 3.0 ? 72 : 62));
                for (double b : {1.0, 3.0}) hit(top + b, kPedalHat, 58);
                for (int b = 0; b < 4; ++b) hit(top + b, kKick, 26);
                for (int e = 1; e < 8; e += 2)
                    if (rng.between(0, 4) == 0) hit(top + e * 0.5, kSnare, 34);
                if (turnaround)
                    for (double b : {2.5, 3.0, 3.5}) hit(top + b, kSnare, b == 3.5 ? 70 : 50);
                if (bar % 8 == 0) hit(top, kCrash, 60);
                break;
            case Groove::latin:
                // Congas in the tumbao (heel and toe, slap on two, open tones on four), son
                // clave three-two, cowbell on the beat, maracas in eighths, and timbales
                // rolling into each eight-bar section.
                for (int e = 0; e < 8; ++e) {
                    static const int kConga[8] = {kMuteConga, kMuteConga, kMuteConga, kMuteConga,
                                                  kMuteConga, kMuteConga, kOpenConga, kLowConga};
                    static const int kLoud[8] = {36, 30, 90, 32, 36, 30, 86, 82};
                    if (!(turnaround && e >= 5)) hit(top + e * 0.5, kConga[e], kLoud[e]);
                    hit(top + e * 0.5, kMaracas, e % 2 ? 30 : 40);
                }
                for (int b = 0; b < 4; ++b) hit(top + b, kCowbell, b == 0 ? 62 : 50);
                for (double b : bar % 2 == 0 ? std::vector<double>{0, 1.5, 3} : std::vector<double>{1, 2})
                    hit(top + b, kClaves, 64);
                for (double b : {1.5, 3.0}) hit(top + b, kKick, b == 3.0 ? 66 : 54);
                if (turnaround)
                    for (double b : {2.5, 3.0, 3.25, 3.5, 3.75}) hit(top + b, b == 3.25 || b == 3.75 ? kLowTimbale : kHighTimbale, 84);
                if (bar % 8 == 0) hit(top, kCrash, 64);
                break;
        }
    }
    return part;
}

// --- Performance -----------------------------------------------------------------------------

Part lead_part(const std::vector<Phrase>& melody, Rng& rng) {
    Part part{kLead, melody, {}};
    for (const Phrase& p : melody) {
        const bool on_beat = p.beat == std::floor(p.beat);
        part.velocities.push_back(std::clamp((on_beat ? 92 : 86) + (p.beats >= 1.5 ? 6 : 0) + rng.between(-4, 4), 1, 127));
    }
    return part;
}

// Beats to seconds. Swing plays each beat's second eighth late, at 64 % of the beat.
double seconds_at(const Tune& tune, double beat) {
    const double whole = std::floor(beat), f = beat - whole;
    const double ratio = tune.groove == Groove::swing ? 0.64 : 0.5;
    const double swung = f < 0.5 ? f * ratio / 0.5 : ratio + (f - 0.5) * (1 - ratio) / 0.5;
    return (whole + swung) * 60.0 / tune.bpm;
}

Sound perform(const Tune& tune, const std::string& sound_font) {
    const std::vector<Chord> chords = parse_chords(tune);
    const int bars = static_cast<int>(bars_of(tune.chords).size());
    const std::vector<Phrase> melody = parse_melody(tune, static_cast<std::size_t>(bars));
    Rng rng(tune.seed);
    const Part parts[] = {lead_part(melody, rng), keys_part(tune, chords, bars, rng), bass_part(tune, chords, bars, rng),
                          drum_part(tune, bars, rng)};

    const double length = seconds_at(tune, bars * kBeatsPerBar);
    std::vector<Note> notes;
    for (const Part& part : parts)
        for (std::size_t i = 0; i < part.notes.size(); ++i) {
            const Phrase& p = part.notes[i];
            const double start = seconds_at(tune, p.beat) + rng.range(-0.006, 0.006);
            double seconds = seconds_at(tune, p.beat + p.beats) - seconds_at(tune, p.beat);
            seconds *= p.detached ? 0.45 : 0.94;
            notes.push_back({std::fmod(start + length, length), seconds, part.channel, p.key, part.velocities[i]});
        }
    std::vector<Instrument> band(4);
    band[kLead] = tune.lead;
    band[kKeys] = tune.keys;
    band[kBass] = tune.bass;
    band[kDrums] = tune.kit;
    Sound sound = render_loop(sound_font, band, notes, length, kPreroll);
    set_peak(sound, kPeakDbfs);
    return sound;
}

}  // namespace

Sound make_utopia_music(const std::string& sound_font) {
    const std::string a = "Fmaj9 | Bb13 | Fmaj9 | Bb13 |";
    const std::string chords = a + "Am7 | D7b9 | Gm9 | C13 |" +        //
                               a + "Am7 D7b9 | Gm9 C13 | Fmaj9 | Fmaj9 |" +
                               "Cm9 | F13 | Bbmaj9 | Bbmaj9 | Bbm9 | Eb13 | Am7 D7b9 | Gm9 C13 |" +  //
                               a + "Am7 D7b9 | Gm9 C13 | Fmaj9 D7b9 | Gm9 C13";
    const std::string head = "A4q. C5e+h | G4q. F4e+h | A4q. C5e E5q. D5e | D5h+e re C5e D5e |";
    const std::string melody =
        head + "E5q. C5e+h | re D5e Eb5e D5e C5q. A4e | Bb4h+e A4e Bb4e C5e | A4h. rq |" +  //
        "A4q. C5e+h | G4q. F4e+h | A4q. C5e F5q. E5e | D5h+e re C5e D5e |" +
        "E5q. D5e C5q. A4e | Bb4q. A4e G4q E4q | F4w | rh C5e D5e Eb5e F5e |" +
        "G5q. F5e Eb5q D5q | Eb5h+e D5e C5e D5e | D5q. C5e D5h | A4e C5e D5e F5e A5h |" +
        "Ab5q. F5e Db5h | C5h+e re Db5e C5e | E5q. D5e C5q. A4e | D5q. C5e Bb4q G4q |" +  //
        head + "E5q. D5e C5q. A4e | Bb4q. A4e G4q E4q | F4h re F#4e A4e C5e | Bb4q. A4e G4q rq";
    return perform({"utopia", Groove::bossa, 128, {0, 11, 72, 50}, {0, 4, 72, 45}, {0, 32, 78, 12}, {128, 40, 96, 30},
                    chords, melody, 0x07091A},
                   sound_font);
}

Sound make_delirium_music(const std::string& sound_font) {
    const std::string a = "Dm6 | Dm6 | Gm7 | Gm7 | Bb7 | A7#9 |";
    const std::string chords = a + "Dm6 | Em7b5 A7b9 |" + a + "Dm6 | Dm6 |" +
                               "Gm7 | C7 | Fmaj7 | Bbmaj7 | Em7b5 | A7b9 | Dm6 | A7#9 |" + a + "Dm6 | Em7b5 A7b9";
    const std::string head =
        "re A4e' D5e' F5q. E5e D5e | C#5e D5e B4q' rh | re G4e Bb4e D5e F5q E5e Eb5e | D5h re Bb4e' A4e' G4e' |"
        "Ab4q. F4e D4e F4e Ab4q | C5h+e Bb4e G4e E4e |";
    const std::string melody = head + "F4q D4q' rh | re E4e G4e Bb4e C#5e E5e G5e F5e |" +  //
                               head + "F4q D4q' rh | re D5e' C5e' Bb4e' A4e' G4e' F4e' E4e' |" +
                               "D5q. C5e Bb4q A4q | G4h re E4e G4e Bb4e | A4q. C5e E5h | D5h+e re C5e D5e |"
                               "Bb4q. G4e E4q D5q | C#5q. Bb4e G4h | F4q A4q B4q' D5q' | C5e' C#5e' rq rh |" +
                               head + "F4q D4q' rh | re E4e G4e Bb4e C#5e E5e G5e F5e";
    return perform({"delirium", Groove::swing, 138, {0, 59, 127, 45}, {0, 0, 95, 40}, {0, 32, 72, 12}, {128, 32, 127, 30},
                    chords, melody, 0x0DE11A},
                   sound_font);
}

Sound make_indulgence_music(const std::string& sound_font) {
    const std::string a = "Cm9 | F9 | Cm9 | F9 | Abmaj7 | G7#9 |";
    const std::string chords = a + "Cm9 | G7#9 |" + a + "Cm9 | Dm7b5 G7b9 |" +
                               "Fm9 | Bb13 | Ebmaj9 | Abmaj7 | Dm7b5 | G7b9 | Cm9 | Ab7 G7#9 |" + a + "Cm9 | G7#9";
    const std::string head =
        "G4e C5e re Eb5e+q D5e C5e | re A4e+q C5q Eb5q | D5q. C5e+h | rh re G4e A4e C5e |"
        "Eb5q. G5e+q F5q | Eb5q. D5e B4q Bb4q |";
    const std::string melody = head + "C5h+e re G4e Bb4e | B4q. D5e F5q rq |" +  //
                               head + "C5h+e re Eb5e F5e | G5q. F5e Eb5q D5q |" +
                               "C5e Eb5e re Ab5e+q G5e F5e | G5h+e re F5e D5e | Bb4q. D5e F5q G5q | G5h+e F5e Eb5e C5e |"
                               "D5q. F5e Ab5q G5q | F5h+e Ab4e B4e D5e | Eb5q. D5e C5h | re C5e Eb5e Gb5e F5q D5q |" +
                               head + "C5h+e re G4e Bb4e | B4q. D5e F5q rq";
    return perform({"indulgence", Groove::latin, 124, {0, 56, 96, 50}, {0, 0, 97, 35}, {0, 32, 90, 12}, {128, 0, 103, 28},
                    chords, melody, 0x1DD1CE},
                   sound_font);
}

}  // namespace assetgen

// The voices are formant speech: a glottal buzz whose harmonics are weighted by the resonances
// of a vocal tract (four formants gliding from vowel to vowel), with breath, consonant bursts and
// a pitch contour per syllable. Each cry, shout or cheer is a short phrase of gibberish
// syllables. Ombrelix has a small bright mouth, a high quick voice and a fast vibrato; quorvant
// a big round one, low and slow, with a growl.
// The hits are what the rivals throw landing on the other: a knock, the ceramic ring of a cup,
// a splash of coffee, a clatter of shards, and for the super a crash; ombrelix's small porcelain
// rings high and bright, quorvant's heavy mugs thud low.

#include "voices.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "rng.hpp"
#include "synth.hpp"

namespace assetgen {

namespace {

constexpr double kPeakDbfs = -3.0;

double seconds_of(std::size_t i) { return static_cast<double>(i) / kSampleRate; }
double clamp01(double x) { return std::clamp(x, 0.0, 1.0); }
double smooth(double u) {
    u = clamp01(u);
    return u * u * (3 - 2 * u);
}
// 0 before `from`, rising to 1 over `length` seconds.
double ramp(double t, double from, double length) { return clamp01((t - from) / length); }

// Random wander: white noise through a one-pole low-pass, scaled to about unit deviation.
class Wander {
public:
    explicit Wander(double hz) : a_(kTwoPi * hz / kSampleRate) {}
    double step(Rng& rng) {
        const double x = rng.range(-1.0, 1.0);
        y_ += a_ * (x - y_);
        return y_ / std::sqrt(a_ / 6);
    }

private:
    double a_;
    double y_ = 0;
};

// --- Speech ----------------------------------------------------------------------------------

// Formant frequencies in Hz, as a grown man says the vowel; a speaker scales them.
struct Vowel {
    double f[4];
};
constexpr Vowel kA{{730, 1090, 2440, 3400}};   // "ah"
constexpr Vowel kE{{530, 1840, 2480, 3500}};   // "eh"
constexpr Vowel kI{{290, 2250, 2950, 3700}};   // "ee"
constexpr Vowel kO{{500, 850, 2400, 3300}};    // "oh"
constexpr Vowel kU{{320, 800, 2240, 3300}};    // "oo"
constexpr Vowel kUh{{600, 1200, 2450, 3400}};  // "uh"
constexpr Vowel kM{{250, 1000, 2300, 3300}};   // lips closed on a hum, "mm"
constexpr double kBandwidth[4] = {70, 100, 160, 220};  // Hz, of each formant in the voice

Vowel blend(const Vowel& a, const Vowel& b, double u) {
    Vowel v{};
    for (int j = 0; j < 4; ++j) v.f[j] = a.f[j] + (b.f[j] - a.f[j]) * u;
    return v;
}

// How a syllable begins: nothing (a hard vowel), breath, a plosive burst, or a glide from
// a closed or narrow mouth.
enum class Onset { none, h, p, t, k, b, w, y, m };
// How it ends: fading, a "p" that shuts it, or a breath out.
enum class Coda { none, p, breath };

struct Syllable {
    double start, length;         // seconds into the phrase
    Onset onset;
    Vowel from, to;               // the vowel glides from one to the other
    double pitch_from, pitch_to;  // semitones above the speaker's base pitch
    double loud;                  // 0..1
    Coda coda = Coda::none;
    double creak = 0;  // 0..1: vocal fry over the second half (groans)
};

struct Speaker {
    double base_hz;                        // pitch at 0 semitones
    double formant_scale;                  // above 1 a smaller, brighter mouth
    double tilt_hz;                        // the buzz loses 6 dB per octave above this
    double breath;                         // breath under the voice, 0..1
    double vibrato_hz, vibrato_semitones;  // on held notes
    double growl;                          // roughness, 0..1
    double drift_semitones;                // slow random wander of the pitch
};

constexpr Speaker kOmbrelixVoice{290, 1.22, 700, 0.10, 7.2, 0.45, 0.0, 0.25};
constexpr Speaker kQuorvantVoice{95, 0.9, 500, 0.16, 4.6, 0.30, 0.35, 0.20};

// Where the parts of a syllable begin, by its onset (seconds into the syllable).
struct OnsetShape {
    double voice_at;     // the buzz starts
    double attack;       // and takes this long to reach full strength
    double burst_hz;     // a plosive's click (0: none), at 4 ms
    double aspiration;   // breath before the voice, 0..1
    Vowel glide_from;    // the mouth starts here...
    double hold, glide;  // ...stays, then glides to the vowel
    double hum;          // level while the mouth stays closed
};

OnsetShape onset_shape(const Syllable& s) {
    switch (s.onset) {
        case Onset::none: return {0, 0.006, 0, 0, s.from, 0, 0, 1};
        case Onset::h: return {0.045, 0.025, 0, 0.6, s.from, 0, 0, 1};
        case Onset::p: return {0.030, 0.012, 700, 0.5, s.from, 0, 0, 1};
        case Onset::t: return {0.030, 0.012, 3500, 0.5, s.from, 0, 0, 1};
        case Onset::k: return {0.032, 0.012, 1700, 0.5, s.from, 0, 0, 1};
        case Onset::b: return {0.004, 0.010, 500, 0, kM, 0, 0.03, 1};
        case Onset::w: return {0, 0.015, 0, 0, kU, 0.01, 0.07, 1};
        case Onset::y: return {0, 0.015, 0, 0, kI, 0.01, 0.06, 1};
        case Onset::m: return {0, 0.015, 0, 0, kM, 0.06, 0.05, 0.6};
    }
    return {0, 0.006, 0, 0, s.from, 0, 0, 1};
}

// The buzz seen through the vocal tract: harmonics of f0 weighted by a -6 dB/octave tilt and
// the four formant resonances (magnitudes of two-pole resonators, 1 at 0 Hz), at a steady power.
class Buzz {
public:
    static constexpr double kTopHz = 5500;

    // Weighs the harmonics for this pitch and mouth.
    void shape(double f0, const double formant[4], double tilt_hz) {
        count_ = std::min(static_cast<int>(kTopHz / f0), static_cast<int>(sizeof(gain_) / sizeof(gain_[0])));
        double power = 0;
        for (int k = 1; k <= count_; ++k) {
            const double f = k * f0;
            double g = 1 / std::sqrt(1 + (f / tilt_hz) * (f / tilt_hz)) * (1 - (f / kTopHz) * (f / kTopHz));
            for (int j = 0; j < 4; ++j) {
                const double ff = formant[j] * formant[j];
                g *= ff / std::sqrt((ff - f * f) * (ff - f * f) + (kBandwidth[j] * f) * (kBandwidth[j] * f));
            }
            gain_[k - 1] = g;
            power += g * g;
        }
        // The same strength whichever harmonic meets a formant: the syllable's loudness rules.
        for (int k = 0; k < count_; ++k) gain_[k] /= std::sqrt(power);
    }

    // The waveform at this phase of the glottal cycle (0 at the cycle's start).
    double at(double phase) const {
        const double c2 = 2 * std::cos(phase);
        double before = 0, s = std::sin(phase), sum = 0;
        for (int k = 0; k < count_; ++k) {
            sum += gain_[k] * s;
            const double next = c2 * s - before;
            before = s;
            s = next;
        }
        return sum;
    }

private:
    int count_ = 0;
    double gain_[96] = {};
};

// Breath noise shaped by the same formants, wider.
class Breath {
public:
    double step(double noise, const double formant[4]) {
        static constexpr double kWeight[3] = {1.0, 0.8, 0.6};
        double sum = 0;
        for (int j = 0; j < 3; ++j) {
            const double q = formant[j] / (2.5 * kBandwidth[j]);
            const double once = band_[j].step(noise, formant[j], q) / q;
            sum += kWeight[j] * again_[j].step(once, formant[j], q) / q;
        }
        return sum;
    }

private:
    BandPass band_[3], again_[3];  // twice through each, for steeper skirts
};

// Noise levels relative to the buzz.
constexpr double kBreathGain = 1.5;
constexpr double kBurstGain = 0.35;

// Adds one syllable to the phrase.
void speak(Sound& out, const Speaker& who, const Syllable& syl, Rng& rng) {
    const OnsetShape on = onset_shape(syl);
    const double vowel_at = std::max(on.voice_at, on.hold + on.glide);
    const double voice_end = syl.length - (syl.coda == Coda::p ? 0.03 : syl.coda == Coda::breath ? 0.08 : 0);
    const double release = syl.coda == Coda::p ? 0.012 : std::min(0.08, 0.35 * (voice_end - on.voice_at));
    const std::size_t first = static_cast<std::size_t>(std::lround(syl.start * kSampleRate));
    const std::size_t count = std::min(out.samples.size() - first, static_cast<std::size_t>(syl.length * kSampleRate));

    Buzz buzz;
    Breath breath;
    BandPass burst;
    Wander drift(3), rough(40);
    double phase = 0;
    bool odd_period = false;   // creaky voice weakens every other glottal pulse
    double creak_jitter = 0;  // and shifts each one's pitch a little
    for (std::size_t i = 0; i < count; ++i) {
        const double t = seconds_of(i);
        // 1. The mouth: closed or narrow at the onset, then the vowel glide.
        const Vowel opening = blend(on.glide_from, syl.from, smooth(ramp(t, on.hold, std::max(on.glide, 1e-3))));
        const Vowel vowel = t < vowel_at ? opening
                                         : blend(syl.from, syl.to, smooth(ramp(t, vowel_at, syl.length - vowel_at)));
        double formant[4];
        for (int j = 0; j < 4; ++j) formant[j] = vowel.f[j] * who.formant_scale;

        // 2. The pitch: an eased contour, vibrato on held notes, a slow wander, creak jitter.
        const double u = ramp(t, on.voice_at, voice_end - on.voice_at);
        const double creak = syl.creak * smooth(ramp(t, on.voice_at + (voice_end - on.voice_at) / 2, 0.15));
        const double contour = syl.pitch_from + (syl.pitch_to - syl.pitch_from) * (1 - (1 - u) * (1 - u));
        const double vibrato = who.vibrato_semitones * smooth(ramp(t, on.voice_at + 0.12, 0.15)) *
                               std::sin(kTwoPi * who.vibrato_hz * t);
        const double wander = who.drift_semitones * drift.step(rng);
        const double f0 = who.base_hz * std::pow(2.0, (contour + vibrato + wander + creak_jitter) / 12);

        // 3. The buzz's strength: attack, release, the hum of a closed mouth, growl and creak.
        const double hum = on.hum + (1 - on.hum) * smooth(ramp(t, on.hold, std::max(on.glide, 1e-3)));
        const double fall = 1 - smooth(ramp(t, voice_end - release, release));
        const double growl = std::max(0.0, 1 + 0.6 * who.growl * syl.loud * rough.step(rng));
        const double voice_level = syl.loud * ramp(t, on.voice_at, on.attack) * fall * hum * growl *
                                   (odd_period ? 1 - 0.75 * creak : 1.0);

        phase += kTwoPi * f0 / kSampleRate;
        if (phase >= kTwoPi) {
            phase -= kTwoPi;
            odd_period = !odd_period;
            creak_jitter = creak * rng.range(-1.0, 1.0);
        }
        if (i % 8 == 0) buzz.shape(f0, formant, who.tilt_hz);
        double v = voice_level * buzz.at(phase);

        // 4. Breath: aspiration before the voice, breath under it, a breath out at the end.
        const double aspiration = on.aspiration * ramp(t, on.burst_hz > 0 ? 0.010 : 0, 0.008) *
                                  (1 - ramp(t, on.voice_at, 0.02));
        const double exhale = syl.coda == Coda::breath ? 0.3 * syl.loud * ramp(t, voice_end - release, 0.02) *
                                                             std::pow(1 - ramp(t, voice_end, syl.length - voice_end), 2)
                                                       : 0;
        const double noise = rng.range(-1.0, 1.0);
        v += kBreathGain * (aspiration * syl.loud + who.breath * voice_level + exhale) * breath.step(noise, formant);

        // 5. Plosive clicks: the onset's, and a "p" that shuts the syllable.
        if (on.burst_hz > 0 && t >= 0.004)
            v += kBurstGain * syl.loud * burst.step(noise, on.burst_hz, 1.2) * std::exp(-(t - 0.004) / 0.004);
        if (syl.coda == Coda::p && t >= voice_end + 0.008)
            v += 0.4 * kBurstGain * syl.loud * burst.step(noise, 700, 1.2) * std::exp(-(t - voice_end - 0.008) / 0.004);

        out.samples[first + i] += v;
    }
}

Sound say(const Speaker& who, const std::vector<Syllable>& phrase, std::uint64_t seed) {
    double length = 0;
    for (const Syllable& s : phrase) length = std::max(length, s.start + s.length);
    Sound out = silence(length + 0.01);
    Rng rng(seed);
    for (const Syllable& s : phrase) speak(out, who, s, rng);
    fade_in(out, 0.002);
    fade_out(out, 0.01);
    set_peak(out, kPeakDbfs);
    return out;
}

// What each rival says. Times in seconds, pitches in semitones above the speaker's base.
std::vector<Syllable> ombrelix_phrase(CharacterSample sample) {
    switch (sample) {
        case kOuch:  // "ow!": a yelp falling from high
            return {{0.00, 0.26, Onset::none, kA, kU, 11, 3, 1.0}};
        case kOuchHard:  // "ya-OWW!"
            return {{0.00, 0.09, Onset::y, kA, kA, 7, 9, 0.7},
                    {0.08, 0.44, Onset::none, kA, kU, 15, 2, 1.0, Coda::breath}};
        case kIntro:  // "hey-hey! pi-ka-TA!"
            return {{0.00, 0.13, Onset::h, kE, kI, 2, 4, 0.8},
                    {0.15, 0.16, Onset::h, kE, kI, 4, 7, 0.9},
                    {0.42, 0.09, Onset::p, kI, kI, 5, 6, 0.7},
                    {0.52, 0.09, Onset::k, kA, kA, 3, 4, 0.7},
                    {0.62, 0.28, Onset::t, kA, kA, 7, 12, 1.0}};
        case kWin:  // "ya-hoo-hoo-HEEE!"
            return {{0.00, 0.15, Onset::y, kA, kA, 0, 4, 0.8},
                    {0.16, 0.13, Onset::h, kU, kU, 4, 7, 0.8},
                    {0.31, 0.13, Onset::h, kU, kU, 7, 9, 0.85},
                    {0.46, 0.80, Onset::h, kE, kI, 9, 14, 1.0, Coda::breath}};
        case kLose:  // "aw... wuuu-uh": a whine sinking away
            return {{0.00, 0.30, Onset::none, kA, kO, 6, 4, 0.9},
                    {0.30, 0.85, Onset::w, kU, kUh, 5, -5, 0.8, Coda::breath, 0.35}};
        case kTaunt:  // "hi-YUP!"
            return {{0.00, 0.11, Onset::h, kI, kI, 2, 4, 0.7},
                    {0.11, 0.18, Onset::y, kUh, kU, 3, 12, 1.0, Coda::p}};
        case kCharge:  // "ha-ha-HYAAAH!", each step higher
            return {{0.00, 0.10, Onset::h, kA, kA, 0, 1, 0.6},
                    {0.12, 0.10, Onset::h, kA, kA, 3, 4, 0.75},
                    {0.24, 0.44, Onset::y, kA, kA, 5, 12, 1.0, Coda::breath}};
        default: return {};  // the hits are not spoken
    }
}

std::vector<Syllable> quorvant_phrase(CharacterSample sample) {
    switch (sample) {
        case kOuch:  // "oof!"
            return {{0.00, 0.26, Onset::none, kO, kU, 8, 1, 1.0, Coda::breath}};
        case kOuchHard:  // "OOOH-ugh!"
            return {{0.00, 0.36, Onset::w, kO, kU, 13, 4, 1.0},
                    {0.36, 0.24, Onset::none, kUh, kUh, 3, -2, 0.75, Coda::breath}};
        case kIntro:  // "bo-ma-GOH!"
            return {{0.00, 0.17, Onset::b, kO, kO, 3, 3, 0.8},
                    {0.19, 0.18, Onset::m, kA, kA, 5, 5, 0.8},
                    {0.42, 0.50, Onset::k, kO, kU, 9, 3, 1.0, Coda::breath}};
        case kWin:  // "ho-ho-ho-HOOO!", a big laugh
            return {{0.00, 0.16, Onset::h, kO, kO, 5, 4, 0.8},
                    {0.21, 0.16, Onset::h, kO, kO, 7, 6, 0.85},
                    {0.42, 0.16, Onset::h, kO, kO, 9, 8, 0.9},
                    {0.64, 0.72, Onset::h, kA, kO, 12, 10, 1.0, Coda::breath}};
        case kLose:  // "ohhh... nooo...", down into a creak
            return {{0.00, 0.50, Onset::none, kO, kU, 5, -1, 0.9},
                    {0.55, 0.85, Onset::m, kO, kU, 3, -7, 0.85, Coda::breath, 0.6}};
        case kTaunt:  // "hoh-HUP!"
            return {{0.00, 0.15, Onset::h, kO, kO, 0, 1, 0.7},
                    {0.17, 0.23, Onset::h, kUh, kU, 1, 9, 1.0, Coda::p}};
        case kCharge:  // "hmmmm... HRAAAH!"
            return {{0.00, 0.30, Onset::m, kM, kUh, 0, 3, 0.75},
                    {0.30, 0.48, Onset::h, kA, kO, 5, 9, 1.0, Coda::breath}};
        default: return {};  // the hits are not spoken
    }
}

// --- Hits ------------------------------------------------------------------------------------

struct Impact {
    double length;         // seconds
    double thud_hz, thud;  // the body's knock: the pitch it drops to, level
    double ring_hz, ring;  // the cup's ceramic ring: its lowest partial, level
    double splash;         // coffee spraying out, level
    int shards;            // small pieces clattering after the landing
    double crash;          // the crunch and rumble of a heavy blow, level
};

// The ring of a cup: inharmonic partials, the higher ones dying sooner.
struct Partial {
    double ratio, level, decay;
};
constexpr Partial kCupRing[] = {{1.0, 1.0, 0.12}, {1.006, 0.5, 0.10}, {2.32, 0.6, 0.07}, {4.25, 0.35, 0.04}, {6.63, 0.2, 0.025}};

// A short event after the landing: a shard's clink or a drop's bloop.
struct Grain {
    double start, hz, level;
};

// `count` grains, bunched toward the start of the first `spread` seconds.
std::vector<Grain> scatter(Rng& rng, int count, double spread, double lo_hz, double hi_hz) {
    std::vector<Grain> grains;
    for (int k = 0; k < count; ++k) {
        const double early = rng.unit();
        const double start = 0.008 + spread * early * rng.unit();
        const double hz = rng.range(lo_hz, hi_hz);
        const double level = rng.range(0.4, 1.0);
        grains.push_back({start, hz, level});
    }
    return grains;
}

// A sine partial, silent when it would fold back from above the highest frequency a file holds.
double tone(double hz, double t) { return hz < 0.45 * kSampleRate ? std::sin(kTwoPi * hz * t) : 0.0; }

Sound land(const Impact& hit, std::uint64_t seed) {
    Sound s = silence(hit.length);
    Rng rng(seed);
    const std::vector<Grain> shards = scatter(rng, hit.shards, 0.35 * hit.length, 1.8 * hit.ring_hz, 3.4 * hit.ring_hz);
    const std::vector<Grain> drops = scatter(rng, static_cast<int>(std::lround(30 * hit.splash)), 0.18, 700, 2600);
    BandPass knock, spray, spray_narrow, crunch, rumble;
    double thud_phase = 0;
    const double thud_decay = 6 / hit.thud_hz;
    for (std::size_t i = 0; i < s.samples.size(); ++i) {
        const double t = seconds_of(i);
        const double noise = rng.range(-1.0, 1.0);
        // 1. The knock: a low tone dropping onto its pitch, and the contact's short click.
        thud_phase += kTwoPi * hit.thud_hz * (1 + 1.5 * std::exp(-t / 0.012)) / kSampleRate;
        double v = hit.thud * (std::sin(thud_phase) * std::exp(-t / thud_decay) +
                               2 * knock.step(noise, 6 * hit.thud_hz, 1.0) * std::exp(-t / 0.005));
        // 2. The cup's ring, and the shards' clinks (two partials each).
        for (const Partial& p : kCupRing)
            v += 0.4 * hit.ring * p.level * tone(hit.ring_hz * p.ratio, t) * std::exp(-t / p.decay);
        for (const Grain& g : shards)
            if (t >= g.start) {
                const double dt = t - g.start;
                v += 0.3 * g.level * (tone(g.hz, dt) + 0.5 * tone(2.1 * g.hz, dt)) * std::exp(-dt / 0.035) *
                     std::min(1.0, dt / 0.0008);
            }
        // 3. The splash: a spray of noise sweeping down, and drops that bloop with a rising pitch.
        if (hit.splash > 0) {
            const double centre = 600 + 1600 * std::exp(-t / 0.06);
            const double band = spray_narrow.step(spray.step(noise, centre, 1.2), centre, 1.2);
            v += 3 * hit.splash * band * ramp(t, 0, 0.006) * std::exp(-t / 0.07);
            for (const Grain& g : drops)
                if (t >= g.start) {
                    const double dt = t - g.start;
                    v += 0.25 * g.level * std::sin(kTwoPi * g.hz * dt * (1 + 5 * dt)) * std::exp(-dt / 0.012) *
                         std::min(1.0, dt / 0.001);
                }
        }
        // 4. The crash: a crunch of breaking china over a long low rumble.
        if (hit.crash > 0)
            v += hit.crash * (3 * crunch.step(noise, 1100, 0.7) * std::exp(-t / 0.045) +
                              6 * rumble.step(noise, 70, 3.0) * ramp(t, 0, 0.01) * std::exp(-t / 0.22));
        s.samples[i] = v;
    }
    // Gentle saturation: a denser, weightier knock for the same peak.
    set_peak(s, 0.0);
    for (double& v : s.samples) v = std::tanh(2 * v) / std::tanh(2.0);
    fade_in(s, 0.001);
    fade_out(s, 0.03);
    set_peak(s, kPeakDbfs);
    return s;
}

// Ombrelix throws dainty porcelain; quorvant heavy mugs.
Impact impact(int character, CharacterSample sample) {
    static const Impact kOmbrelixHits[] = {
        {0.28, 190, 0.5, 1900, 0.8, 0.0, 0, 0.0},  // a tink and a tap
        {0.36, 170, 0.6, 1500, 0.5, 0.8, 1, 0.0},  // a clink and a splash of coffee
        {0.45, 150, 0.8, 1250, 0.7, 0.5, 4, 0.2},  // a bonk and a clatter
        {0.70, 75, 1.0, 950, 0.6, 0.6, 9, 1.0},    // the super: a crash of china
    };
    static const Impact kQuorvantHits[] = {
        {0.30, 120, 0.8, 1000, 0.5, 0.0, 0, 0.0},
        {0.38, 105, 0.9, 820, 0.35, 0.9, 1, 0.0},
        {0.48, 95, 1.0, 700, 0.5, 0.5, 3, 0.3},
        {0.75, 50, 1.0, 560, 0.45, 0.7, 7, 1.0},
    };
    return (character == kOmbrelix ? kOmbrelixHits : kQuorvantHits)[sample];
}

}  // namespace

Sound make_character_sound(int character, CharacterSample sample) {
    const std::uint64_t seed = 0xC0FFEE00u + 16u * static_cast<std::uint64_t>(character) + sample;
    if (sample <= kSmash) return land(impact(character, sample), seed);
    if (character == kOmbrelix) return say(kOmbrelixVoice, ombrelix_phrase(sample), seed);
    return say(kQuorvantVoice, quorvant_phrase(sample), seed);
}

}  // namespace assetgen

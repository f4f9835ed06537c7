#include "fluid.hpp"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "fail.hpp"
#include "maths.hpp"

namespace assetgen {

namespace {

constexpr int kRenderRate = 2 * kSampleRate;
constexpr int kFilterHalf = 63;  // taps on each side of the halving low-pass

struct Settings {
    fluid_settings_t* p;
    ~Settings() { delete_fluid_settings(p); }
};
struct Synth {
    fluid_synth_t* p;
    ~Synth() { delete_fluid_synth(p); }
};

// A key going down or up, at a frame of the render rate.
struct Event {
    long frame;
    bool down;
    int id;  // which copy of which note
    int channel, key, velocity;
};

bool earlier(const Event& a, const Event& b) {
    // Keys go up before keys go down at the same frame, so a repeated key is struck again.
    return std::make_tuple(a.frame, a.down, a.id) < std::make_tuple(b.frame, b.down, b.id);
}

// Every note of the loop, played one period before, in, and one period after the loop.
std::vector<Event> events_of(const std::vector<Note>& notes, long period) {
    std::vector<Event> events;
    int id = 0;
    for (int copy = -1; copy <= 1; ++copy)
        for (const Note& n : notes) {
            const long on = std::lround(n.start * kRenderRate) + copy * period;
            const long off = on + std::max(1L, std::lround(n.length * kRenderRate));
            events.push_back({on, true, id, n.channel, n.key, n.velocity});
            events.push_back({off, false, id, n.channel, n.key, 0});
            ++id;
        }
    std::sort(events.begin(), events.end(), earlier);
    return events;
}

fluid_synth_t* start_synth(fluid_settings_t* settings) {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
        fluid_set_log_function(level, nullptr, nullptr);  // our own line says what failed
    fluid_settings_setnum(settings, "synth.sample-rate", kRenderRate);
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    fluid_settings_setint(settings, "synth.threadsafe-api", 0);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_settings_setint(settings, "synth.dynamic-sample-loading", 0);
    fluid_settings_setint(settings, "synth.chorus.active", 0);
    fluid_settings_setint(settings, "synth.reverb.active", 1);
    fluid_settings_setnum(settings, "synth.reverb.room-size", 0.55);
    fluid_settings_setnum(settings, "synth.reverb.damp", 0.45);
    fluid_settings_setnum(settings, "synth.reverb.width", 0.6);
    fluid_settings_setnum(settings, "synth.reverb.level", 0.8);
    fluid_settings_setnum(settings, "synth.gain", 0.5);
    return new_fluid_synth(settings);
}

void set_up_channels(fluid_synth_t* synth, int font, const std::vector<Instrument>& instruments) {
    for (int c = 0; c < static_cast<int>(instruments.size()); ++c) {
        const Instrument& in = instruments[static_cast<std::size_t>(c)];
        fluid_synth_set_channel_type(synth, c, in.bank == 128 ? CHANNEL_TYPE_DRUM : CHANNEL_TYPE_MELODIC);
        if (fluid_synth_program_select(synth, c, font, in.bank, in.program) != FLUID_OK)
            fail("the sound font has no instrument " + std::to_string(in.bank) + ":" + std::to_string(in.program));
        fluid_synth_cc(synth, c, 7, in.volume);
        fluid_synth_cc(synth, c, 10, 64);
        fluid_synth_cc(synth, c, 91, in.reverb);
        fluid_synth_cc(synth, c, 93, 0);
    }
}

// Halves the rate: a windowed-sinc low-pass below the new Nyquist frequency, then every
// second frame. Output sample i sits on input frame first + 2 i.
std::vector<double> halve(const std::vector<double>& in, long first, std::size_t count) {
    std::vector<double> taps(2 * kFilterHalf + 1);
    const double cutoff = 10000.0 / kRenderRate;  // cycles per input frame
    double sum = 0;
    for (int k = -kFilterHalf; k <= kFilterHalf; ++k) {
        const double x = kTwoPi * cutoff * k;
        const double sinc = k == 0 ? 1.0 : std::sin(x) / x;
        const double w = static_cast<double>(k + kFilterHalf) / (2 * kFilterHalf);
        const double blackman = 0.42 - 0.5 * std::cos(kTwoPi * w) + 0.08 * std::cos(2 * kTwoPi * w);
        taps[static_cast<std::size_t>(k + kFilterHalf)] = sinc * blackman;
        sum += sinc * blackman;
    }
    std::vector<double> out(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t centre = static_cast<std::size_t>(first) + 2 * i;
        double acc = 0;
        for (std::size_t t = 0; t < taps.size(); ++t) acc += taps[t] * in[centre + t - kFilterHalf];
        out[i] = acc / sum;
    }
    return out;
}

}  // namespace

Sound render_loop(const std::string& sound_font, const std::vector<Instrument>& instruments,
                  const std::vector<Note>& notes, double loop_seconds, double preroll) {
    const Settings settings{new_fluid_settings()};
    const Synth synth{start_synth(settings.p)};
    if (!synth.p) fail("cannot start the FluidSynth synthesiser");
    const int font = fluid_synth_sfload(synth.p, sound_font.c_str(), 0);
    if (font == FLUID_FAILED) fail("cannot load the sound font " + sound_font);
    set_up_channels(synth.p, font, instruments);

    // Frames of the render rate, from `begin` (before the loop) to `end` (just past it).
    const std::size_t count = static_cast<std::size_t>(std::lround(loop_seconds * kSampleRate));
    const long period = 2 * static_cast<long>(count);
    const long begin = -std::lround(preroll * kRenderRate) - kFilterHalf;
    const long end = period + kFilterHalf + 1;
    std::vector<float> left(static_cast<std::size_t>(end - begin)), right(left.size());

    // Only the latest stroke of a key lets it go, so overlapping copies do not cut each other.
    std::vector<int> latest(16 * 128, -1);
    long at = begin;
    const auto render_to = [&](long frame) {
        if (frame <= at) return;
        const std::size_t from = static_cast<std::size_t>(at - begin);
        fluid_synth_write_float(synth.p, static_cast<int>(frame - at), left.data(), static_cast<int>(from), 1,
                                right.data(), static_cast<int>(from), 1);
        at = frame;
    };
    for (const Event& e : events_of(notes, period)) {
        if (e.frame < begin) continue;
        if (e.frame >= end) break;
        render_to(e.frame);
        int& owner = latest[static_cast<std::size_t>(e.channel * 128 + e.key)];
        if (e.down) {
            if (owner >= 0) fluid_synth_noteoff(synth.p, e.channel, e.key);
            fluid_synth_noteon(synth.p, e.channel, e.key, e.velocity);
            owner = e.id;
        } else if (owner == e.id) {
            fluid_synth_noteoff(synth.p, e.channel, e.key);
            owner = -1;
        }
    }
    render_to(end);

    std::vector<double> mono(left.size());
    for (std::size_t i = 0; i < mono.size(); ++i) mono[i] = 0.5 * (static_cast<double>(left[i]) + right[i]);
    return Sound{halve(mono, -begin, count)};
}

}  // namespace assetgen

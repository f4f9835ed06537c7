// break.wav: a bright glassy pop. refill.wav: a soft rising whoosh.
// Both 16-bit mono at 22 050 Hz, under half a second, peaking at -3 dBFS, with a short fade at
// each end so they never click.

#include "sounds.hpp"

#include <algorithm>
#include <cmath>

#include "rng.hpp"
#include "synth.hpp"

namespace assetgen {

namespace {

constexpr double kPeakDbfs = -3.0;

double seconds_of(std::size_t i) { return static_cast<double>(i) / kSampleRate; }

}  // namespace

Sound make_break_sound() {
    Sound s = silence(0.34);
    Rng rng(0xB2EA);
    BandPass crack;
    // A glass ring: inharmonic partials, the higher ones dying sooner, each pair slightly
    // detuned so the ring shimmers.
    struct Partial {
        double hz, level, decay;
    };
    static const Partial kRing[] = {{2350, 0.50, 0.110}, {2356, 0.30, 0.100}, {5430, 0.32, 0.060},
                                    {5441, 0.18, 0.055}, {9600, 0.16, 0.030}, {3720, 0.22, 0.080}};
    // Two small shards tinkling a moment later.
    struct Tinkle {
        double start, hz, level;
    };
    static const Tinkle kShards[] = {{0.034, 3150, 0.35}, {0.034, 6870, 0.2}, {0.071, 4480, 0.3}, {0.071, 8120, 0.15}};
    double pop_phase = 0;
    for (std::size_t i = 0; i < s.samples.size(); ++i) {
        const double t = seconds_of(i);
        // The pop: a short tone that drops from 1100 Hz to 260 Hz in 40 ms.
        const double pop_hz = 260 + 840 * std::exp(-t / 0.012);
        pop_phase += kTwoPi * pop_hz / kSampleRate;
        const double pop = 0.9 * std::sin(pop_phase) * std::exp(-t / 0.022);
        // The crack: a burst of bright noise in the first few milliseconds.
        const double noise = rng.range(-1.0, 1.0);
        const double snap = crack.step(noise, 4200, 0.9) * std::exp(-t / 0.004) * 1.4;
        double ring = 0;
        for (const Partial& p : kRing) ring += p.level * std::sin(kTwoPi * p.hz * t) * std::exp(-t / p.decay);
        for (const Tinkle& k : kShards)
            if (t >= k.start) {
                const double dt = t - k.start;
                ring += k.level * std::sin(kTwoPi * k.hz * dt) * std::exp(-dt / 0.035) * std::min(1.0, dt / 0.0008);
            }
        s.samples[i] = pop + snap + ring * 0.55;
    }
    fade_in(s, 0.001);
    fade_out(s, 0.012);
    set_peak(s, kPeakDbfs);
    return s;
}

Sound make_refill_sound() {
    const double length = 0.42;
    Sound s = silence(length);
    Rng rng(0x4EF1);
    BandPass wind, air;
    double soft = 0;  // one-pole low-pass that keeps the hiss soft
    double tone_phase = 0;
    for (std::size_t i = 0; i < s.samples.size(); ++i) {
        const double t = seconds_of(i), u = t / length;
        // Air through a band-pass that sweeps up from 350 Hz to 2.8 kHz.
        const double centre = 350 * std::pow(2800.0 / 350.0, u);
        const double noise = rng.range(-1.0, 1.0);
        const double band = wind.step(noise, centre, 3.0) + 0.3 * air.step(noise, centre * 1.8, 1.5);
        soft += (band - soft) * std::min(1.0, kTwoPi * centre * 2.5 / kSampleRate);
        const double whoosh = soft;
        // A faint rising tone under it, so the whoosh is heard to climb.
        tone_phase += kTwoPi * (220 + 500 * u * u) / kSampleRate;
        const double tone = 0.08 * std::sin(tone_phase);
        // Swells to its loudest at two thirds of the way, then settles away.
        const double swell = std::pow(std::sin(kPi * std::pow(u, 0.9)), 1.5);
        s.samples[i] = (whoosh + tone) * swell;
    }
    fade_in(s, 0.004);
    fade_out(s, 0.015);
    set_peak(s, kPeakDbfs);
    return s;
}

}  // namespace assetgen

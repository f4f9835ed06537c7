#include "synth.hpp"

#include <algorithm>
#include <cmath>

namespace assetgen {

Sound silence(double seconds) {
    Sound s;
    s.samples.assign(static_cast<std::size_t>(std::lround(seconds * kSampleRate)), 0.0);
    return s;
}

void set_peak(Sound& sound, double dbfs) {
    double peak = 0;
    for (double v : sound.samples) peak = std::max(peak, std::abs(v));
    if (peak == 0) return;
    const double gain = std::pow(10.0, dbfs / 20.0) / peak;
    for (double& v : sound.samples) v *= gain;
}

void fade_in(Sound& sound, double seconds) {
    const std::size_t n = std::min(sound.samples.size(), static_cast<std::size_t>(seconds * kSampleRate));
    for (std::size_t i = 0; i < n; ++i) sound.samples[i] *= static_cast<double>(i) / static_cast<double>(n);
}

void fade_out(Sound& sound, double seconds) {
    const std::size_t total = sound.samples.size();
    const std::size_t n = std::min(total, static_cast<std::size_t>(seconds * kSampleRate));
    for (std::size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i + 1) / static_cast<double>(n);  // 1/n .. 1 toward the end
        sound.samples[total - n + i] *= 0.5 * (1.0 + std::cos(t * kPi));
    }
}

double BandPass::step(double input, double centre_hz, double q) {
    // Chamberlin's form, stable for centre frequencies well below a sixth of the sample rate.
    const double f = 2.0 * std::sin(kPi * std::min(centre_hz, kSampleRate / 6.0) / kSampleRate);
    low_ += f * band_;
    const double high = input - low_ - band_ / q;
    band_ += f * high;
    return band_;
}

}  // namespace assetgen

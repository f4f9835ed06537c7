// Building blocks for the synthesised sounds: fades, level, and a tunable band-pass filter.
#pragma once

#include "maths.hpp"
#include "wav.hpp"

namespace assetgen {

// A sound of the given length, silent.
Sound silence(double seconds);

// Scales the sound so that its highest peak sits at the given level in dBFS (e.g. -3).
void set_peak(Sound& sound, double dbfs);

// Raises the start from zero over the given time (linear), and lowers the end to zero over
// the given time (half cosine), so the sound begins and ends without a click.
void fade_in(Sound& sound, double seconds);
void fade_out(Sound& sound, double seconds);

// A state-variable band-pass filter; the centre frequency and the resonance may change on
// every sample.
class BandPass {
public:
    double step(double input, double centre_hz, double q);

private:
    double low_ = 0;
    double band_ = 0;
};

}  // namespace assetgen

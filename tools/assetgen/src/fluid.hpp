// Renders notes through FluidSynth with a General MIDI sound font: the library plays the
// instruments, the caller writes the notes. No audio driver and no threads: the notes are
// rendered into a buffer, so the same notes always give the same samples.
#pragma once

#include <string>
#include <vector>

#include "wav.hpp"

namespace assetgen {

// One MIDI channel's instrument and mix. Bank 128 selects a drum kit.
struct Instrument {
    int bank;
    int program;
    int volume;  // channel volume, 0..127
    int reverb;  // reverb send, 0..127
};

// A note on the channel of the same index in the instrument list.
struct Note {
    double start;   // seconds from the start of the loop, 0 <= start < loop length
    double length;  // seconds, key down to key up
    int channel;
    int key;  // MIDI key, 60 = middle C
    int velocity;
};

// Renders one period of a loop that repeats forever: every note is also played one period
// earlier, and the rendering starts `preroll` seconds before the loop, so that what rings over
// the end of the loop (held notes, releases, reverb) is heard at its start, and the last
// sample leads into the first as smoothly as any two neighbours inside. Rendered at twice
// kSampleRate and halved through a low-pass filter, so cymbals do not fold down into noise.
// Stops the generator with one line when the sound font cannot be loaded.
Sound render_loop(const std::string& sound_font, const std::vector<Instrument>& instruments,
                  const std::vector<Note>& notes, double loop_seconds, double preroll);

}  // namespace assetgen

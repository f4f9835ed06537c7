// The three music tracks: café pieces written here as chord charts and melodies, arranged for
// a small band (lead, keys, bass, drums) and played by a General MIDI sound font. Each is one
// period of a seamless loop, 16-bit mono at kSampleRate, peaking at -6 dBFS.
#pragma once

#include <string>

#include "wav.hpp"

namespace assetgen {

// Title: a relaxed bossa nova in F, vibraphone over Rhodes, bass and brushes.
Sound make_utopia_music(const std::string& sound_font);
// Ombrelix: a sly medium swing in D minor, muted trumpet over piano, walking bass and ride.
Sound make_delirium_music(const std::string& sound_font);
// Quorvant: a bold Latin groove in C minor, trumpet over a piano montuno, tumbao and congas.
Sound make_indulgence_music(const std::string& sound_font);

}  // namespace assetgen

// The sound settings and the one way a side plays a sound effect.
// The volumes live for the whole run; the pause menu adjusts them.
#pragma once

#include <allegro.h>
#include <cstdint>
#include <vector>

constexpr int centre_pan = 128;     // play_sample's pan for a sound of neither side
constexpr int normal_speed = 1000;  // play_sample's frequency for a sound at its own pitch

extern uint8_t sfx_volume;    // 0..255, 0 = effects silent; starts at 128
extern uint8_t music_volume;  // 0..255; starts at 128

// A sound effect a frame asks for: its sample and the side (0 left, 1 right) it belongs to.
struct Effect {
    SAMPLE* sample;
    int index;
    bool operator==(const Effect& o) const { return sample == o.sample && index == o.index; }
};

// While set, play_effect adds each effect here instead of playing it, so that whoever steps the
// frame decides which are heard (online play: a frame stepped again after a rollback plays only
// what was not played for it yet).
extern std::vector<Effect>* effects_gathered;

// The one way the rules and the characters play a sound effect: gathered while effects_gathered
// is set; otherwise played by start_effect, unless frames_unseen (platform/ticks.h) is set.
void play_effect(SAMPLE* sample, int index);

// Plays an effect of side `index` at sfx_volume, panned to its side, now. Does nothing while
// sfx_volume is 0 or when the sample is missing.
void start_effect(const Effect& effect);

// Reads a WAV sound of 8- or 16-bit PCM samples, mono or stereo, skipping the byte that pads a part
// of odd length as RIFF asks (Allegro's own reader does not, and refuses such a file). Null when
// the file cannot be read, is no such sound or memory runs out. The game reads every sound with it.
SAMPLE* read_wav(const char* file);

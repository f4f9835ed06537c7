// The two rivals' voices and the sounds of their throws landing: character 0 (ombrelix) speaks
// high, quick and bright, character 1 (quorvant) low, slow and round.
#pragma once

#include "wav.hpp"

namespace assetgen {

// A character's samples, numbered as in its sfxfiles.txt.
enum CharacterSample {
    kHit1,      // reward 1's throw lands
    kHit2,      // reward 2's throw lands
    kHit3,      // reward 3's throw lands
    kSmash,     // the super's heavy blow
    kOuch,      // cry when hit lightly
    kOuchHard,  // cry when hit hard
    kIntro,     // round intro call
    kWin,       // win cheer
    kLose,      // lose groan
    kTaunt,     // wind-up shout before a throw
    kCharge,    // the super's charge-up shout
};

constexpr int kOmbrelix = 0;
constexpr int kQuorvant = 1;

// Synthesises sample `sample` of character `character` (kOmbrelix or kQuorvant), peaking at
// -3 dBFS with faded ends.
Sound make_character_sound(int character, CharacterSample sample);

// The same as a routine of the assets table.
template <int character, CharacterSample sample>
Sound make_character_sound() {
    return make_character_sound(character, sample);
}

}  // namespace assetgen

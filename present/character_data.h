// Per-round reset of a side and the character data it plays with: the animation sheets, samples,
// cues and attack pattern of character 0 (ombrelix, "pattern1.txt") or 1 (quorvant, "pattern2.txt").
#pragma once

#include <allegro.h>
#include <cstdint>
#include <string>
#include <vector>

#include "state/player.h"

// The four text files of each character, relative to the game folder; the sheets and samples its
// lists name lie in the animation list's folder.
struct CharacterFiles {
    const char* anim_list;
    const char* pattern;
    const char* sample_list;
    const char* cue_list;
};
extern const CharacterFiles character_files[2];  // 0 ombrelix, 1 quorvant

// Resets the record for a new round and loads the character's data when the character changed.
// A broken data file stops the game with one line "cupclash: FILE:LINE: what is wrong".
void prepare_round(Player* p, int character);

// At start-up: reads and checks every file of both characters (the lists, the pattern, and the
// sheets and samples by their bytes) without loading them, so that a broken data file is reported
// at once, never in the middle of a match; the rounds load them. A fault stops the game with one
// line "cupclash: FILE:LINE: what is wrong".
void check_characters();

// Reads the character's lists and pattern and loads the sheets and samples they name into the
// record, whose character data must be empty. Gives "" or the message of the first fault found,
// and then leaves the record's character data empty again.
std::string load_character_data(Player* p, int character);

// The same from a sheet's file, whose bytes pcx_fault passed, read a frame at a time.
Anim anim_from_picture(const std::vector<uint8_t>& bytes, int32_t next, int index);

// The frames of a sheet (frames of 192 rows stacked top to bottom, the last one maybe fewer) as
// side `index` draws them, 0 as drawn and 1 mirrored; the sheet stays the caller's. An animation
// without frames when memory runs out.
Anim anim_from_sheet(BITMAP* sheet, int32_t next, int index);

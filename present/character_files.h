// The readers of a character's text files: the animation list, the sample list, the cue list and the
// attack pattern. They only read and check; loading the pictures and sounds they name is the
// character loader's work (character_data.h). Each reader returns "" when the file is good, or one
// line "FILE:LINE: what is wrong"; it never stops the program, so the game turns the message into
// its fatal error and the fuzz test into a rejected input.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "state/player.h"

constexpr int max_name_length = 29;  // characters of a file name in a list
constexpr int min_anims = 10;        // the game plays ids 0..9

// A file named in a list, with the line it is on.
struct ListedFile {
    char name[max_name_length + 1];
    int line;
};

// Everything a character's lists say, read but not loaded.
struct CharacterLists {
    int anim_count;                // 10..20 once the animation list is read
    ListedFile sheets[max_anims];  // entry k: the sheet of animation id k
    int32_t next[max_anims];       // entry k: the id that follows animation k
    int sample_count;              // 0..20
    ListedFile samples[max_sfx];   // entry k: sample number k
    int cue_count;                 // 0..30
    Cue cues[max_cues];            // ascending by anim
    int cue_lines[max_cues];       // line of each cue, for messages about its frame
};

// One line "FILE:LINE: what is wrong" about a character file, from a printf format.
std::string file_fault(const char* file, int line, const char* format, ...);

// "%s %i" entries: sheet file name, next id. 10 to 20 entries; every next names one of them.
std::string read_anim_list(FILE* in, const char* file, CharacterLists* lists);

// "%s" entries: sample file names, at most 20.
std::string read_sample_list(FILE* in, const char* file, CharacterLists* lists);

// "%i %i %i" entries: anim, frame, sample number; at most 30, ascending by anim, each naming an
// animation and a sample of `lists` (so the other two lists are read first).
std::string read_cue_list(FILE* in, const char* file, CharacterLists* lists);

// Sixty "%i" cup types (0..3) row by row from the top into pattern[column * 10 + row].
std::string read_pattern(FILE* in, const char* file, int32_t pattern[board_cells]);

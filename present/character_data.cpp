#include "present/character_data.h"

#include <cstdio>

#include "board/player.h"
#include "shell/assets.h"
#include "shell/match.h"

namespace {

// The attack pattern file of each character.
const char* const pattern_files[2] = {"pattern1.txt", "pattern2.txt"};

// Reads 60 cup types row by row from the top; a short file leaves the remaining cells as they were.
// A value that is no cup type (0..3) becomes an empty cell, so a bad file can never put a cup on the
// board that no picture exists for.
void load_pattern(Player* p, const char* file) {
    FILE* in = std::fopen(file, "r");
    if (!in) fail("cannot open the attack pattern \"%s\" (missing or unreadable)", file);
    for (int r = 0; r < board_rows; r++) {
        for (int c = 0; c < board_cols; c++) {
            int cup;
            if (std::fscanf(in, "%i", &cup) != 1) {
                std::fclose(in);
                return;
            }
            p->pattern[cell_at(c, r)] = cup >= cup_empty && cup <= cup_types ? cup : cup_empty;
        }
    }
    std::fclose(in);
}

}  // namespace

void prepare_round(Player* p, int character) {
    // 1. The values a round starts from.
    p->slide_x = 0;
    p->slide_y = 0;
    p->super_meter = 0;
    p->state = falling;  // the board settles empty and the first refill fills it
    clear_board(p);
    if (p->index != winner) p->score = 0;
    for (int32_t& slot : p->anim_queue) slot = anim_idle;
    if (p->index == 1) p->anim_queue[0] = anim_intro;
    p->anim_frame = 0;
    // 2. The record already holds this character's data.
    if (character == p->loaded_character) return;
    // 3.-5. The new character's data; its pictures, sounds and cues come with the characters.
    p->loaded_character = character;
    release_character_data(p);
    load_pattern(p, pattern_files[character == 1 ? 1 : 0]);
}

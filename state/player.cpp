#include "state/player.h"

#include <cstring>

Player* create_player(int index) {
    // Everything starts at zero (empty board, cursor at the top left, row mode, state ready,
    // no slide, no queued animation); then the few fields whose start is not zero.
    Player* p = new Player;
    std::memset(p, 0, sizeof *p);
    p->index = index;
    p->loaded_character = no_character;
    p->super_col = no_super_col;
    p->ai_last = ai_no_slide;
    p->state = ready;
    p->axis = row_mode;
    return p;
}

void destroy_player(Player* p) {
    if (!p) return;
    destroy_bitmap(p->board_bitmap);
    destroy_bitmap(p->refill_strip);
    release_character_data(p);
    delete p;
}

void release_anim(Anim* anim) {
    for (int f = 0; f < anim->frame_count; f++) {
        bool shared = false;
        for (int k = 0; k < f; k++) shared |= anim->frames[k] == anim->frames[f];
        if (!shared) destroy_rle_sprite(anim->frames[f]);
    }
    delete[] anim->frames;
    *anim = Anim{};
}

void release_character_data(Player* p) {
    for (Anim& a : p->anims) release_anim(&a);
    for (SAMPLE*& s : p->sfx) {
        destroy_sample(s);
        s = nullptr;
    }
    for (Cue& c : p->cues) c = Cue{};
    p->cue_count = 0;
}

void clear_board(Player* p) {
    for (int i = 0; i < board_cells; i++) {
        p->cells[i] = cup_empty;
        p->group[i] = 0;
        p->junk[i] = 0;
    }
}

void end_round(Player* p) {
    p->pop_frame = 0;
    for (int i = 0; i < board_cells; i++)
        if (p->cells[i] != cup_empty) p->group[i] = 1;
    p->state = round_over;
}

void queue_animation(Player* p, int32_t id) {
    for (int slot = p->anim_frame != 0 ? 1 : 0; slot <= 9; slot++) {
        if (p->anim_queue[slot] == 0) {
            p->anim_queue[slot] = id;
            return;
        }
    }
}

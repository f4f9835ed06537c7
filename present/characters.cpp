#include "present/characters.h"

#include "board/player.h"
#include "shell/assets.h"

uint8_t draw_order = 0;

namespace {

constexpr int frame_height = 192;

bool is_celebration(int32_t id) { return id >= anim_reward_1 && id <= anim_super; }

int sheet_height(const Player* p, int32_t id) {
    const BITMAP* sheet = p->anims[id].sheet;
    return sheet ? sheet->h : 0;  // a character without pictures plays each animation for no frame
}

}  // namespace

void compose_characters() {
    blit(char_bg, character_canvas, 0, 0, 0, 0, screen_width, panel_height);
    if (draw_order != 0) {
        animate_character(players[0]);
        animate_character(players[1]);
    } else {
        animate_character(players[1]);
        animate_character(players[0]);
    }
    blit(character_canvas, bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
}

void animate_character(Player* p) {
    // 1. The animation has shown its last frame: the next one starts, or the queue moves on.
    int32_t a = p->anim_queue[0];
    if (frame_height * p->anim_frame >= sheet_height(p, a)) {
        p->anim_frame = 0;
        if (a != anim_idle) {
            p->anim_queue[0] = p->anims[a].next;
        } else if (p->opponent->anim_queue[0] == anim_idle) {
            for (int k = 0; k < anim_queue_slots - 1; k++) p->anim_queue[k] = p->anim_queue[k + 1];
        }
        // 2. A celebration brings its character to the front.
        if (is_celebration(p->anim_queue[0])) draw_order = static_cast<uint8_t>(p->index);
    }
    // 3.-5. Drawing and sound cues come with the characters' pictures.
    p->anim_frame++;
}

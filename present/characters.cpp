#include "present/characters.h"

#include "state/match.h"
#include "platform/assets.h"
#include "platform/sound.h"


namespace {

// Samples whose cue is a blow that makes the opponent flinch.
constexpr int32_t last_light_hit_sample = 2;  // 0..2: a light hit
constexpr int32_t heavy_hit_sample = 3;

bool is_celebration(int32_t id) { return id >= anim_reward_1 && id <= anim_super; }

// Step 1: at the end of its animation a character starts the animation's next; the idle animation
// starts again instead, or, when the opponent idles too, gives way to the oldest waiting id.
// True when an animation ended.
bool end_of_animation(Player* p) {
    const int32_t a = p->anim_queue[0];
    if (frame_height * p->anim_frame < p->anims[a].sheet->h) return false;
    p->anim_frame = 0;
    if (a != anim_idle) {
        p->anim_queue[0] = p->anims[a].next;
    } else if (p->opponent->anim_queue[0] == anim_idle) {
        for (int k = 0; k < anim_queue_slots - 1; k++) p->anim_queue[k] = p->anim_queue[k + 1];
    }
    return true;
}

// Steps 3 and 4: the frame on the player's canvas, then onto the characters' canvas, the right
// player's mirrored over the whole panel width. Only the sheet's own columns can hold a figure and
// the rest of the canvas stays transparent, so the work is kept to those columns: a plain copy onto
// the transparent canvas leaves the same pixels as a masked one, and the canvas is drawn through a
// clip of the sheet's width.
void draw_frame(Player* p, int32_t a) {
    BITMAP* sheet = p->anims[a].sheet;
    clear_to_color(p->anim_canvas, mask_colour());
    blit(sheet, p->anim_canvas, 0, frame_height * p->anim_frame, 0, 0, sheet->w, frame_height);
    const int left = p->index == 0 ? 0 : screen_width - sheet->w;
    set_clip_rect(character_canvas, left, 0, left + sheet->w - 1, panel_height - 1);
    if (p->index == 0)
        draw_sprite(character_canvas, p->anim_canvas, 0, 0);
    else
        draw_sprite_h_flip(character_canvas, p->anim_canvas, 0, 0);
    set_clip_rect(character_canvas, 0, 0, screen_width - 1, panel_height - 1);
}

// Step 5: the first cue of this animation and frame plays its sample; a blow knocks the opponent
// into a hit reaction at once.
void play_cue(Player* p, int32_t a) {
    for (int k = 0; k < p->cue_count; k++) {
        const Cue& cue = p->cues[k];
        if (cue.anim > a) return;
        if (cue.anim < a || cue.frame != p->anim_frame) continue;
        play_effect(p->sfx[cue.sfx], p->index);
        Player* o = p->opponent;
        if (cue.sfx <= last_light_hit_sample || cue.sfx == heavy_hit_sample) {
            o->anim_queue[0] = cue.sfx == heavy_hit_sample ? anim_hit_hard : anim_hit;
            o->anim_frame = 0;
        }
        return;
    }
}

}  // namespace

void compose_characters() {
    // 1. The background.
    blit(char_bg, character_canvas, 0, 0, 0, 0, screen_width, panel_height);
    // 2. Both characters, the one of `draw_order` last, so in front; a change made now counts from
    //    the next frame.
    if (match.draw_order != 0) {
        animate_character(players[0]);
        animate_character(players[1]);
    } else {
        animate_character(players[1]);
        animate_character(players[0]);
    }
    // 3. The picture onto the bottom panel.
    blit(character_canvas, bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
}

void animate_character(Player* p) {
    // 1. The end of an animation: its next, the idle again, or the queue moves on.
    const bool ended = end_of_animation(p);
    const int32_t a = p->anim_queue[0];
    // 2. A celebration that starts brings its character to the front.
    if (ended && is_celebration(a)) match.draw_order = static_cast<uint8_t>(p->index);
    // 3.-4. The frame, the right player's mirrored.
    draw_frame(p, a);
    // 5. At most one sound cue, and its blow.
    play_cue(p, a);
    // 6. The next frame.
    p->anim_frame++;
}

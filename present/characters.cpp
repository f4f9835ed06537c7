#include "present/characters.h"

#include "state/match.h"
#include "platform/assets.h"
#include "platform/sound.h"
#include "platform/ticks.h"


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
    if (p->anim_frame < p->anims[a].frame_count) return false;
    p->anim_frame = 0;
    if (a != anim_idle) {
        p->anim_queue[0] = p->anims[a].next;
    } else if (p->opponent->anim_queue[0] == anim_idle) {
        for (int k = 0; k < anim_queue_slots - 1; k++) p->anim_queue[k] = p->anim_queue[k + 1];
    }
    return true;
}

// Steps 3 and 4: the frame onto the bottom panel, the left player's against the left edge, the
// right player's (made mirrored) against the right edge. Nothing while frames go unseen.
void draw_frame(const Player* p, int32_t a) {
    const Anim& anim = p->anims[a];
    if (frames_unseen || p->anim_frame >= anim.frame_count) return;
    const int x = p->index == 0 ? 0 : screen_width - anim.width;
    draw_rle_sprite(bottom_panel, anim.frames[p->anim_frame], x, 0);
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
    // 1. The background, unless nobody sees the frame.
    if (!frames_unseen) blit(char_bg, bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
    // 2. Both characters, the one of `draw_order` last, so in front; a change made now counts from
    //    the next frame.
    if (match.draw_order != 0) {
        animate_character(players[0]);
        animate_character(players[1]);
    } else {
        animate_character(players[1]);
        animate_character(players[0]);
    }
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

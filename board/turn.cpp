#include "board/turn.h"

#include "board/attack.h"
#include "board/gravity.h"
#include "board/matches.h"
#include "state/player.h"
#include "board/render.h"
#include "board/slide.h"

namespace {

// Reward animations and points for the cascades of a turn, biggest first.
struct Reward {
    int cascades;  // cascades the reward takes
    int32_t anim;
    int points;
};
constexpr Reward big_reward = {3, anim_reward_3, 2000};
constexpr Reward middle_reward = {2, anim_reward_2, 500};
constexpr Reward small_reward = {1, anim_reward_1, 100};

constexpr int full_meter = 4;  // the practice key's super meter: the next super cup fires the super

// The turn is over: its cascades attack the opponent and turn into rewards.
void resolve_turn(Player* p) {
    p->chain--;
    int n = p->chain;
    take_attack(p->opponent, n);
    while (n > 0) {
        if (n > 2) {
            queue_animation(p, big_reward.anim);
            n -= big_reward.cascades;
            p->score += big_reward.points;
        }
        if (n > 1) {
            queue_animation(p, middle_reward.anim);
            n -= middle_reward.cascades;
            p->score += middle_reward.points;
        }
        if (n == 0) break;
        queue_animation(p, small_reward.anim);
        p->score += small_reward.points;
        n -= small_reward.cascades;
    }
    p->chain = 0;
    p->super_active = 0;
}

}  // namespace

void board_step(Player* p, CommandSource source) {
    source(p);                               // 1. this frame's command
    if (p->command & cmd_fill_meter) p->super_meter = full_meter;
    if (p->state == ready) move_and_slide(p);  // 2. slide, cursor and action
    draw_board(p);                           // 3. draw, and break what is marked
    if (p->state == falling) fall_step(p);   // 4. cups drop one row
    bool turn_over = false;
    if (p->state == settled) {               // 5. the board settled: count the chain, look again
        p->chain++;
        if (find_matches(p) == 0) {
            p->state = refilling;
            turn_over = true;
        }
    }
    if (p->state == refilling) {             // 6. refill, and close the turn in its first frame
        refill_step(p);
        if (turn_over) resolve_turn(p);
    }
}

#include "shell/match.h"

#include "board/player.h"
#include "present/character_data.h"
#include "shell/assets.h"
#include "shell/frame.h"

uint8_t game_mode = mode_cpu_vs_cpu;
int8_t round_number = 1;
int balance = 0;
uint8_t winner = 0;
int banner_y = 0;
uint8_t quit_request = 0;
SAMPLE* music = nullptr;

namespace {

constexpr int banner_rest_y = 96;
constexpr int banner_speed = 8;

// ESC or the window's close button ends the program (there is no pause menu yet).
bool leaving() {
    if (escape_down()) quit_request = 2;
    return quit_request != 0;
}

// The intro runs while a character plays its round-opening animation, unless the player leaves.
void play_intro() {
    while ((players[0]->anim_queue[0] != anim_idle || players[1]->anim_queue[0] != anim_idle) && !leaving()) {
        tick_count = 0;
        intro_frame();
        wait_for_tick();
    }
}

// The round is played until the balance reaches an end, then until both boards and characters rest.
void play_battle() {
    while (round_in_play() && !leaving()) {
        battle_frame();
        wait_for_tick();
    }
    while (!boards_at_rest() && !leaving()) {
        battle_frame();
        wait_for_tick();
    }
}

// The banners slide down over the boards while the last cups pop, and stay while the characters
// play their win and lose animations.
void show_result() {
    for (banner_y = -(winlose->h / 2); banner_y < banner_rest_y && !leaving(); banner_y += banner_speed) {
        result_frame();
        wait_for_tick();
    }
    const Player* won = players[winner];
    const Player* lost = players[1 - winner];
    while ((won->anim_queue[0] == anim_win || lost->anim_queue[0] == anim_lose) && !leaving()) {
        result_frame();
        wait_for_tick();
    }
}

}  // namespace

void release_music() {
    if (!music) return;
    stop_sample(music);
    destroy_sample(music);
    music = nullptr;
}

void start_round() {
    for (Player* p : players) {
        prepare_round(p, p->character);
        p->first_fill = 1;
    }
}

bool round_in_play() { return balance / balance_limit == 0; }

bool boards_at_rest() {
    for (const Player* p : players)
        if (p->state != ready || p->anim_queue[0] != anim_idle) return false;
    return true;
}

void finish_round() {
    end_round(players[0]);
    end_round(players[1]);
    winner = balance > 0 ? 0 : 1;
    Player* won = players[winner];
    Player* lost = players[1 - winner];
    won->anim_frame = 0;
    won->anim_queue[0] = anim_win;
    lost->anim_queue[0] = anim_lose;
    lost->anim_frame = 0;
}

void next_round() {
    balance = 0;
    if (winner == 1) {
        round_number = 1;
        return;
    }
    round_number = round_number < last_round ? round_number + 1 : 1;
    players[1]->character = (players[1]->character + 1) % 2;
}

void run_match_flow() {
    // Until the title screen exists: a person plays the left board against the computer, round
    // after round, until ESC or the window's close button.
    game_mode = mode_vs_cpu;
    players[0]->character = 0;
    players[1]->character = 1;
    winner = no_winner;
    while (!leaving()) {
        start_round();
        play_intro();
        play_battle();
        if (quit_request != 0) break;
        finish_round();
        show_result();
        next_round();
    }
}

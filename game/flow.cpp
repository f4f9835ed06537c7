#include "game/flow.h"

#include "control/cpu.h"
#include "game/frame.h"
#include "game/match_end.h"
#include "game/online_screens.h"
#include "game/replay.h"
#include "game/replay_files.h"
#include "game/select.h"
#include "game/startup.h"
#include "game/title.h"
#include "platform/assets.h"
#include "platform/music.h"
#include "platform/settings.h"
#include "platform/ticks.h"
#include "present/character_data.h"
#include "state/match.h"

QuitRequest quit_request = quit_none;
RoundPhase round_phase = phase_loading;

namespace {

constexpr int banner_rest_y = 96;
constexpr int banner_speed = 8;

// Before every frame of the battle, settling, banner and result: ESC opens the pause menu, the
// window's close button ends the program, and a replay ends the match where its recording did.
// False when the match is to end.
bool match_goes_on() {
    if (close_requested()) quit_request = quit_program;
    else if (recorded_match_over()) quit_request = quit_match;
    else if (escape_down() && quit_request == quit_none) quit_request = pause_menu();
    return quit_request == quit_none;
}

// One frame of a phase that the player can pause: false, and no frame, when the match is to end.
bool pausable_frame(void (*frame)()) {
    if (!match_goes_on()) return false;
    frame();
    wait_for_tick();
    return true;
}

void play_battle() {
    round_phase = phase_battle;
    while (round_in_play() && pausable_frame(battle_frame)) {
    }
}

// The boards finish their breaks and falls, still taking commands, and the characters their
// animations: the balance may still move, and its sign at the end decides the round.
void play_settling() {
    round_phase = phase_settling;
    while (!boards_at_rest() && pausable_frame(battle_frame)) {
    }
}

// The characters of both sides: against the computer the player chooses and the computer takes the
// other one; two people each choose. False on ESC.
bool choose_characters() {
    int8_t chosen[2];
    if (match.game_mode == mode_two_players) {
        if (!pair_character_select(chosen)) return false;
    } else {
        chosen[0] = character_select();
        if (chosen[0] < 0) return false;
        chosen[1] = static_cast<int8_t>(1 - chosen[0]);
    }
    players[0]->character = chosen[0];
    players[1]->character = chosen[1];
    return true;
}

}  // namespace

// The intro lasts while a character plays its round-opening animation; ESC waits for the battle,
// the window's close button does not.
void play_intro() {
    round_phase = phase_intro;
    while (!close_requested()) {
        tick_count = 0;
        if (players[0]->anim_queue[0] == anim_idle && players[1]->anim_queue[0] == anim_idle) return;
        intro_frame();
        wait_for_tick();
    }
}

// The banners slide down over the boards while the last cups pop.
void play_banner() {
    round_phase = phase_banner;
    for (match.banner_y = -(winlose->h / 2); match.banner_y < banner_rest_y && pausable_frame(result_frame);
         match.banner_y += banner_speed) {
    }
}

// The banners stay while the characters play their win and lose animations.
void play_result() {
    round_phase = phase_result;
    const Player* won = players[match.winner];
    const Player* lost = players[1 - match.winner];
    while ((won->anim_queue[0] == anim_win || lost->anim_queue[0] == anim_lose) && pausable_frame(result_frame)) {
    }
}

void reset_match() {
    match.round_number = 1;
    match.balance = 0;
    quit_request = quit_none;
    match.winner = no_winner;
    match.rounds_won[0] = match.rounds_won[1] = 0;
    match.longest_chain[0] = match.longest_chain[1] = 0;
}

void start_round() {
    for (Player* p : players) {
        prepare_round(p, p->character);
        p->first_fill = 1;
    }
}

bool round_in_play() { return match.balance / balance_limit == 0; }

bool boards_at_rest() {
    for (const Player* p : players)
        if (p->state != ready || p->anim_queue[0] != anim_idle) return false;
    return true;
}

void finish_round() {
    end_round(players[0]);
    end_round(players[1]);
    match.winner = match.balance > 0 ? 0 : 1;
    match.rounds_won[match.winner]++;
    Player* won = players[match.winner];
    Player* lost = players[1 - match.winner];
    won->anim_frame = 0;
    won->anim_queue[0] = anim_win;
    lost->anim_queue[0] = anim_lose;
    lost->anim_frame = 0;
}

void next_round() {
    match.balance = 0;
    if (match.game_mode == mode_two_players) {  // both people keep their characters
        match.round_number++;
        return;
    }
    if (match.winner == 1) {
        quit_request = quit_match;  // the computer won: the match is lost
        return;
    }
    match.round_number++;
    players[1]->character = (players[1]->character + 1) % 2;
}

bool play_round() {
    if (quit_request != quit_none || escape_down()) return false;  // 1. a quit, or ESC
    round_phase = phase_loading;
    loading_screen();                                 // 2. "loading..."
    start_round();                                    // 3. both boards and characters
    play_music(track_round + players[1]->character);  // 4. the computer's character's track
    play_intro();                                     // 5. the intro, while the opening animation plays
    play_battle();                                    // 6. until the balance reaches an end
    play_settling();                                  // 7. until both boards and characters rest
    finish_round();                                   // 8.-9. the boards pop, the sign of balance decides
    play_banner();                                    // 10. the banners slide in
    play_result();                                    // 11. the win and lose animations
    if (!match_goes_on()) return false;               // 12. ESC once more, or a quit
    next_round();                                     // 13.-14. the next round, or the match is lost
    return quit_request == quit_none;                 // 15. a lost match ends; the caller stops after round 8
}

bool match_undecided() {
    if (match.game_mode == mode_two_players)
        return match.rounds_won[0] < rounds_to_win && match.rounds_won[1] < rounds_to_win;
    return match.round_number <= last_round;
}

void play_match() {
    match.winner = no_winner;
    while (match_undecided() && play_round()) {
    }
}

bool played_out_against_cpu() {
    if (match.game_mode != mode_vs_cpu || quit_request == quit_program) return false;
    return match.round_number > last_round || (quit_request == quit_match && match.winner == 1);
}

bool rematch_wanted() {
    if (match.game_mode != mode_two_players || match_undecided() || quit_request != quit_none) return false;
    round_phase = phase_match_end;
    if (!rematch_chosen()) return false;
    reset_match();
    return true;
}

void run_match_flow(bool two_players_first) {
    if (escape_down()) return;                // 1. ESC before the title: end at once
    for (bool title = !two_players_first;; title = true) {
        play_music(track_title);              // 2. the title track, from its beginning
        reset_match();                        // 3. a new match starts from here
        const TitleChoice choice = title ? title_screen(finish_start_up) : choice_none;  // 4. the mode; may run
        if (!title) set_game_mode(mode_two_players);  //    the tutorial and the start-up's last checks
                                                      //    (or straight to two people, once)
        if (escape_down()) {                  // 5. ESC on the title ends the program
            quit_request = quit_program;
            break;
        }
        finish_start_up();                    //    (the checks, when no title came first)
        if (choice == choice_host || choice == choice_join) {  //    against another machine, then the title
            run_online_from_title(choice == choice_join);
            if (close_requested()) break;
            continue;
        }
        if (choose_characters()) {            // 6. both sides' characters; none on ESC
            do {
                match.ai_strength = static_cast<int16_t>(settings.strength);  // 7. the strength chosen, then
                start_recording(game_data_sums(ai_script_file));  // the match's start; its commands from here
                play_match();                 // 8.-9. nobody has won yet; the rounds
                stop_recording();             // 10. the match's replay, kept in the replays folder
                keep_replay(take_recording());
                if (played_out_against_cpu()) sum_up_match();  // 11. its record and a summary
            } while (rematch_wanted());       // 12. two people: a rematch, as often as they choose
        }
        release_music();                      // 13. back to the title, or the end
        if (escape_down()) break;
    }
    release_music();
}

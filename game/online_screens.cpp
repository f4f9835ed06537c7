#include "game/online_screens.h"

#include <allegro.h>

#include <cstdio>
#include <vector>

#include "control/controls.h"
#include "control/cpu.h"
#include "game/frame.h"
#include "game/match_end.h"
#include "game/online.h"
#include "game/replay.h"
#include "game/replay_files.h"
#include "game/select.h"
#include "platform/assets.h"
#include "platform/music.h"
#include "platform/net.h"
#include "platform/ticks.h"
#include "platform/window.h"
#include "present/hud.h"

namespace {

constexpr int message_seconds = 4;
constexpr int line_height = 12;
constexpr int you_y = 28;  // under one's score, beside the balance bar

bool figures_shown = false;
bool figures_key_held = false;
int local_side = 0;
std::vector<std::string> waiting_lines;  // the waiting screen: where the match is
EndCard end_card;

// Lines on a card in the middle of the top panel, over the café: the first in gold as a heading,
// the last (the keys) softer, the rest in cream.
void show_lines(const std::string lines[], int count) {
    blit(bg, top_panel, 0, 0, 0, 0, screen_width, panel_height);
    blit(char_bg, bottom_panel, 0, 0, 0, 0, screen_width, panel_height);
    const int top = (panel_height - count * line_height) / 2 - 8, bottom = top + count * line_height + 12;
    rectfill(top_panel, 0, top, screen_width - 1, bottom, makecol(24, 14, 10));
    rect(top_panel, 0, top, screen_width - 1, bottom, makecol(200, 150, 70));
    for (int k = 0; k < count; k++) {
        const int colour = k == 0 ? makecol(255, 210, 100) : k == count - 1 ? makecol(200, 170, 130) : makecol(255, 248, 232);
        draw_label(top_panel, lines[k].c_str(), screen_width / 2, top + 8 + k * line_height, colour);
    }
    show_panels();
}

// The waiting screen, once per look at the link: true when the player gives up (ESC or the
// window's close button).
bool waiting_gives_up() {
    show_lines(waiting_lines.data(), static_cast<int>(waiting_lines.size()));
    return key[KEY_ESC] || close_requested();
}

// Over the bottom panel: "YOU" on one's own side, the figures when asked for (F turns them on and
// off), and a word while the other side is too far behind.
void draw_online_overlay() {
    const OnlineFigures f = online_figures();
    const int white = makecol(255, 255, 255), back = makecol(24, 14, 10);
    const int you_x = local_side == 0 ? 6 : screen_width - 6 - text_length(font, "YOU");
    rectfill(bottom_panel, you_x - 2, you_y - 2, you_x + text_length(font, "YOU") + 1, you_y + 8, back);
    textout_ex(bottom_panel, font, "YOU", you_x, you_y, makecol(255, 220, 120), -1);
    if (f.waiting) textout_centre_ex(bottom_panel, font, "waiting for the other side", screen_width / 2, 40, white, back);
    if (figures_shown) {
        char line[3][48];
        std::snprintf(line[0], sizeof line[0], "round trip %u ms", f.round_trip_ms);
        std::snprintf(line[1], sizeof line[1], "frames rolled back %llu", static_cast<unsigned long long>(f.frames_rolled_back));
        std::snprintf(line[2], sizeof line[2], "packets lost %llu", static_cast<unsigned long long>(f.packets_lost));
        rectfill(bottom_panel, 2, 150, 190, 188, back);
        for (int k = 0; k < 3; k++) textout_ex(bottom_panel, font, line[k], 6, 153 + k * line_height, white, -1);
    }
    show_on_window(bottom_panel, 0, panel_height);
}

// Ends every frame of the match: the overlay, then the tick.
void pace_online() {
    if (key[KEY_F] && !figures_key_held) figures_shown = !figures_shown;
    figures_key_held = key[KEY_F];
    draw_online_overlay();
    wait_for_timer();
}

// The end card after a match one side won, until both players chose.
EndChoice end_card_choice(int frame) { return online_end_frame(&end_card, frame); }

// Why the match ended early (not by this player's choice), on the screen for a few seconds (a key shortens it) and on standard error.
void say_why(const std::string& why) {
    std::fprintf(stderr, "cupclash: %s\n", why.c_str());
    const std::string lines[] = {why, "", "back to the title..."};
    show_lines(lines, 3);
    clear_keybuf();
    for (int tick = 0; tick < message_seconds * 25 && !keypressed() && !close_requested(); tick++) wait_for_timer();
}

constexpr size_t longest_address = 60;

// A character an address can hold: a name, an IPv4 address, a port; and those of an IPv6 address,
// which this cupclash cannot reach but says so.
bool address_character(int c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' || c == ':' ||
           c == '-' || c == '[' || c == ']';
}

// The address screen until RETURN with an address that reads well (true) or ESC (false).
bool type_address(std::string* host, uint16_t* port) {
    std::string text, fault[2];  // what is wrong, on two lines when it is long
    clear_keybuf();
    while (!close_requested()) {
        const std::string lines[] = {"join a match", "", "the host's address:", text + "_", "", fault[0], fault[1], "",
                                     "RETURN: join   ESC: back"};
        show_lines(lines, 9);
        while (keypressed()) {
            const int k = readkey();
            const int c = k & 0xff, scan = k >> 8;
            if (scan == KEY_ESC) return false;
            if (scan == KEY_BACKSPACE && !text.empty()) text.pop_back();
            if (scan == KEY_ENTER) {
                const bool read = split_address(text, host, port);
                if (read && !ipv6_address(*host)) return true;
                fault[0] = text.empty() ? "type the host's address" : read ? ipv4_only : "that is no address";
                fault[1] = "";
                const size_t colon = fault[0].find(": ");
                if (colon != std::string::npos) {
                    fault[1] = fault[0].substr(colon + 2);
                    fault[0].resize(colon + 1);
                }
            }
            if (address_character(c) && text.size() < longest_address) text += static_cast<char>(c);
        }
        wait_for_timer();
    }
    return false;
}

}  // namespace

void run_online_from_title(bool joining) {
    std::string host;
    uint16_t port = default_port;
    if (joining && !type_address(&host, &port)) return;
    run_online_match(host, port);
}

void run_online_match(const std::string& join_host, uint16_t port) {
    play_music(track_title);
    set_game_mode(mode_two_players);  // the mode of the match to come
    const int8_t character = character_select(true);  // 1. one's own character; ESC: the title
    if (character < 0) {
        spend_escape();
        return;
    }
    OnlineOptions options;  // 2. the match, after the wait
    options.hosting = join_host.empty();
    options.address = join_host;
    options.port = port;
    options.character = character;
    options.decide = poll_controls;
    options.pace = pace_online;
    options.give_up = waiting_gives_up;
    options.end_choice = end_card_choice;
    options.keep = keep_replay;  // 3. each match's replay, even of one cut short
    options.connect_wait_ms = options.hosting ? 24 * 3600 * 1000u : 10000u;
    options.data = game_data_sums(ai_script_file);
    local_side = options.hosting ? 0 : 1;
    end_card.you = static_cast<int8_t>(local_side);
    waiting_lines = {"waiting for the other player...", ""};
    if (options.hosting) {
        waiting_lines.push_back("give them this address:");
        std::string said;
        for (const std::string& line : this_machine_addresses(port)) {
            waiting_lines.push_back(line);
            said += " " + line;
        }
        std::fprintf(stderr, "cupclash: waiting for the other player at%s\n", said.c_str());
    } else {
        waiting_lines.push_back("joining " + join_host);
        waiting_lines.push_back("port " + std::to_string(port));
    }
    waiting_lines.insert(waiting_lines.end(), {"", "ESC: give up"});
    release_music();
    const OnlineResult result = play_online(options);
    const bool chosen = result.message == "gave up waiting" || result.message == left_by_choice;
    if (!result.message.empty() && !chosen && !close_requested()) say_why(result.message);  // 4. why it ended
    release_music();
    spend_escape();  // an ESC that left is not the title's
}

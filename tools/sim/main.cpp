// cupclash-sim: the computer plays itself, round after round, with the real engine, without a
// display and without pacing, and reports how the rounds went.
//
//   cupclash-sim ROUNDS SEED [--script FILE] [--cap FRAMES] [--idle-left | --paced-left] [--strength S]
//                [--record FILE]
//   cupclash-sim --replay FILE [--script FILE]
//   cupclash-sim ROUNDS SEED --host PORT | --join HOST[:PORT] [--delay FRAMES] [--frame-ms MS] [--record FILE]
//                [--desync-at FRAMES]
//
// Run from the game folder: it reads "AI_list.txt" (or the --script file), "pattern1.txt",
// "pattern2.txt" and the shared pictures and sounds there, like the game. Each round is played by the
// game's own round loop (play_round: loading, intro, battle, settling, banner and result) with the
// computer on both boards, one frame after another with no wait for the timer; rounds follow each
// other as in a match, and a lost or finished match starts a new one. With --idle-left the left board
// is instead a person who presses nothing, so the computer decides on its pacing pulses as against a
// person, and the rounds show how fast it wins alone. A round that has not ended after the frame cap
// is reported as capped. --strength easy, normal or hard paces the computer as the game's setting
// does (normal when not given; it counts only against the idle person, as the computer playing both
// boards decides on every frame) and adds the cups each side broke a minute. With --paced-left the
// left board is the computer too, paced at normal strength on a pulse of its own, as the right one
// is against a person: the strengths measured against the normal computer. The exit status is 0 when every round ended with a winner, 1 when one was
// capped, 2 on a bad command line or a script that cannot be read or holds a fault.
//
// --record FILE writes the replay of the matches it simulates (a capped round ends its match there,
// as a quit would). --replay FILE plays a replay back the same way, prints each match's final
// scores and ends with "replay: N checksums agree" and status 0, or with the frame at which the
// playback drifted from its recording and status 1; a replay that cannot be read, or was made with
// other data files, is one line and status 2.
//
// Online, --desync-at FRAMES spoils this side's state on purpose from that many frames on (a point
// more on its own board every frame), as a fault in the engine would: both sides must then stop
// with the desync message, and their replays show where they parted.
#include <allegro.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "control/cpu.h"
#include "game/flow.h"
#include "game/frame.h"
#include "game/online.h"
#include "game/replay.h"
#include "game/replay_files.h"
#include "platform/assets.h"
#include "platform/net.h"
#include "platform/settings.h"
#include "platform/ticks.h"
#include "state/match.h"
#include "state/player.h"

namespace {

constexpr long default_frame_cap = 50000;

struct Options {
    long rounds = 0;
    unsigned seed = 0;
    const char* script = ai_script_file;
    long frame_cap = default_frame_cap;
    bool idle_left = false;  // the left board is a person who presses nothing
    bool paced_left = false;  // the left board is the computer at normal pace, as against a person
    const char* record = nullptr;  // the replay to write
    const char* replay = nullptr;  // the replay to play back instead
    int strength = -1;             // --strength: 0..2 (Strength); -1 not given
    const char* host = nullptr;    // --host PORT
    const char* join = nullptr;    // --join HOST[:PORT]
    long delay = 0;  // the computer decides on the frame it plays: no delay for it
    long frame_ms = 40;
    long desync_at = -1;  // online: frames after which this side spoils its own state; -1 never
    bool rematch = false;  // --rematch: online, one rematch after a match one side won
};

// What one side did in a round, seen between frames.
struct SideStats {
    int longest_chain = 0;  // most waves broken in one turn: 1 a plain break, 2 one follow-up, ...
    int supers = 0;         // super breaks
    int attacks = 0;        // turns that ended with an attack of at least one row
    int attack_rows = 0;    // rows those attacks converted
    int cups_broken = 0;    // cups of the groups that broke
    // Between frames, to see edges.
    int32_t last_chain = 0;
    int32_t last_super_active = 0;
    BoardState last_state = ready;
};

struct RoundStats {
    long frames = 0;  // battle and settling frames
    long balance_moved = 0;  // sum over frames of how far the balance moved: how hard both sides push
    int last_balance = 0;
    bool capped = false;
    int winner = -1;
    SideStats side[2];
};

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: cupclash-sim ROUNDS SEED [--script FILE] [--cap FRAMES] [--idle-left | --paced-left] [--strength S] [--record FILE]\n"
                         "       cupclash-sim --replay FILE [--script FILE]\n"
                         "       cupclash-sim ROUNDS SEED --host PORT | --join HOST[:PORT] [--delay FRAMES] [--frame-ms MS]"
                         " [--rematch] [--record FILE] [--desync-at FRAMES]\n");
    std::exit(2);
}

bool parse_number(const char* text, long* value) {
    char* end = nullptr;
    errno = 0;
    *value = std::strtol(text, &end, 10);
    return errno == 0 && end != text && *end == '\0';
}

Options parse_options(int argc, char** argv) {
    Options o;
    int positional = 0;
    for (int k = 1; k < argc; k++) {
        long value = 0;
        if (std::strcmp(argv[k], "--script") == 0 && k + 1 < argc) {
            o.script = argv[++k];
        } else if (std::strcmp(argv[k], "--idle-left") == 0) {
            o.idle_left = true;
        } else if (std::strcmp(argv[k], "--paced-left") == 0) {
            o.paced_left = true;
        } else if (std::strcmp(argv[k], "--rematch") == 0) {
            o.rematch = true;
        } else if (std::strcmp(argv[k], "--strength") == 0 && k + 1 < argc) {
            k++;
            for (int s = 0; s < strengths; s++)
                if (std::strcmp(argv[k], strength_names[s]) == 0) o.strength = s;
            if (o.strength < 0) usage();
        } else if (std::strcmp(argv[k], "--record") == 0 && k + 1 < argc) {
            o.record = argv[++k];
        } else if (std::strcmp(argv[k], "--replay") == 0 && k + 1 < argc) {
            o.replay = argv[++k];
        } else if (std::strcmp(argv[k], "--host") == 0 && k + 1 < argc) {
            o.host = argv[++k];
        } else if (std::strcmp(argv[k], "--join") == 0 && k + 1 < argc) {
            o.join = argv[++k];
        } else if (std::strcmp(argv[k], "--delay") == 0 && k + 1 < argc) {
            if (!parse_number(argv[++k], &o.delay) || o.delay < 0 || o.delay > 3) usage();
        } else if (std::strcmp(argv[k], "--frame-ms") == 0 && k + 1 < argc) {
            if (!parse_number(argv[++k], &o.frame_ms) || o.frame_ms < 0 || o.frame_ms > 1000) usage();
        } else if (std::strcmp(argv[k], "--desync-at") == 0 && k + 1 < argc) {
            if (!parse_number(argv[++k], &o.desync_at) || o.desync_at < 0) usage();
        } else if (std::strcmp(argv[k], "--cap") == 0 && k + 1 < argc) {
            if (!parse_number(argv[++k], &o.frame_cap) || o.frame_cap < 1) usage();
        } else if (positional == 0 && parse_number(argv[k], &value) && value >= 1) {
            o.rounds = value;
            positional++;
        } else if (positional == 1 && parse_number(argv[k], &value) && value >= 0) {
            o.seed = static_cast<unsigned>(value);
            positional++;
        } else {
            usage();
        }
    }
    if (o.replay ? positional != 0 || o.record : positional != 2) usage();
    if (o.host && o.join) usage();
    if (o.desync_at >= 0 && !o.host && !o.join) usage();
    return o;
}

// The game's start-up without a window, a timer, the keyboard or sound, its frames unseen; the
// computer reads the chosen script.
void start_headless_game(const Options& o) {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(16);
    make_panels();
    load_shared_assets();
    create_players();
    screen = create_bitmap(screen_width, 2 * panel_height);
    frames_unseen = true;  // nobody sees them: the characters' pictures are not drawn
    const std::string fault = read_ai_script(o.script);
    if (!fault.empty()) {
        std::fprintf(stderr, "cupclash-sim: %s\n", fault.c_str());
        std::exit(2);
    }
}

// Looks at one side after a frame: chains, supers and attacks.
void observe(const Player* p, SideStats* s) {
    if (p->state == breaking && s->longest_chain == 0) s->longest_chain = 1;
    if (p->chain + 1 > s->longest_chain && p->chain > 0) s->longest_chain = p->chain + 1;
    // The turn ended: its attack is the last settle count seen, which the chain held.
    if (p->chain == 0 && s->last_chain > 0) {
        s->attacks++;
        s->attack_rows += s->last_chain;
    }
    if (p->super_active != 0 && s->last_super_active == 0) s->supers++;
    if (p->state == breaking && s->last_state != breaking)
        for (int8_t g : p->group) s->cups_broken += g != 0;
    s->last_state = p->state;
    s->last_chain = p->chain;
    s->last_super_active = p->super_active;
}

// --paced-left: the left board's own pacing, at normal strength, kept apart from the right board's
// pulse in match.ai_go.
int8_t left_accum = 0;
bool left_due = false;
void paced_left_command(Player* p) {
    left_accum = static_cast<int8_t>(left_accum + match.round_number);
    if (left_accum > pacing_threshold(strength_normal)) left_due = true, left_accum = 0;
    const int32_t right_pulse = match.ai_go;
    match.ai_go = left_due ? 1 : 0;
    cpu_command(p);
    left_due = match.ai_go != 0;  // a pulse that a busy board could not take waits
    match.ai_go = right_pulse;
}

// The round being played, seen between its frames.
RoundStats current;
long current_cap = default_frame_cap;

// Runs between two frames of the game's own round loop instead of the timer's wait: looks at both
// sides after every battle and settling frame, and ends a round that runs past the cap as the pause
// menu's quit would.
void between_round_frames() {
    if (round_phase != phase_battle && round_phase != phase_settling) return;
    RoundStats& r = current;
    r.frames++;
    r.balance_moved += std::abs(match.balance - r.last_balance);
    r.last_balance = match.balance;
    observe(players[0], &r.side[0]);
    observe(players[1], &r.side[1]);
    if (r.frames >= current_cap) {
        r.capped = true;
        quit_request = quit_match;
    }
}

// One round through the game's round loop, frames unpaced. A new match starts, as from the title,
// when the last one was lost or won.
RoundStats play_one_round(long frame_cap, const DataSums& sums) {
    if (quit_request != quit_none || match.round_number > last_round) {
        reset_match();
        if (recording()) start_recording(sums);
    }
    current = RoundStats{};
    current_cap = frame_cap;
    play_round();
    if (!current.capped) current.winner = match.winner;
    return current;
}

// One match of a replay through the game's own rounds, then its final scores.
void play_and_report_match() {
    static int played = 0;
    reset_match();
    play_match();
    std::printf("match %d: rounds %d, score left %d, right %d\n", ++played, match.round_number, players[0]->score,
                players[1]->score);
}

// Plays the replay file back: 0 when every checksum agrees, 1 at a drift, 2 for a file that cannot
// be played here.
int replay_main(const Options& o) {
    Replay replay;
    std::string fault = read_replay_file(o.replay, &replay);
    if (fault.empty()) fault = check_replay_data(o.replay, o.script, replay);
    if (!fault.empty()) {
        std::fprintf(stderr, "cupclash-sim: %s\n", fault.c_str());
        return 2;
    }
    between_frames = between_round_frames;
    current_cap = LONG_MAX;
    const PlaybackReport report = play_back(replay, play_and_report_match);
    std::printf("replay: %zu matches, %llu frames\n", replay.matches.size(),
                static_cast<unsigned long long>(report.frames));
    if (report.drifted) {
        std::printf("replay: %s\n", drift_text(report).c_str());
        return 1;
    }
    std::printf("final checksum: %016llx\n", static_cast<unsigned long long>(live_checksum()));
    std::printf("replay: %llu checksums agree\n", static_cast<unsigned long long>(report.agreed));
    return 0;
}

const char* winner_name(const RoundStats& r) {
    if (r.capped) return "CAPPED";
    return r.winner == 0 ? "left" : "right";
}

// The online side's frames follow each other every frame_ms; from desync_at frames on, each adds a
// point to this side's score, which the other machine never sees.
long online_frame_ms = 40;
long desync_at = -1;
int local_side = 0;
void pace_online() {
    static long frames = 0;
    if (desync_at >= 0 && frames++ >= desync_at) players[local_side]->score++;
    static auto next = std::chrono::steady_clock::now();
    next += std::chrono::milliseconds(online_frame_ms);
    const auto now = std::chrono::steady_clock::now();
    if (next < now) next = now;
    std::this_thread::sleep_until(next);
}

// Each online match's replay goes to --record's file, the last one staying; the matches are counted.
const char* online_record = nullptr;
int online_matches = 0;
void record_online(const Replay& replay) {
    online_matches++;
    const std::string fault = online_record ? save_replay(replay, online_record) : "";
    if (!fault.empty()) std::fprintf(stderr, "cupclash-sim: %s\n", fault.c_str());
}

// --rematch: the first end card asks for a rematch, the next one for the title.
EndChoice rematch_once(int frame) {
    static int cards = 0;
    if (frame == 0) cards++;
    return cards == 1 ? end_rematch : end_title;
}

// One side of a match between two machines; without --rematch, no rematch after it.
int online_main(const Options& o) {
    OnlineOptions on;
    on.hosting = o.host != nullptr;
    std::string address = on.hosting ? "" : o.join;
    long port = 0;
    if (on.hosting ? !parse_number(o.host, &port) || port < 1 || port > 65535 : !split_address(address, &on.address, &on.port))
        usage();
    if (on.hosting) on.port = static_cast<uint16_t>(port);
    on.character = on.hosting ? 0 : 1;
    on.input_delay = static_cast<int>(o.delay);
    on.decide = cpu_command;
    on.round_limit = o.rounds;
    on.pace = pace_online;
    on.data = game_data_sums(o.script);
    online_record = o.record;
    on.keep = record_online;
    if (o.rematch) on.end_choice = rematch_once;
    online_frame_ms = o.frame_ms;
    desync_at = o.desync_at;
    local_side = on.hosting ? 0 : 1;
    between_frames = nullptr;
    const OnlineResult r = play_online(on);
    std::printf("frames %llu in %.1f s, rollbacks %llu (%.2f/s), frames rolled back %llu, malformed packets %llu,"
                " input packets lost %llu\n",
                static_cast<unsigned long long>(r.frames), r.seconds, static_cast<unsigned long long>(r.rollbacks),
                r.seconds > 0 ? r.rollbacks / r.seconds : 0.0, static_cast<unsigned long long>(r.frames_rolled_back),
                static_cast<unsigned long long>(r.malformed), static_cast<unsigned long long>(r.inputs_lost));
    std::printf("bytes sent %llu (%.0f/s), received %llu (%.0f/s)\n", static_cast<unsigned long long>(r.bytes_sent),
                r.seconds > 0 ? r.bytes_sent / r.seconds : 0.0, static_cast<unsigned long long>(r.bytes_received),
                r.seconds > 0 ? r.bytes_received / r.seconds : 0.0);
    if (!r.played) {
        std::fprintf(stderr, "cupclash-sim: %s\n", r.message.c_str());
        return 1;
    }
    if (o.rematch) std::printf("matches played: %d\n", online_matches);
    std::printf("final checksum: %016llx\n", static_cast<unsigned long long>(r.final_checksum));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Options o = parse_options(argc, argv);
    start_headless_game(o);
    if (o.replay) return replay_main(o);
    if (o.host || o.join) return online_main(o);
    run_seed = o.seed;
    seed_random(&match.random, o.seed);
    set_game_mode(o.idle_left || o.paced_left ? mode_vs_cpu : mode_cpu_vs_cpu);
    if (o.paced_left) command_sources[0] = paced_left_command;
    if (o.strength >= 0) match.ai_strength = static_cast<int16_t>(o.strength);  // kept by every new match
    between_frames = between_round_frames;
    reset_match();
    players[0]->character = 0;
    players[1]->character = 1;
    const DataSums sums = o.record ? game_data_sums(o.script) : DataSums{};
    if (o.record) start_recording(sums);

    std::printf("script %s, seed %u, frame cap %ld\n", o.script, o.seed, o.frame_cap);
    std::printf("%5s %-6s %7s  %-7s %-7s %-7s %-11s\n", "round", "winner", "frames", "chain", "supers",
                "attacks", "attack rows");
    std::printf("%5s %-6s %7s  %-7s %-7s %-7s %-11s\n", "", "", "", "L/R", "L/R", "L/R", "L/R");
    long wins[2] = {0, 0};
    long capped = 0, total_frames = 0, total_moved = 0, broken[2] = {0, 0};
    const auto start = std::chrono::steady_clock::now();
    for (long k = 1; k <= o.rounds; k++) {
        const RoundStats r = play_one_round(o.frame_cap, sums);
        total_frames += r.frames;
        total_moved += r.balance_moved;
        broken[0] += r.side[0].cups_broken;
        broken[1] += r.side[1].cups_broken;
        if (r.capped) capped++;
        else wins[r.winner]++;
        const SideStats& L = r.side[0];
        const SideStats& R = r.side[1];
        std::printf("%5ld %-6s %7ld  %-7s %-7s %-7s %-11s\n", k, winner_name(r), r.frames,
                    (std::to_string(L.longest_chain) + "/" + std::to_string(R.longest_chain)).c_str(),
                    (std::to_string(L.supers) + "/" + std::to_string(R.supers)).c_str(),
                    (std::to_string(L.attacks) + "/" + std::to_string(R.attacks)).c_str(),
                    (std::to_string(L.attack_rows) + "/" + std::to_string(R.attack_rows)).c_str());
        std::fflush(stdout);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("wins: left %ld, right %ld, capped %ld\n", wins[0], wins[1], capped);
    std::printf("average frames per round: %.1f\n", static_cast<double>(total_frames) / o.rounds);
    std::printf("balance moved per frame: %.3f (both sides' breaks together)\n",
                total_frames > 0 ? static_cast<double>(total_moved) / total_frames : 0.0);
    std::printf("frames simulated per second: %.0f (%ld frames in %.2f s)\n",
                seconds > 0 ? total_frames / seconds : 0.0, total_frames, seconds);
    if (o.strength >= 0 && total_frames > 0)
        std::printf("strength %s: cups broken a minute: left %.1f, right %.1f\n", strength_names[o.strength],
                    broken[0] * 1500.0 / total_frames, broken[1] * 1500.0 / total_frames);
    if (o.record) {
        stop_recording();
        const std::string fault = save_replay(take_recording(), o.record);
        if (!fault.empty()) {
            std::fprintf(stderr, "cupclash-sim: %s\n", fault.c_str());
            return 2;
        }
    }
    return capped == 0 ? 0 : 1;
}

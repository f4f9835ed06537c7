#include "game/online.h"

#include <allegro.h>

#include <chrono>
#include <map>
#include <memory>

#include "game/flow.h"
#include "game/frame.h"
#include "game/replay.h"
#include "game/rollback.h"
#include "game/select.h"
#include "platform/assets.h"
#include "platform/net.h"
#include "platform/ticks.h"
#include "state/match.h"
#include "state/packets.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto silence_limit = std::chrono::seconds(5);
constexpr uint32_t input_window = 64;  // inputs further than this past our frame are dropped

struct Session {
    OnlineOptions options;
    NetLink* link = nullptr;
    Rollback rollback;
    uint32_t remote_has = 0;  // the other side has our commands below this frame
    std::map<uint32_t, uint64_t> own_sums, their_sums;  // checksums before agreed frames
    std::string ended;  // why the match ended early; "" while it goes on
    bool peer_left = false;  // a goodbye came: the match ends before its next frame that takes commands
    uint64_t malformed = 0;
    uint16_t sent_sequence = 0;  // our inputs and beats sent so far
    Arrivals arrivals;           // theirs, and how many of them went missing
    Clock::time_point last_heard;
    bool waiting = false;
    int8_t decider_last = ai_no_slide;  // what the decider keeps between its commands
    Random decider_random{};
    uint8_t held_dirs = 0;
    RecordedMatch recorded;
    uint32_t recorded_frames = 0;  // agreed frames of the rollback written into `recorded`
    uint64_t left_checksum = 0;    // local phases: the checksum taken before the left board's step
    bool between_matches = false;  // on the end card: the other side's inputs of a new match wait for it
    bool their_rematch = false;    // the other side chose a rematch
    uint32_t their_seed = 0;       // the seed in the host's rematch
};
Session* session = nullptr;

// ---- the replay, frame by frame as agreed ----

void record_frame(uint64_t checksum, uint8_t left, uint8_t right) {
    RecordedMatch& m = session->recorded;
    const size_t frame = m.commands[0].size();
    m.last_checksum = checksum;
    if (frame > 0 && frame % checksum_interval == 0) m.checksums.push_back(checksum);
    m.commands[0].push_back(left);
    m.commands[1].push_back(right);
}

// Why the match cannot be played or go on, told to the other side as well; the match ends.
void refuse(const std::string& reason) {
    Packet p;
    p.kind = packet_refusal;
    p.reason = reason;
    net_send(session->link, channel_reliable, write_packet(p));
    session->ended = reason;
}

void compare_sums(uint32_t frame) {
    const auto own = session->own_sums.find(frame), theirs = session->their_sums.find(frame);
    if (own == session->own_sums.end() || theirs == session->their_sums.end()) return;
    if (own->second != theirs->second && session->ended.empty())  // the other side may not have compared yet
        refuse("the two machines no longer agree (desync at frame " + std::to_string(frame) + ")");
    session->own_sums.erase(own);
    session->their_sums.erase(theirs);
}

// Newly agreed frames join the replay; every second's checksum goes to the other side.
void record_agreed() {
    Rollback& r = session->rollback;
    for (const uint32_t agreed = agreed_frames(r); session->recorded_frames < agreed; session->recorded_frames++) {
        const uint32_t k = session->recorded_frames;
        const uint64_t sum = match_checksum(r.saved[k % (most_rollback + 1)]);
        record_frame(sum, r.commands[0][k], r.commands[1][k]);
        if (k == 0 || k % checksum_interval != 0) continue;
        Packet p;
        p.kind = packet_checksum;
        p.first = k;
        p.checksum = sum;
        net_send(session->link, channel_reliable, write_packet(p));
        session->own_sums[k] = sum;
        compare_sums(k);
    }
}

// ---- the link ----

void take_packet(const std::vector<uint8_t>& bytes) {
    Packet p;
    Rollback& r = session->rollback;
    if (!read_packet(bytes.data(), bytes.size(), &p)) {
        session->malformed++;
        return;
    }
    if (p.kind == packet_inputs || p.kind == packet_beat) count_arrival(&session->arrivals, p.sequence);
    if (p.kind == packet_inputs) {
        if (p.ack > session->remote_has && p.ack <= r.commands[r.local].size()) session->remote_has = p.ack;
        if (session->between_matches) return;  // a new match's, come before its rematch: sent again
        if (!inputs_in_window(p, r.remote_known, r.next, input_window)) return;  // late or too far: dropped
        add_remote_commands(&r, p.first, p.commands);
    } else if (p.kind == packet_checksum) {
        session->their_sums[p.first] = p.checksum;
        compare_sums(p.first);
    } else if (p.kind == packet_bye) {
        session->peer_left = true;
    } else if (p.kind == packet_refusal && session->ended.empty()) {
        session->ended = p.reason;  // the other side found the machines apart
    } else if (p.kind == packet_rematch) {
        session->their_rematch = true;
        session->their_seed = p.seed;
    }
}

// Everything the link has brought; a silent or closed link ends the match.
void service_link() {
    for (NetEvent e = net_poll(session->link, 0); e.kind != net_nothing; e = net_poll(session->link, 0)) {
        if (e.kind == net_disconnected && !session->peer_left && session->ended.empty())
            session->ended = "connection lost";
        if (e.kind != net_received) continue;
        session->last_heard = Clock::now();
        take_packet(e.bytes);
    }
    if (Clock::now() - session->last_heard > silence_limit && !session->peer_left && session->ended.empty())
        session->ended = "connection lost";
    if (close_requested()) session->ended = "the window was closed";
    if (key[KEY_ESC] && session->ended.empty()) session->ended = left_by_choice;  // ESC leaves, no pause
    if (!session->ended.empty()) quit_request = quit_match;
}

// Our commands the other side has not acknowledged, from the first of them.
void send_inputs() {
    const Rollback& r = session->rollback;
    const std::vector<uint8_t>& ours = r.commands[r.local];
    Packet p;
    p.kind = packet_inputs;
    p.sequence = session->sent_sequence++;
    p.first = session->remote_has;
    p.ack = r.remote_known;
    if (ours.empty()) p.kind = packet_beat;  // no command yet: only a sign of life
    const uint32_t end = std::min<uint32_t>(ours.size(), p.first + most_commands_per_packet);
    if (p.first >= end && end > 0) p.first = end - 1;  // all acknowledged: the last one again, as a beat
    if (!ours.empty()) p.commands.assign(ours.begin() + p.first, ours.begin() + end);
    net_send(session->link, channel_inputs, write_packet(p));
}

// This side's command, decided on the state as it stands and without changing it: what the
// decider keeps of its own (the computer's last slide and its random numbers) lives here instead,
// since the other machine never runs it, and so does the keyboard's memory of the directions held.
uint8_t decide_command() {
    static MatchState scratch;
    save_match(&scratch);
    Player* p = players[session->rollback.local];
    p->ai_last = session->decider_last;
    p->held_dirs = session->held_dirs;
    match.random = session->decider_random;
    session->options.decide(p);
    const uint8_t command = p->command & command_bits;
    session->decider_last = p->ai_last;
    session->held_dirs = p->held_dirs;
    session->decider_random = match.random;
    restore_match(scratch);
    return command;
}

// ---- the phases ----

bool battle_goes_on() { return round_in_play(); }
bool settling_goes_on() { return !boards_at_rest(); }

// Frames of the battle or the settling until `goes_on` is false on an agreed frame. False when
// the match ended on the way.
bool play_online_phase(bool (*goes_on)()) {
    Rollback& r = session->rollback;
    while (true) {
        service_link();                          // 1. the other side's commands and checksums
        if (session->peer_left && session->ended.empty()) session->ended = "the other player left";
        if (!session->ended.empty()) return false;
        correct(&r, battle_frame, goes_on);      // 2. frames stepped on a wrong guess, again
        record_agreed();                         // 3. newly agreed frames: the replay, the checksums
        const bool on = goes_on();
        if (!on && agreed_frames(r) == r.next) return true;  // 4. the phase ends on an agreed frame
        if (on && r.commands[r.local].size() <= r.next + session->options.input_delay)
            add_local_command(&r, decide_command());  // 5. this side's command, input delay ahead
        session->waiting = !on || !can_step(r);
        if (!session->waiting) step_frame(&r, battle_frame);  // 6. the frame, shown
        send_inputs();                           // 7. our unacknowledged commands
        session->options.pace();                 // 8. the tick
    }
}

// The local phases: both boards take empty commands, written into the replay as they step.
void local_command(Player* p) {
    if (p->index == 0) session->left_checksum = live_checksum();
    p->command = 0;
    if (p->index == 1) record_frame(session->left_checksum, 0, 0);
}

void between_local_frames() {
    service_link();
    send_inputs();
    session->options.pace();
}

// One round: the intro, battle and settling with rollback, then the banners and the result.
bool play_online_round() {
    loading_screen();
    start_round();
    void (*const before)() = between_frames;
    between_frames = between_local_frames;
    play_intro();
    command_sources[0] = command_sources[1] = stepped_command;
    round_phase = phase_battle;
    bool on = play_online_phase(battle_goes_on);
    round_phase = phase_settling;
    on = on && play_online_phase(settling_goes_on);
    if (on) {
        finish_round();
        command_sources[0] = command_sources[1] = local_command;
        play_banner();
        play_result();
    }
    between_frames = before;
    return on && session->ended.empty();
}

// ---- the handshake ----

uint32_t draw_seed() { return static_cast<uint32_t>(Clock::now().time_since_epoch().count()); }

Packet hello_packet(PacketKind kind, uint32_t seed) {
    Packet p;
    p.kind = kind;
    p.protocol = protocol_version;
    p.version = CUPCLASH_VERSION;
    p.data = session->options.data;
    p.seed = seed;
    p.character = session->options.character;
    return p;
}

// What differs between the other side's hello and ours: "" when nothing does.
std::string difference(const Packet& theirs) {
    if (theirs.protocol != protocol_version) return "the other player's cupclash speaks another protocol";
    if (theirs.version != CUPCLASH_VERSION)
        return "the other player has cupclash " + theirs.version + ", this is " + CUPCLASH_VERSION;
    const DataSums& ours = session->options.data;
    if (theirs.data.script != ours.script) return "the other player has another computer script";
    if (theirs.data.patterns != ours.patterns) return "the other player has other attack patterns";
    if (theirs.data.characters != ours.characters) return "the other player has other character files";
    return "";
}

// Waits for the next packet of the reliable kinds; false (and `ended` set) when none comes in time
// or the player gives up.
bool await_packet(Packet* p, uint32_t wait_ms, const char* silence) {
    const auto until = Clock::now() + std::chrono::milliseconds(wait_ms);
    while (Clock::now() < until) {
        if (session->options.give_up && session->options.give_up()) {
            session->ended = "gave up waiting";
            return false;
        }
        const NetEvent e = net_poll(session->link, 20);
        if (e.kind == net_disconnected) break;
        if (e.kind == net_received && read_packet(e.bytes.data(), e.bytes.size(), p) && p->kind != packet_inputs &&
            p->kind != packet_checksum)
            return true;
    }
    session->ended = silence;
    return false;
}

// The host waits for a hello, checks it and answers with the seed. The seed and both characters
// come back through the arguments.
bool host_handshake(uint32_t* seed, int8_t* theirs) {
    Packet hello;
    if (!await_packet(&hello, session->options.connect_wait_ms, "nobody joined")) return false;
    if (hello.kind != packet_hello) return refuse("that is no cupclash hello"), false;
    const std::string differs = difference(hello);
    if (!differs.empty()) {
        refuse(differs);
        return false;
    }
    *seed = draw_seed();
    *theirs = hello.character;
    net_send(session->link, channel_reliable, write_packet(hello_packet(packet_welcome, *seed)));
    return true;
}

// The joiner's connection is made once the host answers ENet's own handshake.
bool await_connection() {
    const auto until = Clock::now() + std::chrono::milliseconds(session->options.connect_wait_ms);
    while (Clock::now() < until) {
        if (session->options.give_up && session->options.give_up()) break;
        const NetEvent e = net_poll(session->link, 20);
        if (e.kind == net_connected) return true;
        if (e.kind == net_disconnected) break;
    }
    session->ended = "cannot reach the host";
    return false;
}

bool join_handshake(uint32_t* seed, int8_t* theirs) {
    if (!await_connection()) return false;
    net_send(session->link, channel_reliable, write_packet(hello_packet(packet_hello, 0)));
    Packet answer;
    if (!await_packet(&answer, session->options.connect_wait_ms, "the host does not answer")) return false;
    if (answer.kind == packet_refusal) {
        session->ended = "the host refused: " + answer.reason;
        return false;
    }
    if (answer.kind != packet_welcome) return refuse("that is no cupclash welcome"), false;
    *seed = answer.seed;
    *theirs = answer.character;
    return true;
}

// Every match between two machines starts from the same value, whatever either played before.
void start_match_value(uint32_t seed, int8_t left, int8_t right) {
    match = Match{};
    seed_random(&match.random, seed);
    run_seed = seed;
    for (int k = 0; k < 2; k++) {
        Player* fresh = create_player(k);
        static_cast<PlayerState&>(*players[k]) = *fresh;
        delete fresh;  // it owns nothing yet
    }
    set_game_mode(mode_two_players);
    reset_match();
    players[0]->character = left;
    players[1]->character = right;
}

// What a match between two machines starts from besides the match's value: no commands on either
// side, no checksums, an empty replay.
void fresh_session_match(int local, uint32_t seed) {
    Session& s = *session;
    reset_rollback(&s.rollback, local, s.options.input_delay);
    seed_random(&s.decider_random, seed + static_cast<uint32_t>(local) + 1);
    s.decider_last = ai_no_slide;
    s.held_dirs = 0;
    s.remote_has = 0;
    s.own_sums.clear();
    s.their_sums.clear();
    s.recorded = RecordedMatch{};
    s.recorded_frames = 0;
    s.waiting = s.between_matches = s.their_rematch = false;
    s.last_heard = Clock::now();
}

// The rounds of one match, from its start value; then its replay goes to be kept, even when it was
// cut short, and its figures to the result.
void run_match(OnlineResult* result) {
    auto start = std::make_unique<MatchState>();
    save_match(start.get());
    set_start(&session->recorded, *start);
    const auto began = Clock::now();
    long rounds = 0;
    while (match_undecided() && play_online_round()) {
        result->final_checksum = live_checksum();
        next_round();
        if (session->options.round_limit > 0 && ++rounds >= session->options.round_limit) break;
    }
    result->seconds = std::chrono::duration<double>(Clock::now() - began).count();
    const Rollback& r = session->rollback;
    result->played = session->ended.empty();
    result->frames = agreed_frames(r);
    result->rollbacks = r.rollbacks;
    result->frames_rolled_back = r.frames_rolled_back;
    if (session->recorded.commands[0].empty() || !session->options.keep) return;
    Replay replay;
    replay.version = CUPCLASH_VERSION;
    replay.data = session->options.data;
    replay.seed = run_seed;
    replay.matches.push_back(std::move(session->recorded));
    session->options.keep(replay);
}

// Before the goodbye after a match played out, the other side gets every command of ours it still
// lacks (for two seconds at most): it may be some frames behind, and cannot end the match without them.
void hand_over_commands() {
    const Rollback& r = session->rollback;
    const auto until = Clock::now() + std::chrono::seconds(2);
    while (session->remote_has < r.commands[r.local].size() && session->ended.empty() && !session->peer_left &&
           Clock::now() < until) {
        service_link();
        send_inputs();
        session->options.pace();
    }
}

// After a match that one side won: each side's end card, until both chose a rematch (true, and
// *seed the host's new one) or one chose the title, left or went silent.
bool agree_rematch(uint32_t* seed) {
    if (!session->options.end_choice) return false;
    round_phase = phase_match_end;
    session->between_matches = true;
    session->waiting = false;
    bool chosen = false;
    for (int frame = 0;; frame++) {
        service_link();                                 // 1. the other's choice, a goodbye, silence, ESC
        if (session->peer_left && session->ended.empty()) session->ended = "the other player left";
        if (!session->ended.empty()) return false;
        const EndChoice choice = session->options.end_choice(frame);  // 2. this side's card
        if (choice == end_title) return false;
        if (choice == end_rematch && !chosen) {         // 3. a rematch chosen: the host's brings the seed
            Packet p;
            p.kind = packet_rematch;
            if (session->options.hosting) p.seed = *seed = draw_seed();
            net_send(session->link, channel_reliable, write_packet(p));
            chosen = true;
        }
        if (chosen && session->their_rematch) {         // 4. both chose it
            if (!session->options.hosting) *seed = session->their_seed;
            return true;
        }
        send_inputs();                                  // 5. a sign of life
        session->options.pace();                        // 6. the tick
    }
}

}  // namespace

OnlineResult play_online(const OnlineOptions& options) {
    OnlineResult result;
    Session s;
    session = &s;
    s.options = options;
    std::string fault;  // 1. the link
    s.link = options.hosting ? net_host(options.port, &fault) : net_join(options.address, options.port, &fault);
    if (!s.link) {
        result.message = fault;
        session = nullptr;
        return result;
    }
    uint32_t seed = 0;  // 2. the handshake: the seed and the other side's character
    int8_t theirs = 0;
    const int local = options.hosting ? 0 : 1;
    bool again = options.hosting ? host_handshake(&seed, &theirs) : join_handshake(&seed, &theirs);
    const CommandSource before[2] = {command_sources[0], command_sources[1]};
    while (again) {  // 3. a match, then another while both choose a rematch
        start_match_value(seed, local == 0 ? options.character : theirs, local == 1 ? options.character : theirs);
        fresh_session_match(local, seed);
        run_match(&result);
        again = result.played && !match_undecided() && agree_rematch(&seed);
    }
    if (result.played) hand_over_commands();
    command_sources[0] = before[0];
    command_sources[1] = before[1];
    Packet bye;  // 4. goodbye (lost on a link that is gone), why the link ended, its figures
    bye.kind = packet_bye;
    net_send(s.link, channel_reliable, write_packet(bye));
    result.message = s.ended;
    result.malformed = s.malformed;
    result.inputs_lost = s.arrivals.lost;
    const NetFigures f = net_figures(s.link);
    result.bytes_sent = f.bytes_sent;
    result.bytes_received = f.bytes_received;
    net_close(s.link);
    session = nullptr;
    return result;
}

OnlineFigures online_figures() {
    OnlineFigures f;
    if (!session) return f;
    const NetFigures n = net_figures(session->link);
    f.round_trip_ms = n.round_trip_ms;
    f.packets_lost = n.packets_lost + session->arrivals.lost;
    f.frames_rolled_back = session->rollback.frames_rolled_back;
    f.waiting = session->waiting;
    return f;
}

#include "game/replay.h"

#include <memory>

#include "game/frame.h"
#include "platform/assets.h"
#include "state/match.h"

uint32_t run_seed = 0;

namespace {

// ---- recording ----

struct Recorder {
    bool on = false;
    CommandSource real[2] = {};  // the sources that decide; the recorder sits in their place
    DataSums sums = {};
    Replay replay;        // the matches closed so far
    RecordedMatch match;  // the match being recorded
};
Recorder recorder;

// The real source decides the board's command, which joins the board's stream. When the left
// board is asked, no board has stepped yet in this frame: the checksum is taken there.
void record_command(int side, Player* p) {
    RecordedMatch& m = recorder.match;
    if (side == 0) {
        const size_t frame = m.commands[0].size();
        m.last_checksum = live_checksum();
        if (frame > 0 && frame % checksum_interval == 0) m.checksums.push_back(m.last_checksum);
    }
    recorder.real[side](p);
    m.commands[side].push_back(p->command);
}

void record_left(Player* p) { record_command(0, p); }
void record_right(Player* p) { record_command(1, p); }

// The match being recorded joins the replay, unless no frame of it was played.
void close_match() {
    if (!recorder.match.commands[0].empty()) recorder.replay.matches.push_back(std::move(recorder.match));
    recorder.match = RecordedMatch{};
}

// ---- playback ----

struct Playback {
    const RecordedMatch* match = nullptr;
    CommandSource real[2] = {};
    size_t next_frame[2] = {0, 0};  // each board's next recorded command
    PlaybackReport* report = nullptr;
    bool over = false;  // the last recorded frame was played, or a checksum differed
};
Playback playback;

// The checksum due before the left board's frame `frame`, compared with the recorded one.
void check_frame(size_t frame) {
    const RecordedMatch& m = *playback.match;
    const size_t last = m.commands[0].size() - 1;
    const bool interval = frame > 0 && frame % checksum_interval == 0;
    if (!interval && frame != last) return;
    const uint64_t expected = frame == last ? m.last_checksum : m.checksums[frame / checksum_interval - 1];
    if (live_checksum() == expected) {
        playback.report->agreed++;
        return;
    }
    playback.report->drifted = true;
    playback.report->drift_frame = frame + 1;
    playback.over = true;  // the frame finishes; the match ends before the next one
}

// The real source runs for what it does to the state; the recorded command takes its place. After
// the last recorded frame the match is over: it was left there.
void play_command(int side, Player* p) {
    const RecordedMatch& m = *playback.match;
    const size_t frame = playback.next_frame[side]++;
    const bool recorded = frame < m.commands[side].size();
    if (side == 0 && recorded) check_frame(frame);
    playback.real[side](p);
    p->command = recorded ? m.commands[side][frame] : 0;
    if (side == 0 && frame + 1 >= m.commands[0].size()) playback.over = true;
}

void play_left(Player* p) { play_command(0, p); }
void play_right(Player* p) { play_command(1, p); }

}  // namespace

void start_recording(const DataSums& sums) {
    if (recorder.on) {
        close_match();
    } else {
        recorder.real[0] = command_sources[0];
        recorder.real[1] = command_sources[1];
        command_sources[0] = record_left;
        command_sources[1] = record_right;
        recorder.on = true;
    }
    recorder.sums = sums;
    auto start = std::make_unique<MatchState>();
    save_match(start.get());
    set_start(&recorder.match, *start);
}

void stop_recording() {
    if (!recorder.on) return;
    close_match();
    command_sources[0] = recorder.real[0];
    command_sources[1] = recorder.real[1];
    recorder.on = false;
}

bool recording() { return recorder.on; }

Replay take_recording() {
    Replay replay = std::move(recorder.replay);
    recorder.replay = Replay{};
    replay.version = CUPCLASH_VERSION;
    replay.data = recorder.sums;
    replay.seed = run_seed;
    return replay;
}

void play_back_match(const RecordedMatch& m, void (*play)(), PlaybackReport* report) {
    // 1. The match's start value.
    auto start = std::make_unique<MatchState>();
    start_of(m, start.get());
    restore_match(*start);
    // 2. The recorded mode's own sources, each wrapped by the recorded commands.
    set_game_mode(m.mode);
    playback = Playback{&m, {command_sources[0], command_sources[1]}, {0, 0}, report, false};
    command_sources[0] = play_left;
    command_sources[1] = play_right;
    // 3. The match, through the same flow as in play.
    play();
    // 4. The real sources back. A match that ended before its recording did has drifted too.
    command_sources[0] = playback.real[0];
    command_sources[1] = playback.real[1];
    const size_t played = playback.next_frame[0];
    playback = Playback{};
    report->frames += played;
    if (!report->drifted && played < m.commands[0].size() && !close_requested()) {
        report->drifted = true;
        report->drift_frame = played + 1;
    }
}

bool recorded_match_over() { return playback.over; }

PlaybackReport play_back(const Replay& replay, void (*play)()) {
    PlaybackReport report;
    for (report.match = 0; report.match < replay.matches.size(); report.match++) {
        play_back_match(replay.matches[report.match], play, &report);
        if (report.drifted || close_requested()) break;
    }
    return report;
}

std::string drift_text(const PlaybackReport& report) {
    return "drifted at frame " + std::to_string(report.drift_frame) + " of match " + std::to_string(report.match + 1);
}

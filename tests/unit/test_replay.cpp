// Replays: a recorded match plays back to the same checksums and a changed command is caught; the
// reader names each kind of damage; the data folder keeps the last twenty and says once when it
// cannot.
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

#include "board_fixture.h"
#include "game/flow.h"
#include "game/frame.h"
#include "game/replay.h"
#include "game/replay_files.h"
#include "platform/ticks.h"

namespace {

constexpr int frames_to_record = 300;

std::function<void()> between;
void run_between() { between(); }

// A match of the computer against itself through the game's flow, left after 300 board frames.
Replay record_a_match() {
    reset_game_state();
    set_game_mode(mode_cpu_vs_cpu);
    between_frames = run_between;
    int frames = 0;
    between = [&] {
        if (round_phase != phase_loading && round_phase != phase_intro && ++frames == frames_to_record)
            quit_request = quit_match;
    };
    start_recording(DataSums{1, 2, 3});
    play_match();
    stop_recording();
    return take_recording();
}

// Plays a replay back on a game whose state has moved on since.
PlaybackReport play_back_elsewhere(const Replay& replay) {
    seed_random(&match.random, 99);
    set_board(players[0], diagonal_board);
    between = [] {};
    return play_back(replay, [] {
        reset_match();
        play_match();
    });
}

TEST(ReplayTest, PlaybackAgreesWithTheRecordingAndCatchesAChangedCommand) {
    start_headless();
    const Replay recorded = record_a_match();
    ASSERT_EQ(recorded.matches.size(), 1u);
    const size_t frames = recorded.matches[0].commands[0].size();
    ASSERT_GE(frames, static_cast<size_t>(frames_to_record));
    Replay read;
    ASSERT_EQ(read_replay(write_replay(recorded), &read), "");
    struct Case {
        size_t changed_frame;  // the left command given the practice bit there; 0 none
        bool drifts;
        uint64_t drift_frame;  // the first checksum after the change
    };
    for (const Case c : {Case{0, false, 0}, Case{100, true, 126}, Case{280, true, frames}}) {
        Replay replay = read;
        if (c.changed_frame) replay.matches[0].commands[0][c.changed_frame] |= cmd_fill_meter;
        const PlaybackReport report = play_back_elsewhere(replay);
        SCOPED_TRACE(c.changed_frame);
        EXPECT_EQ(report.drifted, c.drifts);
        EXPECT_EQ(report.drift_frame, c.drift_frame);
        if (!c.drifts) {
            EXPECT_EQ(report.frames, frames);
            EXPECT_EQ(report.agreed, recorded.matches[0].checksums.size() + 1);
        }
    }
    between_frames = nullptr;
}

TEST(ReplayTest, TwoPeoplesKeysAreRecordedAndPlayBackWithoutThem) {
    start_headless();
    reset_game_state();
    set_game_mode(mode_two_players);
    between_frames = run_between;
    int frames = 0;
    // Each person walks their frame and breaks, on frames of their own.
    const int left_keys[] = {KEY_D, KEY_S, KEY_Q, KEY_E}, right_keys[] = {KEY_LEFT, KEY_UP, KEY_STOP, KEY_SLASH};
    between = [&] {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        if (round_phase == phase_loading || round_phase == phase_intro) return;
        frames++;
        if (frames % 6 == 0) key[left_keys[frames / 6 % 4]] = 1;
        if (frames % 10 == 0) key[right_keys[frames / 10 % 4]] = 1;
        if (frames == frames_to_record) quit_request = quit_match;
    };
    start_recording(DataSums{1, 2, 3});
    play_match();
    stop_recording();
    const Replay recorded = take_recording();
    ASSERT_EQ(recorded.matches.size(), 1u);
    for (int side : {0, 1}) {
        const std::vector<uint8_t>& stream = recorded.matches[0].commands[side];
        EXPECT_GT(std::count_if(stream.begin(), stream.end(), [](uint8_t c) { return c != 0; }), 20) << side;
    }
    const PlaybackReport report = play_back_elsewhere(recorded);
    EXPECT_FALSE(report.drifted) << drift_text(report);
    EXPECT_EQ(report.frames, recorded.matches[0].commands[0].size());
    between_frames = nullptr;
}

// ---- the reader ----

// The packed body of a file, unpacked, and a file made of a body.
std::vector<uint8_t> body_of(const std::vector<uint8_t>& file) {
    std::vector<uint8_t> body(8u << 20);
    uLongf size = body.size();
    EXPECT_EQ(uncompress(body.data(), &size, file.data() + 20, file.size() - 20), Z_OK);
    body.resize(size);
    return body;
}

TEST(ReplayTest, TheReaderNamesEachKindOfDamage) {
    start_headless();
    const Replay good = record_a_match();
    const std::vector<uint8_t> file = write_replay(good);
    using Bytes = std::vector<uint8_t>;
    const auto file_with = [&](std::function<void(Bytes*)> change) {
        Bytes bytes = file;
        change(&bytes);
        Replay r;
        return read_replay(bytes, &r);
    };
    const auto body_with = [&](std::function<void(Bytes*)> change) {
        Bytes body = body_of(file);
        change(&body);
        Replay r;
        return read_replay_body(body, &r);
    };
    const auto value_with = [&](std::function<void(RecordedMatch*)> change) {
        Replay changed = good;
        change(&changed.matches[0]);
        Replay r;
        return read_replay(write_replay(changed), &r);
    };
    const size_t match_size_at = 1 + good.version.size() + 3 * 8 + 4;
    struct Case {
        const char* what;
        std::string fault;
        const char* expected;  // what the message must say
    };
    const Case cases[] = {
        {"whole", file_with([](Bytes*) {}), ""},
        {"empty", file_with([](Bytes* b) { b->clear(); }), "is not a cupclash replay"},
        {"another file", file_with([](Bytes* b) { (*b)[0] = 'P'; }), "is not a cupclash replay"},
        {"head cut", file_with([](Bytes* b) { b->resize(10); }), "is cut short"},
        {"packed part cut", file_with([](Bytes* b) { b->resize(b->size() / 2); }), "is cut short"},
        {"last byte cut", file_with([](Bytes* b) { b->pop_back(); }), "is cut short"},
        {"format", file_with([](Bytes* b) { (*b)[16] = 2; }), "is a replay of format 2, and this cupclash reads format 1"},
        {"byte flipped", file_with([](Bytes* b) { (*b)[b->size() / 2] ^= 0x10; }), "is damaged: its packed contents do not unpack"},
        {"bytes after", file_with([](Bytes* b) { b->push_back(0); }), "is damaged: bytes follow its end"},
        {"layout", body_with([=](Bytes* b) { (*b)[match_size_at] ^= 4; }), "whose match state is laid out differently"},
        {"body cut", body_with([](Bytes* b) { b->resize(b->size() - 3); }), "is damaged: its contents end too soon"},
        {"body longer", body_with([](Bytes* b) { b->push_back(7); }), "is damaged: bytes follow its last match"},
        {"no match", body_with([=](Bytes* b) { b->assign(b->begin(), b->begin() + match_size_at + 12); (*b)[match_size_at + 8] = 0; }), "is damaged: it holds no match"},
        {"cursor", value_with([](RecordedMatch* m) { m->side[1].cursor_row = 12; }), "match 1 starts with a cursor row 12 (0 to 9)"},
        {"cup", value_with([](RecordedMatch* m) { m->side[0].cells[7] = 9; }), "match 1 starts with a cup 9 (0 to 3)"},
        {"command", value_with([](RecordedMatch* m) { m->commands[1][5] = 0x90; }), "match 1 holds a command outside 0 to 127"},
        {"mode", value_with([](RecordedMatch* m) { m->mode = mode_vs_cpu; }), "match 1 gives a mode or characters its start value does not hold"},
        {"pictures", value_with([](RecordedMatch* m) { m->pictures[0].assign(2 * board_width * board_height, 0); }), "match 1 has board pictures that do not go with its refill"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(c.fault.find(c.expected), std::string::npos) << c.what << ": " << c.fault;
        EXPECT_EQ(c.fault.empty(), *c.expected == '\0') << c.what << ": " << c.fault;
    }
}

TEST(ReplayTest, AReplayMadeElsewhereSaysWhatDiffers) {
    const DataSums here = {1, 2, 3};
    Replay replay;
    replay.version = "0.1.0";
    struct Case {
        const char* version;
        DataSums data;
        const char* fault;
    };
    for (const Case& c : {Case{"0.1.0", {1, 2, 3}, ""},
                          Case{"0.0.9", {1, 2, 3}, "was recorded by cupclash 0.0.9, and this is cupclash 0.1.0"},
                          Case{"0.\x1b[2J", {1, 2, 3}, "was recorded by cupclash 0.\\x1b[2J, and this is cupclash 0.1.0"},
                          Case{"0.1.0", {9, 2, 3}, "was recorded with another computer script"},
                          Case{"0.1.0", {1, 9, 3}, "was recorded with other attack patterns"},
                          Case{"0.1.0", {1, 2, 9}, "was recorded with other character files"}}) {
        replay.version = c.version;
        replay.data = c.data;
        const std::string fault = replay_mismatch(replay, "0.1.0", here);
        EXPECT_EQ(fault.rfind(c.fault, 0), 0u) << fault;
        EXPECT_EQ(fault.empty(), *c.fault == '\0') << fault;
    }
}

// ---- the data folder ----

TEST(ReplayTest, TheDataFolderKeepsTheLastTwentyAndSaysOnceWhenItCannotWrite) {
    char folder[] = "/tmp/cupclash-replays.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    setenv("XDG_DATA_HOME", folder, 1);
    keeping_replays = true;
    Replay replay;
    replay.matches.resize(1);
    replay.matches[0].side[1].index = 1;
    replay.matches[0].commands[0] = replay.matches[0].commands[1] = {cmd_action};
    for (uint32_t seed = 1; seed <= kept_replays + 2; seed++) {
        replay.seed = seed;
        keep_replay(replay);
    }
    // Twenty files are left, and the oldest of them is the third one kept.
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(folder) + "/cupclash/replays"))
        names.insert(entry.path());
    Replay oldest;
    const std::string fault = names.empty() ? "none kept" : read_replay_file(*names.begin(), &oldest);
    std::filesystem::remove_all(folder);
    EXPECT_EQ(names.size(), static_cast<size_t>(kept_replays));
    EXPECT_EQ(fault, "");
    EXPECT_EQ(oldest.seed, 3u);

    setenv("XDG_DATA_HOME", "/dev/null/data", 1);
    record_file = "/dev/null/match.replay";
    testing::internal::CaptureStderr();
    keep_replay(replay);
    keep_replay(replay);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cupclash: cannot keep replays in /dev/null/data/cupclash/replays: Not a directory (the game plays on)\n"
              "cupclash: cannot write the replay /dev/null/match.replay: Not a directory\n");
    keeping_replays = false;
    record_file.clear();
    unsetenv("XDG_DATA_HOME");
}

}  // namespace

// Online play without a network: the packets as bytes, the addresses a host shows, and rollback
// giving the frames that known commands give, each sound of them heard once.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <ifaddrs.h>
#include <net/if.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "board_fixture.h"
#include "control/cpu.h"
#include "game/frame.h"
#include "game/rollback.h"
#include "headless.h"
#include "platform/assets.h"
#include "platform/net.h"
#include "state/packets.h"

namespace {

std::vector<uint8_t> inputs_bytes(uint32_t first, std::vector<uint8_t> commands) {
    Packet p;
    p.kind = packet_inputs;
    p.first = first;
    p.ack = 7;
    p.sequence = 513;
    p.commands = std::move(commands);
    return write_packet(p);
}

TEST(Packets, WholePacketsReadBackAndEveryMalformedOneIsRefused) {
    // Every kind reads back as written; commands keep their six bits and lose the rest.
    Packet hello;
    hello.kind = packet_hello;
    hello.protocol = protocol_version;
    hello.version = "0.1.0";
    hello.data = {1, 2, 3};
    hello.character = 1;
    Packet read;
    std::vector<uint8_t> bytes = write_packet(hello);
    ASSERT_TRUE(read_packet(bytes.data(), bytes.size(), &read));
    EXPECT_EQ(read.version, "0.1.0");
    EXPECT_EQ(read.data.patterns, 2u);
    EXPECT_EQ(read.character, 1);
    bytes = inputs_bytes(100, {0xff, 0, 33, 63, 16});
    ASSERT_TRUE(read_packet(bytes.data(), bytes.size(), &read));
    EXPECT_EQ(read.first, 100u);
    EXPECT_EQ(read.ack, 7u);
    EXPECT_EQ(read.sequence, 513u);
    EXPECT_EQ(read.commands, (std::vector<uint8_t>{63, 0, 33, 63, 16}));
    EXPECT_EQ(bytes.size(), 12u + 4u) << "five commands take 30 bits";
    Packet refusal;
    refusal.kind = packet_refusal;
    refusal.reason = std::string(most_reason_length, 'r');
    bytes = write_packet(refusal);
    ASSERT_TRUE(read_packet(bytes.data(), bytes.size(), &read));
    EXPECT_EQ(read.reason, refusal.reason) << "a reason is read whole, up to a line";
    Packet rematch;
    rematch.kind = packet_rematch;
    rematch.seed = 0x89abcdefu;
    bytes = write_packet(rematch);
    ASSERT_TRUE(read_packet(bytes.data(), bytes.size(), &read));
    EXPECT_EQ(read.kind, packet_rematch);
    EXPECT_EQ(read.seed, 0x89abcdefu);

    // Malformed: each is refused.
    const std::vector<uint8_t> inputs = inputs_bytes(5, {1, 2, 3});
    std::vector<uint8_t> long_count = inputs;
    long_count[11] = most_commands_per_packet + 1;
    std::vector<uint8_t> no_count = inputs;
    no_count[11] = 0;
    std::vector<uint8_t> set_padding = inputs;  // 18 bits of commands: the last six must be zero
    set_padding.back() |= 0x80;
    std::vector<uint8_t> odd_text = write_packet(hello);
    odd_text[4] = '\n';
    std::vector<uint8_t> long_text = write_packet(hello);
    long_text[3] = most_version_length + 1;
    std::vector<uint8_t> long_reason = {packet_refusal, most_reason_length + 1};
    long_reason.resize(long_reason.size() + most_reason_length + 1, 'r');
    std::vector<uint8_t> third_character = write_packet(hello);
    third_character.back() = 2;
    const std::vector<std::vector<uint8_t>> malformed = {
        {},
        {0},
        {99},
        {inputs.begin(), inputs.end() - 1},
        [&] { auto b = inputs; b.push_back(0); return b; }(),
        long_count,
        no_count,
        set_padding,
        odd_text,
        long_text,
        long_reason,
        third_character,
        {packet_checksum, 1, 2, 3},
        {packet_bye, 0},
        {packet_beat, 1},
        {packet_rematch, 1, 2, 3},
        {packet_rematch, 1, 2, 3, 4, 5},
        {9},
    };
    for (size_t k = 0; k < malformed.size(); k++)
        EXPECT_FALSE(read_packet(malformed[k].data(), malformed[k].size(), &read)) << "case " << k;

    // The window: no gap after what is known, nothing far past the frame stepped.
    struct Case { uint32_t first; size_t count; uint32_t known, next; bool fits; };
    for (const Case& c : {Case{10, 3, 10, 12, true}, Case{8, 3, 10, 12, true}, Case{11, 3, 10, 12, false},
                          Case{70, 8, 78, 12, false}, Case{60, 16, 60, 12, true}, Case{0xfffffff0u, 32, 0xfffffff0u, 0, false}}) {
        Packet p;
        p.first = c.first;
        p.commands.assign(c.count, 0);
        EXPECT_EQ(inputs_in_window(p, c.known, c.next, 64), c.fits) << c.first << "+" << c.count;
    }

    // The other side's packets lost, by their sequence numbers, once 64 later ones have come.
    struct Arriving { std::vector<uint16_t> sequences; uint64_t lost; };
    const Arriving arriving[] = {
        {{0, 1, 2, 3}, 0},
        {{0, 2, 3}, 1},
        {{0, 3, 1, 2}, 0},                 // out of order
        {{0, 1, 1, 2, 0}, 0},              // twice
        {{65534, 65535, 0, 2}, 1},         // round the end of the numbers
        {{5, 100}, 94},                    // a long silence
        {{7, 9, 80, 8}, 1 + 70},           // 8 too late, and 10 to 79 never
    };
    for (const Arriving& c : arriving) {
        Arrivals a;
        for (uint16_t sequence : c.sequences) count_arrival(&a, sequence);
        const uint16_t highest = a.highest;
        for (uint16_t k = 1; k <= 64; k++) count_arrival(&a, static_cast<uint16_t>(highest + k));
        EXPECT_EQ(a.lost, c.lost) << "from " << c.sequences.front();
    }
}

TEST(Net, TheHostShowsItsFirstTwoIPv4AddressesThatAreUpAndNotTheLoopbackElseThisMachineOnly) {
    struct Interface {
        int family;  // AF_INET, AF_INET6, or 0 for none
        const char* address;
        unsigned flags;
    };
    constexpr unsigned up = IFF_UP, loop = IFF_UP | IFF_LOOPBACK;
    struct Case {
        std::vector<Interface> interfaces;
        std::vector<std::string> lines;
    };
    const std::vector<std::string> only_here = {"127.0.0.1:5029", "(this machine only)"};
    const Case cases[] = {
        {{{AF_INET, "127.0.0.1", loop}, {AF_INET, "192.168.1.5", up}}, {"192.168.1.5:5029"}},
        {{{AF_INET6, "fe80::1", up}, {AF_INET, "10.0.0.7", up}, {AF_INET, "172.17.0.1", 0},
          {AF_INET, "192.168.1.5", up}, {AF_INET, "10.1.1.1", up}},
         {"10.0.0.7:5029", "192.168.1.5:5029"}},
        {{{AF_INET, "127.0.0.1", loop}, {AF_INET6, "::1", loop}}, only_here},
        {{{0, "", up}}, only_here},
        {{}, only_here},
    };
    for (const Case& c : cases) {
        std::vector<ifaddrs> list(c.interfaces.size());
        std::vector<sockaddr_in6> addresses(c.interfaces.size());  // room for either family
        for (size_t k = 0; k < list.size(); k++) {
            const Interface& i = c.interfaces[k];
            list[k] = ifaddrs{};
            list[k].ifa_next = k + 1 < list.size() ? &list[k + 1] : nullptr;
            list[k].ifa_flags = i.flags;
            if (i.family == 0) continue;
            auto* at = reinterpret_cast<sockaddr*>(&addresses[k]);
            at->sa_family = static_cast<sa_family_t>(i.family);
            void* bytes = i.family == AF_INET ? static_cast<void*>(&reinterpret_cast<sockaddr_in*>(at)->sin_addr)
                                              : static_cast<void*>(&addresses[k].sin6_addr);
            ASSERT_EQ(inet_pton(i.family, i.address, bytes), 1) << i.address;
            list[k].ifa_addr = at;
        }
        EXPECT_EQ(join_addresses(list.empty() ? nullptr : list.data(), 5029), c.lines)
            << c.interfaces.size() << " interfaces, the first " << (list.empty() ? "none" : c.interfaces[0].address);
    }
}

class Rollback_ : public ::testing::Test {
protected:
    void SetUp() override {
        start_headless();
        if (ai_list.empty()) {
            ASSERT_EQ(read_ai_script("AI_list.txt"), "");
        }
    }

    static void start(uint32_t seed) {
        reset_game_state();
        seed_random(&match.random, seed);
        set_game_mode(mode_two_players);
        command_sources[0] = command_sources[1] = stepped_command;
        for (Player* p : players) p->state = falling;
    }

    // Commands that move and act now and then: those of frame k of side `side`.
    static uint8_t command(int side, uint32_t k) {
        const uint32_t h = (k * 2654435761u) ^ (side * 40503u);
        return static_cast<uint8_t>((h >> 7) % 5 == 0 ? (h >> 11) & command_bits : uint32_t{cmd_action});
    }

    static Rollback* running;
    static uint32_t stop_at;
    static bool before_stop() { return running->next < stop_at; }
};
Rollback* Rollback_::running = nullptr;
uint32_t Rollback_::stop_at = 0;

TEST_F(Rollback_, LateCommandsThatDifferStepTheFramesAgainToWhatKnownCommandsGive) {
    constexpr uint32_t frames = 600;
    // 1. Both sides' commands known at once: the frames as they should be.
    Rollback known;
    start(11);
    reset_rollback(&known, 0, 0);
    std::vector<uint64_t> expected;
    for (uint32_t k = 0; k < frames; k++) {
        add_local_command(&known, command(0, k));
        add_remote_commands(&known, k, {command(1, k)});
        step_frame(&known, battle_frame);
        expected.push_back(live_checksum());
    }
    EXPECT_EQ(known.rollbacks, 0u);
    // 2. The other side's commands come 1 to 8 frames late, in runs, some twice: every frame, once
    // corrected, is the frame known commands gave, and guessed frames are never more than 8.
    for (const uint32_t lateness : {1u, 3u, 7u}) {  // delivered every second frame: up to 8 behind
        Rollback r;
        running = &r;
        stop_at = no_frame;
        start(11);
        reset_rollback(&r, 0, 0);
        for (uint32_t k = 0; k < frames; k++) {
            add_local_command(&r, command(0, k));
            if (k >= lateness && k % 2 == 0) {  // a run from two frames already known up to k - lateness
                const uint32_t from = r.remote_known > 2 ? r.remote_known - 2 : 0;
                std::vector<uint8_t> run;
                for (uint32_t f = from; f <= k - lateness; f++) run.push_back(command(1, f));
                add_remote_commands(&r, from, run);
            }
            correct(&r, battle_frame, before_stop);
            const uint32_t agreed = agreed_frames(r);
            if (agreed >= 2 && agreed + most_rollback > r.next) {  // the state before the last agreed frame
                ASSERT_EQ(match_checksum(r.saved[(agreed - 1) % (most_rollback + 1)]), expected[agreed - 2])
                    << "late " << lateness << ", frame " << k;
            }
            ASSERT_TRUE(can_step(r)) << "frame " << k;
            step_frame(&r, battle_frame);
        }
        std::vector<uint8_t> rest;
        for (uint32_t f = r.remote_known; f < frames; f++) rest.push_back(command(1, f));
        add_remote_commands(&r, r.remote_known, rest);
        correct(&r, battle_frame, before_stop);
        EXPECT_EQ(live_checksum(), expected.back()) << "late " << lateness;
        EXPECT_GT(r.rollbacks, 10u) << "late " << lateness;
    }
}

TEST_F(Rollback_, ACorrectionStopsWhereThePhaseEndsAndNeverStepsMoreThanEightAhead) {
    Rollback r;
    running = &r;
    stop_at = no_frame;
    start(5);
    reset_rollback(&r, 1, 2);  // the right side, two frames of input delay
    EXPECT_EQ(r.commands[1], (std::vector<uint8_t>{0, 0}));
    for (uint32_t k = 0; k < 8; k++) {
        add_local_command(&r, cmd_action);
        ASSERT_TRUE(can_step(r));
        step_frame(&r, battle_frame);
    }
    EXPECT_FALSE(can_step(r)) << "eight frames past what the other side's commands reach";
    // The other side's real commands differ from frame 2 on; the phase ends before frame 5.
    stop_at = 5;
    add_remote_commands(&r, 0, {0, 0, cmd_left, cmd_left, cmd_left});
    EXPECT_EQ(r.wrong_from, 2u);
    correct(&r, battle_frame, before_stop);
    EXPECT_EQ(r.next, 5u);
    EXPECT_EQ(agreed_frames(r), 5u);
    EXPECT_EQ(r.frames_rolled_back, 3u);
}

// Each sound is heard once for its frame as finally agreed. The right side's command guessed for
// frame 3 (its last one, held) breaks a line that the real commands leave whole until frame 4: the
// guessed break is heard (nothing takes it back), and the real break and the refill it brings,
// which the first stepping never made, are heard once when the correction steps their frames again.
// The right character's cue, which every idle frame plays, and a later correction over the same
// frames play nothing twice. The cue's sample is the refill's too, so the refill's frame asks for
// one sound twice: it is heard twice, once each.
TEST_F(Rollback_, EachSoundIsHeardOnceForTheFrameAsAgreed) {
    constexpr uint32_t frames = 40;
    constexpr int right_pan = 192;  // play_effect pans the right side's sounds here
    // The cue's sample is the test's own: taken back from the character before each release.
    static SAMPLE* cue_sound;
    cue_sound = create_sample(16, 0, 22050, 64);
    const struct Restore {
        SAMPLE* refill = refill_sound;
        ~Restore() {
            refill_sound = refill;
            if (players[1]) players[1]->sfx[5] = nullptr;
            destroy_sample(cue_sound);
        }
    } restore;
    refill_sound = cue_sound;
    const auto set_up = [&] {
        if (players[1]) players[1]->sfx[5] = nullptr;
        start(3);
        for (Player* p : players) {  // no line but a row of 1s at the bottom right; row 0 slides
            std::vector<std::string> rows(diagonal_board);
            if (p->index == 1) rows.back() = "111111";
            set_board(p, rows);
            p->state = ready;
            p->cursor_row = 0;
        }
        players[1]->sfx[5] = cue_sound;
        players[1]->cues[0] = {anim_idle, 0, 5};
        players[1]->cue_count = 1;
    };
    // The right side's real commands: a slide from frame 0 (the action then does nothing), which
    // rests until frame 4's action breaks the line.
    const auto real = [](uint32_t k) -> uint8_t {
        return k == 0 ? cmd_left | cmd_action : k == 4 ? cmd_action : 0;
    };
    using Sound = std::pair<const SAMPLE*, int>;  // the sample and its pan
    const auto sorted = [](std::vector<Sound> sounds) {
        std::sort(sounds.begin(), sounds.end());
        return sounds;
    };
    const auto heard_since = [&](size_t from) {
        std::vector<Sound> heard;
        for (size_t k = from; k < sounds_started().size(); k++)
            heard.push_back({sounds_started()[k].sample, sounds_started()[k].pan});
        return sorted(heard);
    };

    // 1. Both sides' commands known at once: the sounds of the agreed frames, and where they start.
    set_up();
    Rollback known;
    reset_rollback(&known, 0, 0);
    std::vector<size_t> heard_before(frames);  // sounds heard before frame k
    for (uint32_t k = 0; k < frames; k++) {
        add_local_command(&known, 0);
        add_remote_commands(&known, k, {real(k)});
        heard_before[k] = sounds_started().size();
        step_frame(&known, battle_frame);
    }
    const std::vector<Sound> agreed = heard_since(0);

    // 2. The right side's commands come in runs, each corrected and stepped past as far as it may be.
    set_up();
    Rollback r;
    running = &r;
    stop_at = no_frame;
    reset_rollback(&r, 0, 0);
    for (uint32_t k = 0; k < frames; k++) add_local_command(&r, 0);
    const auto arrive = [&](uint32_t first, uint32_t end) {
        std::vector<uint8_t> run;
        for (uint32_t k = first; k < end; k++) run.push_back(real(k));
        add_remote_commands(&r, first, run);
        const size_t before = sounds_started().size();
        correct(&r, battle_frame, before_stop);
        const std::vector<Sound> heard = heard_since(before);
        while (r.next < frames && can_step(r)) step_frame(&r, battle_frame);
        return heard;
    };
    arrive(0, 1);  // frames 0-8 step on the guess, which breaks at frame 3
    EXPECT_EQ(arrive(1, 4), std::vector<Sound>{}) << "frames 1-8 again, without the break";
    EXPECT_EQ(arrive(4, 5), sorted({{break_sound, right_pan}, {cue_sound, right_pan}}))
        << "frames 4-11 again: the real break, and at 11 its refill";
    EXPECT_EQ(heard_before[13] - heard_before[5], 9u) << "frames 5-12 make sounds: a cue each, the refill";
    EXPECT_EQ(arrive(5, frames), std::vector<Sound>{}) << "frames 5-12 again, all heard already";
    EXPECT_EQ(r.rollbacks, 3u);
    std::vector<Sound> expected = agreed;
    expected.push_back({break_sound, right_pan});  // the guessed break of frame 3
    EXPECT_EQ(heard_since(0), sorted(expected));
}

}  // namespace

// The settings file: what each line means, what a damaged one leaves, and writing it so that a write
// cut short leaves the old file whole.
#include <gtest/gtest.h>
#include <allegro.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "control/cpu.h"
#include "state/match.h"
#include "platform/settings.h"
#include "platform/user_files.h"

namespace {

TEST(SettingsTest, EachLineSetsItsOwnSettingAndADamagedOneItsDefault) {
    struct Case {
        const char* text;
        const char* fault;  // what the one fault must say after "line N: ", or "" for none
        int line;
        bool (*holds)(const Settings&);
    };
    const Case cases[] = {
        {"", "", 0, [](const Settings& s) { return s == Settings(); }},
        {"# only a comment\n\n", "", 0, [](const Settings& s) { return s == Settings(); }},
        {"music-volume = 40\n", "", 0, [](const Settings& s) { return s.music_volume == 40 && s.effects_volume == 128; }},
        {"  effects-volume=0  \r\n", "", 0, [](const Settings& s) { return s.effects_volume == 0; }},
        {"scale = 3\nstrength = hard\n", "", 0, [](const Settings& s) { return s.scale == 3 && s.strength == strength_hard; }},
        {"repeat-delay = 8\nrepeat-rate = 2\nfullscreen = on\n", "", 0,
         [](const Settings& s) { return s.repeat_delay == 8 && s.repeat_rate == 2 && s.fullscreen; }},
        {"keys-one-player = W S A D K L\n", "", 0,
         [](const Settings& s) { return s.keys[0][0] == KEY_W && s.keys[0][5] == KEY_L && s.keys[1][0] == KEY_W; }},
        {"music-volume = 40\nmusic-volume = 300\n", "line 2: music-volume takes 0 to 255, not '300'", 2,
         [](const Settings& s) { return s.music_volume == 40; }},
        {"effects-volume = -1\n", "effects-volume takes 0 to 255", 1, [](const Settings& s) { return s.effects_volume == 128; }},
        {"scale = 5\n", "scale takes 0 to 4, not '5'", 1, [](const Settings& s) { return s.scale == 0; }},
        {"strength = brutal\n", "strength takes easy, normal or hard", 1, [](const Settings& s) { return s.strength == strength_normal; }},
        {"repeat-rate = 0\n", "repeat-rate takes 1 to 25", 1, [](const Settings& s) { return s.repeat_rate == 3; }},
        {"fullscreen = yes\n", "fullscreen takes off or on", 1, [](const Settings& s) { return !s.fullscreen; }},
        {"\nvolume = 3\n", "line 2: 'volume' is no setting", 2, [](const Settings& s) { return s == Settings(); }},
        {"music-volume 40\nscale = 2\n", "line 1: 'music-volume 40' is not 'name = value'", 1,
         [](const Settings& s) { return s.music_volume == 128 && s.scale == 2; }},
        {"keys-left-player = W S A D Q\n", "needs six keys", 1, [](const Settings& s) { return s.keys[1][4] == KEY_Q; }},
        {"keys-left-player = W S A D Q Q\n", "'Q' is given twice", 1, [](const Settings& s) { return s.keys[1][5] == KEY_E; }},
        {"keys-left-player = W S A D Q FOO\n", "'FOO' is not a key", 1, [](const Settings& s) { return s.keys[1][5] == KEY_E; }},
        {"keys-left-player = W S A D Q E R\n", "more than six keys", 1, [](const Settings& s) { return s.keys[1][5] == KEY_E; }},
    };
    for (const Case& c : cases) {
        Settings s;
        s.music_volume = 1;  // parsing starts from the defaults, not from what was there
        std::vector<std::string> faults;
        parse_settings(c.text, &s, &faults);
        EXPECT_TRUE(c.holds(s)) << c.text;
        if (c.fault[0] == '\0') {
            EXPECT_TRUE(faults.empty()) << c.text << (faults.empty() ? "" : faults[0]);
            continue;
        }
        ASSERT_EQ(faults.size(), 1u) << c.text;
        EXPECT_EQ(faults[0].rfind("line " + std::to_string(c.line) + ": ", 0), 0u) << faults[0];
        EXPECT_NE(faults[0].find(c.fault), std::string::npos) << faults[0];
    }
}

TEST(SettingsTest, TheWrittenFileReadsBackAsTheSameSettingsAndStartsAtTheGamesOwn) {
    Settings defaults;
    EXPECT_EQ(defaults.music_volume, 128);
    EXPECT_EQ(defaults.strength, strength_normal);
    EXPECT_EQ(defaults.repeat_delay, 0);  // a press moves once, as the game always did
    EXPECT_FALSE(defaults.fullscreen);
    EXPECT_EQ(defaults.keys[keys_one_player][key_toggle], KEY_X);
    EXPECT_EQ(defaults.keys[keys_right_player][key_action], KEY_SLASH);
    Settings s;
    s.music_volume = 7, s.effects_volume = 255, s.scale = 2, s.strength = strength_easy;
    s.repeat_delay = 9, s.repeat_rate = 4, s.fullscreen = true;
    s.keys[keys_left_player][key_up] = KEY_8;
    s.keys[keys_right_player][key_toggle] = KEY_ENTER_PAD;
    for (const Settings& written : {defaults, s}) {
        const std::string text = format_settings(written);
        Settings read;
        std::vector<std::string> faults;
        parse_settings(text, &read, &faults);
        EXPECT_TRUE(faults.empty()) << text;
        EXPECT_TRUE(read == written) << text;
        size_t comments = 0, lines = 0;
        for (size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at++) lines++;
        for (size_t at = 0; (at = text.find("\n#", at)) != std::string::npos; at++) comments++;
        EXPECT_EQ(comments + 1, lines - comments) << "a comment line before each setting:\n" << text;
    }
}

TEST(SettingsTest, AWriteCutShortLeavesTheOldFileWholeAndAMissingFolderIsMade) {
    char folder[] = "/tmp/cupclash-settings-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string file = std::string(folder) + "/deep/er/settings";
    EXPECT_EQ(write_atomically(file, "old and whole\n"), "");
    write_cut_after = 3;
    EXPECT_NE(write_atomically(file, "new text that a crash cut\n"), "");
    write_cut_after = -1;
    std::string text;
    bool missing = true;
    EXPECT_EQ(read_user_file(file, &text, &missing), "");
    EXPECT_EQ(text, "old and whole\n");
    EXPECT_EQ(write_atomically(file, "new\n"), "");
    EXPECT_EQ(read_user_file(file, &text, &missing), "");
    EXPECT_EQ(text, "new\n");
    EXPECT_NE(read_user_file(std::string(folder) + "/none", &text, &missing), "");
    EXPECT_TRUE(missing);
    EXPECT_EQ(std::system(("rm -r " + std::string(folder)).c_str()), 0);
}

TEST(SettingsTest, ANewKeyIsSwappedWithinItsSetOrRefusedButNeverLeftOnTwoActions) {
    struct Case {
        int set, action, code;
        bool taken;
        int swapped_action;  // the action that takes the old key, or -1
    };
    const Case cases[] = {
        {keys_one_player, key_up, KEY_I, true, -1},
        {keys_one_player, key_up, KEY_DOWN, true, key_down},   // swapped: down takes UP
        {keys_one_player, key_action, KEY_X, true, key_toggle},
        {keys_one_player, key_left, KEY_W, true, -1},          // the people's sets do not play with it
        {keys_one_player, key_left, KEY_S, false, -1},         // fills the meter
        {keys_left_player, key_up, KEY_UP, false, -1},         // the other person's
        {keys_left_player, key_up, KEY_S, true, key_down},
        {keys_right_player, key_action, KEY_E, false, -1},
        {keys_right_player, key_action, KEY_ESC, false, -1},
        {keys_right_player, key_action, KEY_P, false, -1},
        {keys_right_player, key_action, KEY_F11, false, -1},
        {keys_right_player, key_action, KEY_LSHIFT, false, -1},  // no name to write it in the file
    };
    for (const Case& c : cases) {
        Settings s;
        const Settings before = s;
        const int old_key = s.keys[c.set][c.action];
        EXPECT_EQ(assign_key(&s, c.set, c.action, c.code).empty(), c.taken) << c.set << " " << c.code;
        EXPECT_EQ(s.keys[c.set][c.action], c.taken ? c.code : old_key);
        if (c.swapped_action >= 0) {
            EXPECT_EQ(s.keys[c.set][c.swapped_action], old_key);
        }
        if (!c.taken) {
            EXPECT_TRUE(s == before);
        }
        for (int set = 0; set < key_sets; set++)
            for (int a = 0; a < key_actions; a++)
                for (int b = 0; b < a; b++) EXPECT_NE(s.keys[set][a], s.keys[set][b]) << set << " " << a << " " << b;
        for (int a = 0; a < key_actions; a++)
            for (int b = 0; b < key_actions; b++) EXPECT_NE(s.keys[keys_left_player][a], s.keys[keys_right_player][b]);
    }
}

TEST(StrengthTest, NormalPacesAsAlwaysAndEasyDecidesAboutHalfAndHardTwiceAsOften) {
    // Frames between two decisions of the computer over 20 pulses, by strength and round.
    auto frames_per_pulse = [](int strength, int round) {
        match.ai_strength = static_cast<int16_t>(strength);
        match.round_number = static_cast<int8_t>(round);
        match.ai_frame_accum = 0;
        int frames = 0;
        for (int pulses = 0; pulses < 20; frames++) {
            match.ai_go = 0;
            ai_pacing();
            pulses += match.ai_go;
        }
        return frames / 20.0;
    };
    const double normal_by_round[] = {56, 28, 19, 14, 12, 10, 8, 7};  // 55 / round + 1, as ever
    for (int round = 1; round <= 8; round++) {
        const double normal = frames_per_pulse(strength_normal, round);
        EXPECT_NEAR(normal, normal_by_round[round - 1], 0.5) << "round " << round;
        EXPECT_NEAR(frames_per_pulse(strength_easy, round) / normal, 2.0, 0.35) << "round " << round;
        EXPECT_NEAR(frames_per_pulse(strength_hard, round) / normal, 0.5, 0.15) << "round " << round;
    }
    match = Match();
}

}  // namespace

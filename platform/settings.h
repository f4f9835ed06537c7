// What the player chose and the game keeps from run to run: the volumes, the window's scale, the
// computer's strength, each player's keys, the held-direction repeat and fullscreen. They live in
// $XDG_CONFIG_HOME/cupclash/settings (else ~/.config/cupclash/settings), a short text file of
// "name = value" lines, each after a comment saying what it means. This module owns `settings`.
#pragma once

#include <string>
#include <vector>

enum Strength { strength_easy = 0, strength_normal = 1, strength_hard = 2 };
constexpr int strengths = 3;
extern const char* const strength_names[strengths];   // "easy", "normal", "hard": in the files
extern const char* const strength_labels[strengths];  // "EASY", "NORMAL", "HARD": on the screens

// The keys a person may change, in the order a set lists them.
enum KeyAction { key_up, key_down, key_left, key_right, key_toggle, key_action, key_actions };
enum KeySetIndex { keys_one_player, keys_left_player, keys_right_player, key_sets };

struct Settings {
    int music_volume = 128;    // 0..255
    int effects_volume = 128;  // 0..255
    int scale = 0;             // 1..4 window pixels per game pixel; 0: the largest the desktop takes
    int strength = strength_normal;
    int keys[key_sets][key_actions];  // Allegro key codes; defaults in default_keys
    int repeat_delay = 0;  // frames a held direction waits before it repeats; 0: no repeat (as always)
    int repeat_rate = 3;   // frames between repeats, 1..25
    bool fullscreen = false;
    Settings();
};
bool operator==(const Settings& a, const Settings& b);

extern Settings settings;  // what the game plays with; read at start-up, changed by the screens

// The keys of the three sets as the game has always had them.
extern const int default_keys[key_sets][key_actions];

// The name of a key in the file ("UP", "X", "STOP"), "" for a code without one; and back, 0 for none.
const char* key_name(int code);
int key_code(const std::string& name);

// Gives an action of a set a new key: "" when done, or why it is refused. A key the same set uses
// already is swapped (that action takes this one's old key); a key the other person's set uses, a
// key with no name, ESC, P (holds the computer), F11, and S in the one-player set (fills the meter
// in practice) are refused. No key is ever left on two actions that play at once.
std::string assign_key(Settings* s, int set, int action, int code);

// Reads the text of a settings file into *out, starting from the defaults: each line that is
// damaged, names no setting or holds a value out of range leaves that setting at its default and
// adds one fault, "line N: what is wrong", to *faults.
void parse_settings(const std::string& text, Settings* out, std::vector<std::string>* faults);

// The file's text: a heading, and a comment line before each setting.
std::string format_settings(const Settings& s);

// Where the file lives; "" (and *fault) when no folder is known.
std::string settings_path(std::string* fault);

// Start-up: reads the file into `settings` and sets the volumes from it; each fault is one line on
// standard error naming the file and the line. A missing file is no fault.
void load_settings();

// After load_settings (never in the tools and tests): writes the file when a setting differs from what the file was last read or written with (the
// volumes are taken from the sound module first). A failure is said once per run; the game plays on.
void save_settings_if_changed();

// The window's scale asked for this run: --scale, else the file's (0: the largest that fits).
extern int window_scale_asked;

// F11: from a window to the whole screen and back at window_scale_asked, kept in the file.
void switch_fullscreen();

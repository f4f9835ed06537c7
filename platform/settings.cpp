#include "platform/settings.h"

#include <allegro.h>

#include <cstdio>
#include <cstring>

#include "platform/sound.h"
#include "platform/user_files.h"
#include "platform/window.h"

Settings settings;
int window_scale_asked;

const char* const strength_names[strengths] = {"easy", "normal", "hard"};
const char* const strength_labels[strengths] = {"EASY", "NORMAL", "HARD"};

const int default_keys[key_sets][key_actions] = {
    {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_X, KEY_Z},
    {KEY_W, KEY_S, KEY_A, KEY_D, KEY_Q, KEY_E},
    {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_STOP, KEY_SLASH},
};

namespace {

// The keys beside the letters and digits that a person may choose, by name.
struct NamedKey {
    int code;
    const char* name;
};
constexpr NamedKey named_keys[] = {
    {KEY_UP, "UP"}, {KEY_DOWN, "DOWN"}, {KEY_LEFT, "LEFT"}, {KEY_RIGHT, "RIGHT"}, {KEY_SPACE, "SPACE"},
    {KEY_ENTER, "ENTER"}, {KEY_BACKSPACE, "BACKSPACE"}, {KEY_TILDE, "TILDE"}, {KEY_MINUS, "MINUS"},
    {KEY_EQUALS, "EQUALS"}, {KEY_OPENBRACE, "OPENBRACE"}, {KEY_CLOSEBRACE, "CLOSEBRACE"}, {KEY_COLON, "COLON"},
    {KEY_QUOTE, "QUOTE"}, {KEY_BACKSLASH, "BACKSLASH"}, {KEY_COMMA, "COMMA"}, {KEY_STOP, "STOP"},
    {KEY_SLASH, "SLASH"}, {KEY_INSERT, "INSERT"}, {KEY_DEL, "DEL"}, {KEY_HOME, "HOME"}, {KEY_END, "END"},
    {KEY_PGUP, "PGUP"}, {KEY_PGDN, "PGDN"}, {KEY_ENTER_PAD, "ENTER_PAD"}, {KEY_PLUS_PAD, "PLUS_PAD"},
    {KEY_MINUS_PAD, "MINUS_PAD"},
};

const char* const action_names[key_actions] = {"up", "down", "left", "right", "toggle", "break"};
const char* const set_names[key_sets] = {"one-player", "left-player", "right-player"};

// A whole number from min to max, or false.
bool number_in(const std::string& text, int min, int max, int* value) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const int v = std::stoi(text);
    if (v < min || v > max) return false;
    *value = v;
    return true;
}

bool word_in(const std::string& text, const char* const* words, int count, int* value) {
    for (int k = 0; k < count; k++)
        if (text == words[k]) return *value = k, true;
    return false;
}

std::string trimmed(const std::string& text) {
    const size_t a = text.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return text.substr(a, text.find_last_not_of(" \t\r") - a + 1);
}

// The six keys of a set, "UP DOWN LEFT RIGHT X Z": "" or what is wrong.
std::string read_keys(const std::string& text, int* keys) {
    int read[key_actions];
    size_t at = 0;
    for (int k = 0; k < key_actions; k++) {
        const size_t start = text.find_first_not_of(' ', at);
        if (start == std::string::npos) return "needs six keys (up down left right toggle break)";
        at = text.find(' ', start);
        const std::string name = text.substr(start, at == std::string::npos ? std::string::npos : at - start);
        read[k] = key_code(name);
        if (read[k] == 0) return "'" + name + "' is not a key the game knows";
        for (int j = 0; j < k; j++)
            if (read[j] == read[k]) return "'" + name + "' is given twice";
    }
    if (at != std::string::npos && text.find_first_not_of(' ', at) != std::string::npos)
        return "holds more than six keys";
    std::memcpy(keys, read, sizeof read);
    return "";
}

// One "name = value" into *out: "" or what is wrong.
std::string read_setting(const std::string& name, const std::string& value, Settings* out) {
    static const char* const switches[2] = {"off", "on"};
    int v = 0;
    if (name == "music-volume" || name == "effects-volume") {
        if (!number_in(value, 0, 255, &v)) return name + " takes 0 to 255, not '" + value + "'";
        (name == "music-volume" ? out->music_volume : out->effects_volume) = v;
    } else if (name == "scale") {
        if (!number_in(value, 0, largest_window_scale, &v)) return "scale takes 0 to 4, not '" + value + "'";
        out->scale = v;
    } else if (name == "strength") {
        if (!word_in(value, strength_names, strengths, &v)) return "strength takes easy, normal or hard, not '" + value + "'";
        out->strength = v;
    } else if (name == "repeat-delay") {
        if (!number_in(value, 0, 50, &v)) return "repeat-delay takes 0 (no repeat) to 50, not '" + value + "'";
        out->repeat_delay = v;
    } else if (name == "repeat-rate") {
        if (!number_in(value, 1, 25, &v)) return "repeat-rate takes 1 to 25, not '" + value + "'";
        out->repeat_rate = v;
    } else if (name == "fullscreen") {
        if (!word_in(value, switches, 2, &v)) return "fullscreen takes off or on, not '" + value + "'";
        out->fullscreen = v == 1;
    } else {
        for (int k = 0; k < key_sets; k++) {
            if (name != std::string("keys-") + set_names[k]) continue;
            const std::string fault = read_keys(value, out->keys[k]);
            return fault.empty() ? "" : name + " " + fault;
        }
        return "'" + name + "' is no setting of the game";
    }
    return "";
}

bool loaded;               // load_settings ran: the game keeps its settings (the tools and tests do not)
std::string loaded_from;  // the file `settings` came from, or will go to
Settings on_disk;         // what the file holds (or the defaults when it held nothing)

}  // namespace

Settings::Settings() { std::memcpy(keys, default_keys, sizeof keys); }

bool operator==(const Settings& a, const Settings& b) {
    return a.music_volume == b.music_volume && a.effects_volume == b.effects_volume && a.scale == b.scale &&
           a.strength == b.strength && std::memcmp(a.keys, b.keys, sizeof a.keys) == 0 &&
           a.repeat_delay == b.repeat_delay && a.repeat_rate == b.repeat_rate && a.fullscreen == b.fullscreen;
}

const char* key_name(int code) {
    static char letter[2];
    if (code >= KEY_A && code <= KEY_Z) return letter[0] = static_cast<char>('A' + code - KEY_A), letter;
    if (code >= KEY_0 && code <= KEY_9) return letter[0] = static_cast<char>('0' + code - KEY_0), letter;
    for (const NamedKey& k : named_keys)
        if (k.code == code) return k.name;
    return "";
}

int key_code(const std::string& name) {
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return KEY_A + name[0] - 'A';
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return KEY_0 + name[0] - '0';
    for (const NamedKey& k : named_keys)
        if (name == k.name) return k.code;
    return 0;
}

std::string assign_key(Settings* s, int set, int action, int code) {
    if (code == KEY_ESC || code == KEY_P || code == KEY_F11 || key_name(code)[0] == '\0') return "THAT KEY IS THE GAME'S";
    if (set == keys_one_player && code == KEY_S) return "S FILLS THE METER";
    int* keys = s->keys[set];
    if (set != keys_one_player) {
        const int* other = s->keys[set == keys_left_player ? keys_right_player : keys_left_player];
        for (int a = 0; a < key_actions; a++)
            if (other[a] == code) return "THE OTHER PLAYER HAS IT";
    }
    for (int a = 0; a < key_actions; a++)
        if (keys[a] == code) keys[a] = keys[action];  // swapped: that action takes the old key
    keys[action] = code;
    return "";
}

void parse_settings(const std::string& text, Settings* out, std::vector<std::string>* faults) {
    *out = Settings();
    size_t start = 0;
    for (int line = 1; start < text.size(); line++) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string whole = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (whole.empty() || whole[0] == '#') continue;
        const size_t equals = whole.find('=');
        std::string fault = equals == std::string::npos
                                ? "'" + whole + "' is not 'name = value'"
                                : read_setting(trimmed(whole.substr(0, equals)), trimmed(whole.substr(equals + 1)), out);
        if (!fault.empty()) faults->push_back("line " + std::to_string(line) + ": " + fault);
    }
}

std::string format_settings(const Settings& s) {
    std::string text = "# cupclash settings. Delete this file to go back to the defaults.\n";
    char line[512];
    std::snprintf(line, sizeof line,
                  "# Music volume, 0 (silent) to 255.\nmusic-volume = %d\n"
                  "# Sound effects volume, 0 (silent) to 255.\neffects-volume = %d\n"
                  "# Window pixels per game pixel, 1 to 4; 0 takes the largest the desktop allows.\nscale = %d\n",
                  s.music_volume, s.effects_volume, s.scale);
    text += line;
    text += std::string("# The computer's strength: easy, normal or hard.\nstrength = ") + strength_names[s.strength] + "\n";
    for (int k = 0; k < key_sets; k++) {
        text += std::string("# Keys of the ") + set_names[k] + " set: up down left right toggle break.\nkeys-" +
                set_names[k] + " =";
        for (int a = 0; a < key_actions; a++) text += std::string(" ") + key_name(s.keys[k][a]);
        text += "\n";
    }
    std::snprintf(line, sizeof line,
                  "# Frames (1/25 s) a held direction waits before it repeats; 0: a press moves once.\n"
                  "repeat-delay = %d\n# Frames between repeats of a held direction, 1 to 25.\nrepeat-rate = %d\n",
                  s.repeat_delay, s.repeat_rate);
    text += line;
    return text + "# Fill the screen (F11 switches): off or on.\nfullscreen = " + (s.fullscreen ? "on" : "off") + "\n";
}

std::string settings_path(std::string* fault) { return user_path("XDG_CONFIG_HOME", ".config", "settings", fault); }

void load_settings() {
    std::string fault, text;
    loaded_from = settings_path(&fault);
    bool missing = false;
    if (!loaded_from.empty()) fault = read_user_file(loaded_from, &text, &missing);
    std::vector<std::string> faults;
    if (fault.empty()) parse_settings(text, &settings, &faults);
    else if (!missing) std::fprintf(stderr, "cupclash: settings %s %s; playing with the defaults\n",
                                    loaded_from.empty() ? "" : loaded_from.c_str(), fault.c_str());
    for (const std::string& f : faults)
        std::fprintf(stderr, "cupclash: %s %s; that setting takes its default\n", loaded_from.c_str(), f.c_str());
    on_disk = settings;
    loaded = true;
    music_volume = static_cast<uint8_t>(settings.music_volume);
    sfx_volume = static_cast<uint8_t>(settings.effects_volume);
}

void save_settings_if_changed() {
    settings.music_volume = music_volume;
    settings.effects_volume = sfx_volume;
    if (!loaded || settings == on_disk) return;
    const std::string fault = loaded_from.empty() ? "(no folder known for it)"
                                                  : write_atomically(loaded_from, format_settings(settings));
    static bool said;
    if (!fault.empty() && !said)
        std::fprintf(stderr, "cupclash: cannot save the settings: %s %s (the game plays on)\n", loaded_from.c_str(),
                     fault.c_str());
    said |= !fault.empty();
    if (fault.empty()) on_disk = settings;
}

void switch_fullscreen() {
    settings.fullscreen = !settings.fullscreen;
    open_window(window_scale_asked, settings.fullscreen);
    settings.fullscreen = filling_screen();
    save_settings_if_changed();
}

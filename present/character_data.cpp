#include "present/character_data.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "board/player.h"
#include "present/character_files.h"
#include "shell/assets.h"
#include "shell/files.h"
#include "shell/match.h"

namespace {

// The four files of each character, relative to the game folder.
struct CharacterFiles {
    const char* anim_list;
    const char* pattern;
    const char* sample_list;
    const char* cue_list;
};
const CharacterFiles character_files[2] = {
    {"ombrelix/animlist.txt", "pattern1.txt", "ombrelix/sfxfiles.txt", "ombrelix/sfxlist.txt"},
    {"quorvant/animlist.txt", "pattern2.txt", "quorvant/sfxfiles.txt", "quorvant/sfxlist.txt"},
};

constexpr int sample_priority = 200;

// Opens a text file in text mode and runs one reader on it.
template <typename Target>
std::string read_file(const char* file, std::string (*read)(FILE*, const char*, Target*), Target* target) {
    std::vector<uint8_t> bytes;
    const std::string unusable = read_game_file(file, &bytes);  // missing, unreadable, not a file
    if (!unusable.empty()) return std::string(file) + " " + unusable;
    FILE* in = std::fopen(file, "r");
    if (!in) return std::string(file) + " cannot be read: " + std::strerror(errno);
    std::string error = read(in, file, target);
    std::fclose(in);
    return error;
}

// The sheets the animation list names, each a stack of whole 192-row frames at most 256 wide.
std::string load_sheets(Player* p, const CharacterLists& lists, const char* file) {
    for (int k = 0; k < lists.anim_count; k++) {
        const ListedFile& listed = lists.sheets[k];
        const std::string damage = picture_file_fault(listed.name, 0, 0);
        if (!damage.empty()) return file_fault(file, listed.line, "the sheet \"%s\" %s", listed.name, damage.c_str());
        BITMAP* sheet = load_bitmap(listed.name, nullptr);
        p->anims[k] = Anim{sheet, lists.next[k]};
        if (!sheet) return file_fault(file, listed.line, "cannot load the sheet \"%s\" (out of memory)", listed.name);
        if (sheet->h == 0 || sheet->h % frame_height != 0 || sheet->w > screen_width)
            return file_fault(file, listed.line, "the sheet \"%s\" is %d x %d: it must be at most %d wide and %d x n high",
                              listed.name, sheet->w, sheet->h, screen_width, frame_height);
    }
    return "";
}

// The samples the sample list names.
std::string load_samples(Player* p, const CharacterLists& lists, const char* file) {
    for (int k = 0; k < lists.sample_count; k++) {
        const ListedFile& listed = lists.samples[k];
        const std::string damage = sound_file_fault(listed.name);
        if (!damage.empty()) return file_fault(file, listed.line, "the sample \"%s\" %s", listed.name, damage.c_str());
        p->sfx[k] = load_sample(listed.name);
        if (!p->sfx[k]) return file_fault(file, listed.line, "the sample \"%s\" is not a sound the game can play", listed.name);
        p->sfx[k]->priority = sample_priority;
    }
    return "";
}

// The cues, each at a frame its animation shows.
std::string take_cues(Player* p, const CharacterLists& lists, const char* file) {
    for (int k = 0; k < lists.cue_count; k++) {
        const Cue& cue = lists.cues[k];
        const int frames = p->anims[cue.anim].sheet->h / frame_height;
        if (cue.frame < 0 || cue.frame >= frames)
            return file_fault(file, lists.cue_lines[k], "frame %d is not a frame of animation %d (0 to %d)", cue.frame,
                              cue.anim, frames - 1);
        p->cues[k] = cue;
    }
    p->cue_count = lists.cue_count;
    return "";
}

// Steps 3 to 7 of the per-round reset: the record gives up its character data and takes the new
// character's, or stops the game with one line naming the file and line at fault.
void load_character(Player* p, int character) {
    p->loaded_character = character;
    release_character_data(p);
    const std::string error = load_character_data(p, character);
    if (!error.empty()) fail("%s", error.c_str());
}

}  // namespace

std::string load_character_data(Player* p, int character) {
    const CharacterFiles& files = character_files[character == 1 ? 1 : 0];
    CharacterLists lists;
    std::string error = read_file(files.anim_list, read_anim_list, &lists);
    if (error.empty()) error = read_file(files.pattern, read_pattern, p->pattern);
    if (error.empty()) error = read_file(files.sample_list, read_sample_list, &lists);
    // The files the lists name before the cue list, so that a list cut short is caught at its own
    // last name, not at a cue that counts on a later one.
    if (error.empty()) error = load_sheets(p, lists, files.anim_list);
    if (error.empty()) error = load_samples(p, lists, files.sample_list);
    if (error.empty()) error = read_file(files.cue_list, read_cue_list, &lists);
    if (error.empty()) error = take_cues(p, lists, files.cue_list);
    if (!error.empty()) release_character_data(p);
    return error;
}

void load_characters() {
    for (Player* p : players) load_character(p, p->index);
}

void prepare_round(Player* p, int character) {
    // 1. The values a round starts from.
    p->slide_x = 0;
    p->slide_y = 0;
    p->super_meter = 0;
    p->state = falling;  // the board settles empty and the first refill fills it
    clear_board(p);
    if (p->index != winner) p->score = 0;
    for (int32_t& slot : p->anim_queue) slot = anim_idle;
    if (p->index == 1) p->anim_queue[0] = anim_intro;
    p->anim_frame = 0;
    // 2. The record already holds this character's data.
    if (character == p->loaded_character) return;
    // 3.-7. The new character's animations, pattern, samples and cues.
    load_character(p, character);
}

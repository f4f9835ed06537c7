#include "present/character_data.h"

#include <malloc.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "state/player.h"
#include "present/character_files.h"
#include "platform/assets.h"
#include "platform/files.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "state/match.h"

const CharacterFiles character_files[2] = {
    {"ombrelix/animlist.txt", "pattern1.txt", "ombrelix/sfxfiles.txt", "ombrelix/sfxlist.txt"},
    {"quorvant/animlist.txt", "pattern2.txt", "quorvant/sfxfiles.txt", "quorvant/sfxlist.txt"},
};

namespace {

constexpr int sample_priority = 200;

// Reads a text file once and runs one reader on its bytes, as a stream for the formatted input.
template <typename Target>
std::string read_file(const char* file, std::string (*read)(FILE*, const char*, Target*), Target* target) {
    std::vector<uint8_t> bytes;
    const std::string unusable = read_game_file(file, &bytes);  // missing, unreadable, not a file
    if (!unusable.empty()) return std::string(file) + " " + unusable;
    bytes.push_back(0);  // a stream over an empty file needs a byte to point at; it is not read
    FILE* in = fmemopen(bytes.data(), bytes.size() - 1, "r");
    if (!in) return std::string(file) + " cannot be read: " + std::strerror(errno);
    std::string error = read(in, file, target);
    std::fclose(in);
    return error;
}

// A character's files read and checked, nothing loaded yet: its lists, its pattern and the number
// of frames of each sheet.
struct CheckedCharacter {
    CharacterLists lists;
    int32_t pattern[board_cells];
    int frames[max_anims];
};

// The sheets the animation list names, by their bytes: each a stack of whole 192-row frames at most
// 256 wide.
std::string check_sheets(CheckedCharacter* c, const char* file) {
    for (int k = 0; k < c->lists.anim_count; k++) {
        const ListedFile& listed = c->lists.sheets[k];
        std::vector<uint8_t> bytes;
        std::string damage = read_game_file(listed.name, &bytes);
        if (damage.empty()) damage = pcx_fault(bytes, 0, 0);
        if (!damage.empty())
            return file_fault(file, listed.line, "the sheet \"%s\" %s", shown(listed.name).c_str(), damage.c_str());
        int w, h;
        pcx_size(bytes, &w, &h);
        if (h % frame_height != 0 || w > screen_width)
            return file_fault(file, listed.line, "the sheet \"%s\" is %d x %d: it must be at most %d wide and %d x n high",
                              shown(listed.name).c_str(), w, h, screen_width, frame_height);
        c->frames[k] = h / frame_height;
    }
    return "";
}

// The samples the sample list names, by their bytes.
std::string check_samples(const CheckedCharacter& c, const char* file) {
    for (int k = 0; k < c.lists.sample_count; k++) {
        const ListedFile& listed = c.lists.samples[k];
        const std::string damage = sound_file_fault(listed.name);
        if (!damage.empty())
            return file_fault(file, listed.line, "the sample \"%s\" %s", shown(listed.name).c_str(), damage.c_str());
    }
    return "";
}

// Each cue at a frame its animation shows.
std::string check_cue_frames(const CheckedCharacter& c, const char* file) {
    for (int k = 0; k < c.lists.cue_count; k++) {
        const Cue& cue = c.lists.cues[k];
        const int frames = c.frames[cue.anim];
        if (cue.frame < 0 || cue.frame >= frames)
            return file_fault(file, c.lists.cue_lines[k], "frame %d is not a frame of animation %d (0 to %d)", cue.frame,
                              cue.anim, frames - 1);
    }
    return "";
}

// Reads and checks all of a character's files without loading a picture or a sound.
std::string check_character(int character, CheckedCharacter* c) {
    const CharacterFiles& files = character_files[character == 1 ? 1 : 0];
    std::string error = read_file(files.anim_list, read_anim_list, &c->lists);
    if (error.empty()) error = read_file(files.pattern, read_pattern, c->pattern);
    if (error.empty()) error = read_file(files.sample_list, read_sample_list, &c->lists);
    // The files the lists name before the cue list, so that a list cut short is caught at its own
    // last name, not at a cue that counts on a later one.
    if (error.empty()) error = check_sheets(c, files.anim_list);
    if (error.empty()) error = check_samples(*c, files.sample_list);
    if (error.empty()) error = read_file(files.cue_list, read_cue_list, &c->lists);
    if (error.empty()) error = check_cue_frames(*c, files.cue_list);
    return error;
}

// The checked character's sheets, samples, cues and pattern into the record.
std::string load_checked(Player* p, const CheckedCharacter& c, const CharacterFiles& files) {
    for (int k = 0; k < c.lists.anim_count; k++) {
        const ListedFile& listed = c.lists.sheets[k];
        std::vector<uint8_t> bytes;
        if (read_game_file(listed.name, &bytes).empty() && pcx_fault(bytes, 0, 0).empty())
            p->anims[k] = anim_from_picture(bytes, c.lists.next[k], p->index);
        if (p->anims[k].frame_count == 0)
            return file_fault(files.anim_list, listed.line, "cannot load the sheet \"%s\" (out of memory)",
                              shown(listed.name).c_str());
    }
    for (int k = 0; k < c.lists.sample_count; k++) {
        const ListedFile& listed = c.lists.samples[k];
        p->sfx[k] = read_wav(listed.name);
        if (!p->sfx[k])
            return file_fault(files.sample_list, listed.line, "the sample \"%s\" is not a sound the game can play",
                              shown(listed.name).c_str());
        p->sfx[k]->priority = sample_priority;
    }
    for (int k = 0; k < c.lists.cue_count; k++) p->cues[k] = c.lists.cues[k];
    p->cue_count = c.lists.cue_count;
    for (int i = 0; i < board_cells; i++) p->pattern[i] = c.pattern[i];
    return "";
}

// Frame f, when it repeats an earlier frame pixel for pixel (a pose held), becomes that frame's sprite.
void share_repeated_frame(Anim* anim, int f) {
    RLE_SPRITE* made = anim->frames[f];
    for (int k = 0; k < f; k++) {
        const RLE_SPRITE* earlier = anim->frames[k];
        if (earlier->w != made->w || earlier->h != made->h || earlier->size != made->size ||
            std::memcmp(earlier->dat, made->dat, made->size) != 0)
            continue;
        destroy_rle_sprite(made);
        anim->frames[f] = anim->frames[k];
        return;
    }
}

// An animation of w x h pixels of frames, before its frames are made.
Anim frames_for(int w, int h, int32_t next) {
    const int count = (h + frame_height - 1) / frame_height;
    return Anim{new RLE_SPRITE*[count](), count, w, next};
}

// The rows of frame f of a sheet h rows high: 192, or fewer for a short last frame.
int frame_rows(int h, int f) { return std::min(frame_height, h - f * frame_height); }

// Memory ran out at frame f: the frames made so far are released, and the animation is empty.
Anim dropped(Anim* anim, int f) {
    anim->frame_count = f;
    release_anim(anim);
    return *anim;
}

// A 16-bit frame as the run-length sprite draw_rle_sprite draws, read right to left when mirrored:
// per row, a positive count and that many pixels, or a negative count of transparent pixels, then
// the mask colour to end the row. (Allegro's get_rle_sprite reads pixel by pixel through getpixel,
// which took most of a character's load.)
RLE_SPRITE* runs_of(BITMAP* frame, bool mirrored) {
    const uint16_t mask = MASK_COLOR_16;
    std::vector<int16_t> runs;
    runs.reserve(frame->w * frame->h / 2);
    std::vector<uint16_t> row(frame->w);
    for (int y = 0; y < frame->h; y++) {
        const auto* line = reinterpret_cast<const uint16_t*>(frame->line[y]);
        for (int x = 0; x < frame->w; x++) row[x] = line[mirrored ? frame->w - 1 - x : x];
        for (int x = 0; x < frame->w;) {
            const bool solid = row[x] != mask;
            int end = x;
            while (end < frame->w && (row[end] != mask) == solid) end++;
            runs.push_back(static_cast<int16_t>(solid ? end - x : x - end));
            if (solid) runs.insert(runs.end(), row.begin() + x, row.begin() + end);
            x = end;
        }
        runs.push_back(static_cast<int16_t>(mask));
    }
    const int size = static_cast<int>(runs.size() * sizeof runs[0]);
    auto* sprite = static_cast<RLE_SPRITE*>(std::malloc(sizeof(RLE_SPRITE) + size));  // destroy_rle_sprite frees it
    if (!sprite) return nullptr;
    sprite->w = frame->w;
    sprite->h = frame->h;
    sprite->color_depth = 16;
    sprite->size = size;
    std::memcpy(sprite->dat, runs.data(), size);
    return sprite;
}

// Frame f of an animation from a bitmap of its rows: mirrored for the right side, then its figure's
// runs; a frame that repeats an earlier one shares its sprite. False when memory runs out.
bool make_frame(Anim* anim, int f, BITMAP* frame, int index) {
    anim->frames[f] = runs_of(frame, index == 1);
    if (!anim->frames[f]) return false;
    share_repeated_frame(anim, f);
    return true;
}

// A sheet read from its file a row at a time: each frame is made as soon as its rows are in.
struct SheetReading {
    Anim* anim;
    BITMAP* frame;  // the rows of the frame being read
    int index;      // the side
    int height;     // of the sheet
    int made;       // frames made so far
};

void take_row(int y, const uint16_t* pixels, void* to) {
    SheetReading* r = static_cast<SheetReading*>(to);
    const int f = y / frame_height, row = y % frame_height;
    std::memcpy(r->frame->line[row], pixels, r->frame->w * sizeof *pixels);
    if (r->made != f || row + 1 != frame_rows(r->height, f)) return;  // a frame before failed, or rows to come
    BITMAP* rows = create_sub_bitmap(r->frame, 0, 0, r->frame->w, row + 1);
    if (rows && make_frame(r->anim, f, rows, r->index)) r->made++;
    destroy_bitmap(rows);
}

// Steps 3 to 7 of the per-round reset: the record gives up its character data and takes the new
// character's, or stops the game with one line naming the file and line at fault.
void load_character(Player* p, int character) {
    p->loaded_character = character;
    release_character_data(p);
    const std::string error = load_character_data(p, character);
    if (!error.empty()) fail("%s", error.c_str());
    malloc_trim(0);  // the heap that the files and sheets passed through goes back to the system
}

}  // namespace

Anim anim_from_sheet(BITMAP* sheet, int32_t next, int index) {
    Anim anim = frames_for(sheet->w, sheet->h, next);
    for (int f = 0; f < anim.frame_count; f++) {
        BITMAP* frame = create_sub_bitmap(sheet, 0, f * frame_height, sheet->w, frame_rows(sheet->h, f));
        const bool made = frame && make_frame(&anim, f, frame, index);
        destroy_bitmap(frame);
        if (!made) return dropped(&anim, f);
    }
    return anim;
}

Anim anim_from_picture(const std::vector<uint8_t>& bytes, int32_t next, int index) {
    int w, h;
    pcx_size(bytes, &w, &h);
    Anim anim = frames_for(w, h, next);
    SheetReading reading{&anim, create_bitmap(w, frame_height), index, h, 0};
    PcxPlace from;
    if (reading.frame) picture_rows(bytes, &from, h, take_row, &reading);
    destroy_bitmap(reading.frame);
    return reading.made == anim.frame_count ? anim : dropped(&anim, reading.made);
}

std::string load_character_data(Player* p, int character) {
    CheckedCharacter c;
    std::string error = check_character(character, &c);
    if (error.empty()) error = load_checked(p, c, character_files[character == 1 ? 1 : 0]);
    if (!error.empty()) release_character_data(p);
    return error;
}

void check_characters() {
    for (int character : {0, 1}) {
        CheckedCharacter c;
        const std::string error = check_character(character, &c);
        if (!error.empty()) fail("%s", error.c_str());
    }
}

void prepare_round(Player* p, int character) {
    // 1. The values a round starts from.
    p->slide_x = 0;
    p->slide_y = 0;
    p->super_meter = 0;
    p->state = falling;  // the board settles empty and the first refill fills it
    clear_board(p);
    if (p->index != match.winner) p->score = 0;
    for (int32_t& slot : p->anim_queue) slot = anim_idle;
    if (p->index == 1) p->anim_queue[0] = anim_intro;
    p->anim_frame = 0;
    // 2. The record already holds this character's data.
    if (character == p->loaded_character) return;
    // 3.-7. The new character's animations, pattern, samples and cues.
    load_character(p, character);
}

#include "present/character_files.h"

#include <cctype>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/text.h"

namespace {

static_assert(max_name_length == 29, "the name format below reads 29 characters");
const char* const name_format = "%29s";

// A text file read entry by entry with the C library's formatted input, keeping count of its lines
// so that a message can say where a fault is.
struct TextReader {
    FILE* in;
    const char* file;
    int line;          // the line the reading has reached, from 1
    int entry_line;    // the line of the last entry begun
    std::string error;  // the first fault found, "" while there is none
};

// Starts reading a file, past a UTF-8 byte-order mark that some editors write at its start.
TextReader begin_reading(FILE* in, const char* file) {
    unsigned char mark[3];
    if (std::fread(mark, 1, 3, in) != 3 || std::memcmp(mark, "\xEF\xBB\xBF", 3) != 0) std::rewind(in);
    return TextReader{in, file, 1, 1, ""};
}

// "FILE:LINE: message".
std::string located(const char* file, int line, const char* format, va_list args) {
    char text[256];
    std::vsnprintf(text, sizeof text, format, args);
    return std::string(file) + ":" + std::to_string(line) + ": " + text;
}

// Records a fault at `line` of the file and gives its message.
std::string fault(TextReader* r, int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    r->error = located(r->file, line, format, args);
    va_end(args);
    return r->error;
}

// Skips white space, counting line breaks; true when the file ends there.
bool at_end(TextReader* r) {
    int c;
    while ((c = std::getc(r->in)) != EOF && std::isspace(c))
        if (c == '\n') r->line++;
    if (c == EOF) return true;
    std::ungetc(c, r->in);
    return false;
}

// True when another entry follows; its line becomes the entry line. The end of the file is tested
// before each entry, so white space after the last one adds nothing.
bool next_entry(TextReader* r) {
    if (at_end(r)) return false;
    r->entry_line = r->line;
    return true;
}

// The file name that begins an entry (next_entry found a word there): at most 29 characters.
bool read_name(TextReader* r, char (&name)[max_name_length + 1]) {
    if (std::fscanf(r->in, name_format, name) != 1) name[0] = '\0';
    const int after = std::getc(r->in);
    if (after == EOF || std::isspace(after)) {
        if (after != EOF) std::ungetc(after, r->in);
        return true;
    }
    fault(r, r->line, "the file name \"%s...\" is longer than %d characters", shown(name).c_str(), max_name_length);
    return false;
}

// The characters of one integer as "%i" takes them: a sign, then decimal, 0x hexadecimal or 0 octal
// digits. The byte after them is left to be read.
std::string number_text(FILE* in) {
    std::string text;
    int c = std::getc(in);
    if (c == '+' || c == '-') {
        text += static_cast<char>(c);
        c = std::getc(in);
    }
    int base = 10;
    if (c == '0') {
        text += static_cast<char>(c);
        c = std::getc(in);
        base = 8;
        if (c == 'x' || c == 'X') {
            text += static_cast<char>(c);
            c = std::getc(in);
            base = 16;
        }
    }
    while (c != EOF && (base == 16 ? std::isxdigit(c) : std::isdigit(c) && (base == 10 || c < '8'))) {
        text += static_cast<char>(c);
        c = std::getc(in);
    }
    if (c != EOF) std::ungetc(c, in);
    return text;
}

// One integer: decimal, 0x hexadecimal or 0 octal, within what an int32_t holds.
bool read_number(TextReader* r, int32_t* value, const char* what) {
    if (at_end(r)) {
        fault(r, r->entry_line, "the entry ends where %s should be", what);
        return false;
    }
    const std::string text = number_text(r->in);
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || end != text.c_str() + text.size()) {
        fault(r, r->line, "%s should be a number", what);
        return false;
    }
    if (errno == ERANGE || number < INT32_MIN || number > INT32_MAX) {
        const std::string quoted = text.size() > 24 ? text.substr(0, 24) + "..." : text;
        fault(r, r->line, "%s \"%s\" is out of range", what, quoted.c_str());
        return false;
    }
    *value = static_cast<int32_t>(number);
    return true;
}

}  // namespace

std::string file_fault(const char* file, int line, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string message = located(file, line, format, args);
    va_end(args);
    return message;
}

std::string read_anim_list(FILE* in, const char* file, CharacterLists* lists) {
    TextReader r = begin_reading(in, file);
    int& n = lists->anim_count;
    for (n = 0; next_entry(&r); n++) {
        if (n == max_anims) return fault(&r, r.entry_line, "more than %d animations", max_anims);
        lists->sheets[n].line = r.entry_line;
        if (!read_name(&r, lists->sheets[n].name) ||
            !read_number(&r, &lists->next[n], "the id of the animation that follows"))
            return r.error;
    }
    if (n < min_anims)
        return fault(&r, r.entry_line, "%d animations, the game needs at least %d (ids 0 to 9)", n, min_anims);
    for (int k = 0; k < n; k++)
        if (lists->next[k] < 0 || lists->next[k] >= n)
            return fault(&r, lists->sheets[k].line, "animation %d is followed by %d, which is no animation (0 to %d)",
                         k, lists->next[k], n - 1);
    return "";
}

std::string read_sample_list(FILE* in, const char* file, CharacterLists* lists) {
    TextReader r = begin_reading(in, file);
    int& n = lists->sample_count;
    for (n = 0; next_entry(&r); n++) {
        if (n == max_sfx) return fault(&r, r.entry_line, "more than %d samples", max_sfx);
        lists->samples[n].line = r.entry_line;
        if (!read_name(&r, lists->samples[n].name)) return r.error;
    }
    return "";
}

std::string read_cue_list(FILE* in, const char* file, CharacterLists* lists) {
    TextReader r = begin_reading(in, file);
    int& n = lists->cue_count;
    for (n = 0; next_entry(&r); n++) {
        if (n == max_cues) return fault(&r, r.entry_line, "more than %d cues", max_cues);
        Cue& cue = lists->cues[n];
        lists->cue_lines[n] = r.entry_line;
        if (!read_number(&r, &cue.anim, "the cue's animation id") ||
            !read_number(&r, &cue.frame, "the cue's frame number") ||
            !read_number(&r, &cue.sfx, "the cue's sample number"))
            return r.error;
        if (cue.anim < 0 || cue.anim >= lists->anim_count)
            return fault(&r, r.entry_line, "a cue for animation %d, which is no animation (0 to %d)", cue.anim,
                         lists->anim_count - 1);
        if (n > 0 && cue.anim < lists->cues[n - 1].anim)
            return fault(&r, r.entry_line, "a cue for animation %d after one for animation %d: cues go in "
                         "ascending order of animation", cue.anim, lists->cues[n - 1].anim);
        if (cue.sfx < 0 || cue.sfx >= lists->sample_count)
            return fault(&r, r.entry_line, "sample %d is not in the sample list (%d samples)", cue.sfx,
                         lists->sample_count);
    }
    return "";
}

std::string read_pattern(FILE* in, const char* file, int32_t pattern[board_cells]) {
    TextReader r = begin_reading(in, file);
    for (int k = 0; k < board_cells; k++) {
        if (!next_entry(&r))
            return fault(&r, r.entry_line, "%d cup types, a pattern needs %d (ten rows of six)", k, board_cells);
        int32_t cup;
        if (!read_number(&r, &cup, "a cup type")) return r.error;
        if (cup < cup_empty || cup > cup_types)
            return fault(&r, r.entry_line, "cup type %d is not one of 0 to %d", cup, cup_types);
        pattern[cell_at(k % board_cols, k / board_cols)] = cup;  // row by row from the top
    }
    return "";
}

#include "control/ai_script.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "platform/text.h"
#include "state/player.h"

namespace {

constexpr int record_numbers = 7;
constexpr int longest_shown = 16;  // characters of a wrong word quoted in a message
const std::string byte_order_mark = "\xEF\xBB\xBF";  // some editors start a UTF-8 file with it

// Where the reader stands in the script's text.
struct ScriptReader {
    const std::string& text;
    size_t at;
    int line;  // 1 at the top
};

void skip_space(ScriptReader* r) {
    for (; r->at < r->text.size() && std::isspace(static_cast<unsigned char>(r->text[r->at])); r->at++)
        if (r->text[r->at] == '\n') r->line++;
}

// The word at the reader, quoted for a message as shown() shows it.
std::string word_at(const ScriptReader& r) {
    std::string word;
    for (size_t k = r.at; k < r.text.size() && word.size() < longest_shown; k++) {
        if (std::isspace(static_cast<unsigned char>(r.text[k]))) break;
        word += r.text[k];
    }
    return "\"" + shown(word) + "\"";
}

std::string at_line(int line, const std::string& what) { return std::to_string(line) + ": " + what; }

// One number as "%i" reads it (decimal, 0 octal or 0x hexadecimal, with a sign), within lo..hi.
std::string read_number(ScriptReader* r, const char* name, int lo, int hi, int* value) {
    const char* start = r->text.c_str() + r->at;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(start, &end, 0);
    if (end == start) return at_line(r->line, std::string("the ") + name + " is " + word_at(*r) + ", not a number");
    r->at += end - start;
    if (errno == ERANGE || v < lo || v > hi)
        return at_line(r->line, std::string("the ") + name + " " + std::string(start, std::min<size_t>(end - start, longest_shown)) + " is not " +
                                    std::to_string(lo) + " to " + std::to_string(hi));
    *value = static_cast<int>(v);
    return "";
}

// One record: the move code, then three pairs, the comma right after each column offset.
std::string read_record(ScriptReader* r, AiRecord* record) {
    const std::string cut_short = at_line(r->line, "the last record is cut short: a record is " +
                                                       std::to_string(record_numbers) +
                                                       " numbers, \"CODE COL,ROW COL,ROW COL,ROW\"");
    auto ended = [r] { return r->at >= r->text.size(); };
    auto number = [&](const char* name, int lo, int hi, int* value) {
        skip_space(r);
        return ended() ? cut_short : read_number(r, name, lo, hi, value);
    };
    std::string fault = number("move code", move_column_down, move_row_right, &record->code);
    for (int k = 0; k < 3 && fault.empty(); k++) {
        fault = number("column offset", 1 - board_cols, board_cols - 1, &record->dc[k]);
        if (!fault.empty()) break;
        if (ended()) return cut_short;
        if (std::isspace(static_cast<unsigned char>(r->text[r->at])))
            return at_line(r->line, "a comma must follow the column offset with no space before it");
        if (r->text[r->at] != ',') return at_line(r->line, "a comma must follow the column offset, not " + word_at(*r));
        r->at++;
        fault = number("row offset", 1 - board_rows, board_rows - 1, &record->dr[k]);
    }
    return fault;
}

}  // namespace

std::string parse_ai_script(const std::string& text, std::vector<AiRecord>* records) {
    records->clear();
    ScriptReader r{text, text.compare(0, byte_order_mark.size(), byte_order_mark) == 0 ? byte_order_mark.size() : 0, 1};
    for (skip_space(&r); r.at < text.size(); skip_space(&r)) {
        AiRecord record;
        const std::string fault = read_record(&r, &record);
        if (!fault.empty()) return fault;
        records->push_back(record);
    }
    return "";
}

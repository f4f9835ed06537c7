// The best matches against the computer, ten per strength, kept in $XDG_DATA_HOME/cupclash/records
// (else ~/.local/share/cupclash/records): a text file of one line per record.
#pragma once

#include <string>
#include <vector>

#include "platform/settings.h"

constexpr int records_kept = 10;  // per strength

struct Record {
    int score = 0;          // the player's score at the end of the match
    int rounds_won = 0;     // 0..8
    int character = 0;      // the player's character, 0 or 1
    std::string date;       // YYYY-MM-DD
    int longest_chain = 0;  // most waves broken in one turn
};

struct RecordTable {
    std::vector<Record> best[strengths];  // each best first, at most records_kept
};

// Reads the file's text; "" or "line N: what is wrong" (the table then holds what came before).
std::string parse_records(const std::string& text, RecordTable* table);
std::string format_records(const RecordTable& table);

// Puts a record in its place: by score, then rounds won, then longest chain; an equal one already
// there stays ahead. Returns its place 0..9, or -1 when it is not among the ten best.
int add_record(RecordTable* table, int strength, const Record& record);

// Where the file lives; "" (and *fault) when no folder is known.
std::string records_path(std::string* fault);

// Reads the table from the file. A damaged file is set aside as records.damaged, said in one line,
// and the table starts fresh. A missing file is an empty table.
RecordTable load_records();

// Adds a record to the file under a lock, so that two games ending at once keep both: read, add,
// write (atomically). Returns its place or -1; a file that cannot be written is said once.
int keep_record(int strength, const Record& record);

// Today's date as the records write it.
std::string today();

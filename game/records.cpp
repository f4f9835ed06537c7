#include "game/records.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>
#include <sstream>

#include "platform/user_files.h"

namespace {

void say_once(const std::string& line) {
    static std::set<std::string> said;
    if (said.insert(line).second) std::fprintf(stderr, "cupclash: %s\n", line.c_str());
}

bool ahead(const Record& a, const Record& b) {
    if (a.score != b.score) return a.score > b.score;
    if (a.rounds_won != b.rounds_won) return a.rounds_won > b.rounds_won;
    return a.longest_chain > b.longest_chain;
}

// One line, "normal 41865 7 0 2026-12-09 3": "" or what is wrong.
std::string read_record(const std::string& line, int* strength, Record* r) {
    std::istringstream in(line);
    std::string name, extra;
    if (!(in >> name >> r->score >> r->rounds_won >> r->character >> r->date >> r->longest_chain) || (in >> extra))
        return "is not 'strength score rounds character date chain'";
    *strength = -1;
    for (int s = 0; s < strengths; s++)
        if (name == strength_names[s]) *strength = s;
    if (*strength < 0) return "'" + name + "' is no strength";
    if (r->score < 0 || r->rounds_won < 0 || r->rounds_won > 8 || r->character < 0 || r->character > 1 ||
        r->longest_chain < 0 || r->date.size() != 10)
        return "holds a value out of range";
    return "";
}

}  // namespace

std::string parse_records(const std::string& text, RecordTable* table) {
    std::istringstream in(text);
    std::string line;
    for (int n = 1; std::getline(in, line); n++) {
        if (line.empty() || line[0] == '#') continue;
        int strength = 0;
        Record r;
        const std::string fault = read_record(line, &strength, &r);
        if (!fault.empty()) return "line " + std::to_string(n) + " " + fault;
        add_record(table, strength, r);
    }
    return "";
}

std::string format_records(const RecordTable& table) {
    std::string text = "# cupclash records: the ten best matches against the computer at each strength.\n"
                       "# strength score rounds-won character date longest-chain\n";
    char line[96];
    for (int s = 0; s < strengths; s++)
        for (const Record& r : table.best[s]) {
            std::snprintf(line, sizeof line, "%s %d %d %d %s %d\n", strength_names[s], r.score, r.rounds_won,
                          r.character, r.date.c_str(), r.longest_chain);
            text += line;
        }
    return text;
}

int add_record(RecordTable* table, int strength, const Record& record) {
    std::vector<Record>& best = table->best[strength];
    size_t place = 0;
    while (place < best.size() && !ahead(record, best[place])) place++;
    if (place >= static_cast<size_t>(records_kept)) return -1;
    best.insert(best.begin() + static_cast<long>(place), record);
    if (best.size() > static_cast<size_t>(records_kept)) best.pop_back();
    return static_cast<int>(place);
}

std::string records_path(std::string* fault) { return user_path("XDG_DATA_HOME", ".local/share", "records", fault); }

RecordTable load_records() {
    RecordTable table;
    std::string fault, text;
    const std::string file = records_path(&fault);
    bool missing = false;
    if (file.empty() || !(fault = read_user_file(file, &text, &missing)).empty()) {
        if (!missing) say_once("records " + file + " " + fault);
        return table;
    }
    fault = parse_records(text, &table);
    if (fault.empty()) return table;
    const std::string aside = folder_of(file) + "/records.damaged";
    rename(file.c_str(), aside.c_str());
    say_once(file + ": " + fault + "; kept aside as " + aside + ", a fresh table starts");
    return RecordTable();
}

int keep_record(int strength, const Record& record) {
    std::string fault;
    const std::string file = records_path(&fault);
    if (file.empty()) {
        say_once("cannot keep records: " + fault + " (the game plays on)");
        return -1;
    }
    make_folders(folder_of(file));
    const int lock = open((folder_of(file) + "/records.lock").c_str(), O_RDWR | O_CREAT, 0644);
    if (lock >= 0) flock(lock, LOCK_EX);
    RecordTable table = load_records();
    const int place = add_record(&table, strength, record);
    if (place >= 0) fault = write_atomically(file, format_records(table));
    if (lock >= 0) close(lock);  // closing lets the lock go
    if (!fault.empty()) say_once("cannot keep records: " + file + " " + fault + " (the game plays on)");
    return fault.empty() ? place : -1;
}

std::string today() {
    char stamp[16];
    const std::time_t now = std::time(nullptr);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d", std::localtime(&now));
    return stamp;
}

#include "game/replay_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <vector>

#include "platform/files.h"
#include "platform/user_files.h"
#include "present/character_data.h"

bool keeping_replays = false;
std::string record_file;

namespace {

constexpr const char* replay_suffix = ".replay";
constexpr size_t most_file_bytes = 64u << 20;

// FNV-1a, 64 bits.
uint64_t hash_more(uint64_t h, const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t k = 0; k < size; k++) h = (h ^ bytes[k]) * 0x100000001b3ULL;
    return h;
}
constexpr uint64_t hash_start = 0xcbf29ce484222325ULL;

// A file of the game folder into the hash: its name and bytes, or its name alone when unreadable.
uint64_t hash_file(uint64_t h, const char* file) {
    std::vector<uint8_t> bytes;
    read_game_file(file, &bytes);
    h = hash_more(h, file, std::strlen(file) + 1);
    return hash_more(h, bytes.data(), bytes.size());
}

// The names and sizes of the files in a folder, in the order of their names: the sheets and the
// samples, cheaply (their sizes follow from their frames and lengths).
uint64_t hash_folder_sizes(uint64_t h, const std::string& folder) {
    std::set<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) names.insert(entry->d_name);
        closedir(dir);
    }
    for (const std::string& name : names) {
        struct stat about = {};
        if (stat((folder + "/" + name).c_str(), &about) != 0 || !S_ISREG(about.st_mode)) continue;
        const uint64_t size = static_cast<uint64_t>(about.st_size);
        h = hash_more(hash_more(h, name.c_str(), name.size() + 1), &size, sizeof size);
    }
    return h;
}

// The replays of the folder, by name: their names sort by date.
std::vector<std::string> replays_in(const std::string& folder) {
    std::vector<std::string> names;
    const size_t suffix = std::strlen(replay_suffix);
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > suffix && name.compare(name.size() - suffix, suffix, replay_suffix) == 0)
                names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A name for a new replay that sorts after every replay of the folder: the date and time, and a
// number after them when the second already has a replay.
std::string new_replay_name(const std::vector<std::string>& names) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", std::localtime(&now));
    std::string name = stamp + std::string(replay_suffix);
    char numbered[48];
    for (int k = 2; k < 1000 && !names.empty() && name <= names.back(); k++) {
        std::snprintf(numbered, sizeof numbered, "%s_%03d%s", stamp, k, replay_suffix);
        name = numbered;
    }
    return name;
}

// Removes the oldest replays of the folder beyond the last 20.
void drop_oldest(const std::string& folder) {
    const std::vector<std::string> names = replays_in(folder);
    for (size_t k = 0; k + kept_replays < names.size(); k++) unlink((folder + "/" + names[k]).c_str());
}

// Says a fault once per run and place.
void say_once(const std::string& line) {
    static std::set<std::string> said;
    if (said.insert(line).second) std::fprintf(stderr, "cupclash: %s\n", line.c_str());
}

// The file's bytes: "" or what is wrong, to follow its name.
std::string read_replay_bytes(const std::string& file, std::vector<uint8_t>* bytes) {
    const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return std::string("cannot be read: ") + std::strerror(errno);
    struct stat about = {};
    std::string fault;
    if (fstat(fd, &about) != 0 || !S_ISREG(about.st_mode)) fault = "cannot be read: it is not a file";
    else if (static_cast<uint64_t>(about.st_size) > most_file_bytes) fault = "is too large to be a replay";
    uint8_t chunk[1 << 16];
    ssize_t got = 0;
    while (fault.empty() && (got = read(fd, chunk, sizeof chunk)) > 0) bytes->insert(bytes->end(), chunk, chunk + got);
    if (fault.empty() && got < 0) fault = std::string("cannot be read: ") + std::strerror(errno);
    close(fd);
    return fault;
}

}  // namespace

DataSums game_data_sums(const char* script_file) {
    DataSums sums = {hash_file(hash_start, script_file), hash_start, hash_start};
    for (const CharacterFiles& files : character_files) {
        sums.patterns = hash_file(sums.patterns, files.pattern);
        for (const char* list : {files.anim_list, files.sample_list, files.cue_list})
            sums.characters = hash_file(sums.characters, list);
        sums.characters = hash_folder_sizes(sums.characters, folder_of(files.anim_list));
    }
    return sums;
}

std::string replays_folder(std::string* fault) {
    const std::string folder = user_path("XDG_DATA_HOME", ".local/share", "replays", fault);
    if (folder.empty()) *fault = "cannot keep replays: " + *fault;
    return folder;
}

std::string save_replay(const Replay& replay, const std::string& file) {
    const std::vector<uint8_t> bytes = write_replay(replay);
    const std::string fault = "cannot write the replay " + file + ": ";
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) return fault + std::strerror(errno);
    const bool whole = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    const int reason = errno;
    if (std::fclose(out) != 0 || !whole) return fault + std::strerror(whole ? errno : reason);
    return "";
}

void keep_replay(const Replay& replay) {
    if (!keeping_replays || replay.matches.empty()) return;
    std::string fault;
    const std::string folder = replays_folder(&fault);
    if (!folder.empty()) fault = make_folders(folder);
    if (!folder.empty() && !fault.empty()) fault = "cannot keep replays in " + folder + ": " + fault;
    if (fault.empty()) fault = save_replay(replay, folder + "/" + new_replay_name(replays_in(folder)));
    if (fault.empty()) drop_oldest(folder);
    else say_once(fault + " (the game plays on)");
    if (record_file.empty()) return;
    const std::string record_fault = save_replay(replay, record_file);
    if (!record_fault.empty()) say_once(record_fault);
}

std::string read_replay_file(const std::string& file, Replay* replay) {
    std::vector<uint8_t> bytes;
    std::string fault = read_replay_bytes(file, &bytes);
    if (fault.empty()) fault = read_replay(bytes, replay);
    return fault.empty() ? "" : "replay \"" + file + "\" " + fault;
}

std::string check_replay_data(const std::string& file, const char* script_file, const Replay& replay) {
    const std::string fault = replay_mismatch(replay, CUPCLASH_VERSION, game_data_sums(script_file));
    return fault.empty() ? "" : "replay \"" + file + "\" " + fault;
}

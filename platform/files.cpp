#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uint8_t pcx_maker = 10;      // first byte of every PCX file
constexpr uint8_t pcx_rle = 1;         // run-length encoding
constexpr uint8_t pcx_run_flag = 0xC0; // a byte with both top bits set starts a run...
constexpr uint8_t pcx_run_length = 0x3F;  // ...of this many copies of the next byte
constexpr uint8_t pcx_palette_mark = 12;  // before the 256-colour table that ends a one-plane picture
constexpr size_t pcx_palette_size = 1 + 768;
constexpr size_t wav_head_size = 65536;  // the parts before the sound data lie within these bytes

int le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }
uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
bool tag_at(const std::vector<uint8_t>& b, size_t at, const char* tag) {
    return at + 4 <= b.size() && std::memcmp(&b[at], tag, 4) == 0;
}

std::string folder_of(const std::string& path) { return path.substr(0, path.find_last_of('/')); }

// The working folder, where the game loads its files from.
std::string working_folder() {
    char path[4096];
    return getcwd(path, sizeof path) ? path : ".";
}

// The game's executable, or "" when it cannot be told.
std::string executable() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, n) : "";
}

// A file missing from the working folder: when the game was started from another folder and the
// file lies beside the executable, says how to run it from there.
std::string missing(const char* file) {
    const std::string here = working_folder(), exe = executable();
    std::string fault = "is missing from " + here;
    if (exe.empty() || folder_of(exe) == here) return fault;
    const std::string home = folder_of(exe);
    if (access((home + "/" + file).c_str(), F_OK) == 0)
        fault += ": run the game from its own folder (cd " + home + " && ./" + exe.substr(home.size() + 1) + ")";
    return fault;
}

}  // namespace

std::string read_game_file(const char* file, std::vector<uint8_t>* bytes, size_t most, uint64_t* size) {
    bytes->clear();
    // Without blocking: a named pipe in the file's place must not hang the game.
    const int fd = open(file, O_RDONLY | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT ? missing(file) : std::string("cannot be read: ") + std::strerror(errno);
    struct stat about;
    if (fstat(fd, &about) != 0 || !S_ISREG(about.st_mode)) {
        close(fd);
        return "cannot be read: it is not a file";
    }
    if (size) *size = about.st_size;
    bytes->resize(std::min<uint64_t>(about.st_size, most));
    size_t got = 0;
    ssize_t n = 1;
    while (got < bytes->size() && (n = read(fd, bytes->data() + got, bytes->size() - got)) > 0) got += n;
    const int read_error = n < 0 ? errno : 0;
    close(fd);
    bytes->resize(got);
    if (read_error) return std::string("cannot be read: ") + std::strerror(read_error);
    return "";
}

void pcx_size(const std::vector<uint8_t>& b, int* width, int* height) {
    *width = le16(b, 8) - le16(b, 4) + 1;
    *height = le16(b, 10) - le16(b, 6) + 1;
}

std::string pcx_fault(const std::vector<uint8_t>& b, int width, int height) {
    if (b.size() < pcx_header_size || b[0] != pcx_maker || b[2] != pcx_rle || b[3] != 8 || (b[65] != 1 && b[65] != 3))
        return "is damaged: it is not a PCX picture of 8 bits per colour";
    int w, h;
    pcx_size(b, &w, &h);
    const int planes = b[65], bytes_per_line = le16(b, 66);
    if (w <= 0 || h <= 0) return "is damaged: its size is " + std::to_string(w) + " x " + std::to_string(h);
    if ((width != 0 || height != 0) && (w != width || h != height))
        return "is damaged: it is " + std::to_string(w) + " x " + std::to_string(h) + ", the game needs " +
               std::to_string(width) + " x " + std::to_string(height);
    if (bytes_per_line < w) return "is damaged: its rows are narrower than the picture";
    // Each row is decoded on its own, as the loader does: a run that overshoots the row ends there.
    size_t at = pcx_header_size;
    for (int row = 0; row < h; row++) {
        for (int x = 0; x < bytes_per_line * planes;) {
            if (at >= b.size()) return "is damaged: it ends at row " + std::to_string(row) + " of " + std::to_string(h);
            const uint8_t c = b[at++];
            if ((c & pcx_run_flag) != pcx_run_flag) {
                x++;
            } else if (at++ < b.size()) {
                x += c & pcx_run_length;
            }
        }
    }
    if (planes == 1 && (b.size() - at < pcx_palette_size || b[b.size() - pcx_palette_size] != pcx_palette_mark))
        return "is damaged: its colour table is missing";
    return "";
}

const uint8_t* pcx_palette(const std::vector<uint8_t>& b) { return &b[b.size() - pcx_palette_size + 1]; }

void pcx_rows(const std::vector<uint8_t>& b, PcxPlace* place, int end, void (*row)(int, const uint8_t*, int, void*),
              void* to) {
    int w, h;
    pcx_size(b, &w, &h);
    const int bytes_per_line = le16(b, 66), planes = b[65];
    std::vector<uint8_t> values(planes * bytes_per_line);
    size_t at = place->at;
    int y = place->row;
    for (; y < std::min(end, h); y++) {
        // A run that overshoots the row ends there, as in the loader.
        for (int x = 0; x < planes * bytes_per_line && at < b.size();) {
            uint8_t c = b[at++];
            int count = 1;
            if ((c & pcx_run_flag) == pcx_run_flag) {
                count = c & pcx_run_length;
                c = at < b.size() ? b[at++] : 0;
            }
            const int kept = std::max(0, std::min(count, planes * bytes_per_line - x));
            std::fill_n(values.begin() + x, kept, c);
            x += count;
        }
        row(y, values.data(), bytes_per_line, to);
    }
    *place = {y, at};
}

std::string wav_fault(const std::vector<uint8_t>& b, uint64_t size) {
    if (!tag_at(b, 0, "RIFF") || !tag_at(b, 8, "WAVE")) return "is damaged: it is not a WAV sound";
    bool format = false;
    for (uint64_t at = 12; at + 8 <= size;) {
        if (at + 8 > b.size()) return "is damaged: its sound data starts beyond its first 64 KB";
        const uint32_t length = le32(b, at + 4);
        const bool data = tag_at(b, at, "data");
        if (length > size - at - 8)
            return data ? "is damaged: it ends before the end of its sound data" : "is damaged: it ends inside its header";
        if (tag_at(b, at, "fmt ")) format = true;
        if (data) return format ? "" : "is damaged: its sound data comes before its format";
        at += 8 + length + (length & 1);  // parts are padded to an even length
    }
    return "is damaged: it holds no sound data";
}

WavLayout wav_layout(const std::vector<uint8_t>& b, uint64_t size) {
    WavLayout layout{};
    for (uint64_t at = 12; at + 8 <= std::min<uint64_t>(size, b.size());) {
        const uint32_t length = le32(b, at + 4);
        if (tag_at(b, at, "fmt ") && at + 24 <= b.size()) {
            layout.channels = le16(b, at + 10);
            layout.rate = static_cast<int>(le32(b, at + 12));
            layout.bits = le16(b, at + 22);
        }
        if (tag_at(b, at, "data")) {
            layout.data_at = at + 8;
            layout.data_bytes = length;
            break;
        }
        at += 8 + length + (length & 1);
    }
    return layout;
}

std::string picture_file_fault(const char* file, int width, int height) {
    std::vector<uint8_t> bytes;
    const std::string fault = read_game_file(file, &bytes);
    return fault.empty() ? pcx_fault(bytes, width, height) : fault;
}

std::string sound_file_fault(const char* file) {
    std::vector<uint8_t> head;
    uint64_t size = 0;
    const std::string fault = read_game_file(file, &head, wav_head_size, &size);
    return fault.empty() ? wav_fault(head, size) : fault;
}

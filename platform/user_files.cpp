#include "platform/user_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

long write_cut_after = -1;

std::string user_path(const char* variable, const char* fallback, const char* name, std::string* fault) {
    const char* base = std::getenv(variable);
    if (base && base[0] == '/') return std::string(base) + "/cupclash/" + name;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/" + fallback + "/cupclash/" + name;
    *fault = std::string("neither ") + variable + " nor HOME names a folder";
    return "";
}

std::string folder_of(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string make_folders(const std::string& folder) {
    for (size_t at = folder.find('/', 1);; at = folder.find('/', at + 1)) {
        if (mkdir(folder.substr(0, at).c_str(), 0755) != 0 && errno != EEXIST) return std::strerror(errno);
        if (at == std::string::npos) break;
    }
    struct stat about = {};
    if (stat(folder.c_str(), &about) != 0) return std::strerror(errno);
    if (!S_ISDIR(about.st_mode)) return "it is not a folder";
    return "";
}

std::string read_user_file(const std::string& file, std::string* text, bool* missing) {
    *missing = false;
    text->clear();
    const int fd = open(file.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        *missing = errno == ENOENT;
        return std::string("cannot be read: ") + std::strerror(errno);
    }
    struct stat about = {};
    std::string fault;
    if (fstat(fd, &about) != 0 || !S_ISREG(about.st_mode)) fault = "cannot be read: it is not a file";
    else if (about.st_size > (1 << 20)) fault = "is too large (over 1 MB)";
    char chunk[4096];
    ssize_t got = 0;
    while (fault.empty() && (got = read(fd, chunk, sizeof chunk)) > 0) text->append(chunk, static_cast<size_t>(got));
    if (fault.empty() && got < 0) fault = std::string("cannot be read: ") + std::strerror(errno);
    close(fd);
    return fault;
}

std::string write_atomically(const std::string& file, const std::string& text) {
    std::string fault = make_folders(folder_of(file));
    if (!fault.empty()) return "cannot make its folder: " + fault;
    const std::string fresh = file + ".new-" + std::to_string(getpid());
    const int fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return std::string("cannot be written: ") + std::strerror(errno);
    size_t size = text.size();
    if (write_cut_after >= 0 && static_cast<size_t>(write_cut_after) < size) size = static_cast<size_t>(write_cut_after);
    const bool whole = write(fd, text.data(), size) == static_cast<ssize_t>(size) && size == text.size();
    const int reason = errno;
    const bool synced = whole && fsync(fd) == 0;
    close(fd);
    if (!whole || !synced) {
        unlink(fresh.c_str());
        return std::string("cannot be written: ") + (whole ? std::strerror(errno) : reason ? std::strerror(reason) : "cut short");
    }
    if (rename(fresh.c_str(), file.c_str()) != 0) {
        fault = std::string("cannot be written: ") + std::strerror(errno);
        unlink(fresh.c_str());
    }
    return fault;
}

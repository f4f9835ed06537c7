// cupclash-relay: stands between a joining cupclash and the host and spoils the link between them,
// for tests of online play on one machine.
//
//   cupclash-relay LISTEN_PORT HOST:PORT [--delay MS] [--jitter MS] [--loss PERCENT]
//                  [--duplicate PERCENT] [--reorder PERCENT] [--seed N] [--for SECONDS]
//
// The joiner connects to 127.0.0.1:LISTEN_PORT; the first address that sends there is the joiner,
// and every datagram goes on to HOST:PORT, the host's answers back to it. Each datagram, either
// way, is lost with --loss percent, sent twice with --duplicate percent, held --delay ms plus up to
// --jitter ms more, and with --reorder percent held a further 2 x delay + 20 ms so that later ones
// overtake it. The relay stops by itself after --for seconds (600). Counts go to standard output at
// the end. Plain POSIX sockets: the one place with socket code of the game's own.
#include <arpa/inet.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <queue>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    int listen_port = 0;
    std::string host;
    std::string port;
    int delay = 0, jitter = 0, loss = 0, duplicate = 0, reorder = 0;
    unsigned seed = 1;
    int seconds = 600;
};

struct Held {
    Clock::time_point due;
    bool to_host;
    std::vector<uint8_t> bytes;
    bool operator<(const Held& other) const { return due > other.due; }  // the earliest on top
};

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: cupclash-relay LISTEN_PORT HOST:PORT [--delay MS] [--jitter MS] [--loss PERCENT]"
                         " [--duplicate PERCENT] [--reorder PERCENT] [--seed N] [--for SECONDS]\n");
    std::exit(2);
}

int number(const char* text, int low, int high) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < low || v > high) usage();
    return static_cast<int>(v);
}

Options parse(int argc, char** argv) {
    if (argc < 3) usage();
    Options o;
    o.listen_port = number(argv[1], 1, 65535);
    const std::string target = argv[2];
    const size_t colon = target.rfind(':');
    if (colon == std::string::npos) usage();
    o.host = target.substr(0, colon);
    o.port = target.substr(colon + 1);
    for (int k = 3; k + 1 < argc; k += 2) {
        const std::string name = argv[k];
        int* field = name == "--delay" ? &o.delay : name == "--jitter" ? &o.jitter : name == "--loss" ? &o.loss
                   : name == "--duplicate" ? &o.duplicate : name == "--reorder" ? &o.reorder
                   : name == "--for" ? &o.seconds : nullptr;
        if (name == "--seed") o.seed = static_cast<unsigned>(number(argv[k + 1], 0, 1 << 30));
        else if (!field) usage();
        else *field = number(argv[k + 1], 0, name == "--delay" || name == "--jitter" ? 10000 : name == "--for" ? 86400 : 100);
    }
    if ((argc - 3) % 2 != 0) usage();
    return o;
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "cupclash-relay: %s\n", what.c_str());
    std::exit(1);
}

// The relay's two sockets, what it holds and what it counted.
struct Relay {
    Options o;
    int joiner_side = -1;  // bound to LISTEN_PORT on the loopback
    int host_side = -1;    // connected to HOST:PORT
    sockaddr_in joiner{};
    bool joiner_known = false;
    std::mt19937 random;
    std::priority_queue<Held> held;
    long passed = 0, lost = 0, doubled = 0, reordered = 0;
    bool chance(int percent) { return static_cast<int>(random() % 100) < percent; }
};

void open_sockets(Relay* r) {
    r->joiner_side = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in here{};
    here.sin_family = AF_INET;
    here.sin_port = htons(static_cast<uint16_t>(r->o.listen_port));
    here.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (r->joiner_side < 0 || bind(r->joiner_side, reinterpret_cast<sockaddr*>(&here), sizeof here) != 0)
        fail("cannot listen on port " + std::to_string(r->o.listen_port));
    addrinfo hints{}, *found = nullptr;
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    if (getaddrinfo(r->o.host.c_str(), r->o.port.c_str(), &hints, &found) != 0) fail("cannot find " + r->o.host);
    r->host_side = socket(AF_INET, SOCK_DGRAM, 0);
    if (r->host_side < 0 || connect(r->host_side, found->ai_addr, found->ai_addrlen) != 0) fail("cannot reach " + r->o.host);
    freeaddrinfo(found);
}

// A datagram that came on one side: lost, or held once or twice for the other side. On the
// joiner's side only the first sender counts.
void take_datagram(Relay* r, int fd, bool from_joiner, std::vector<uint8_t>* buffer) {
    sockaddr_in from{};
    socklen_t from_size = sizeof from;
    const ssize_t size = recvfrom(fd, buffer->data(), buffer->size(), 0, reinterpret_cast<sockaddr*>(&from), &from_size);
    if (size < 0) return;
    if (from_joiner && !r->joiner_known) r->joiner = from, r->joiner_known = true;
    if (from_joiner && (from.sin_port != r->joiner.sin_port || from.sin_addr.s_addr != r->joiner.sin_addr.s_addr)) return;
    if (r->chance(r->o.loss)) {
        r->lost++;
        return;
    }
    const int copies = r->chance(r->o.duplicate) ? 2 : 1;
    r->doubled += copies - 1;
    for (int c = 0; c < copies; c++) {
        int ms = r->o.delay + (r->o.jitter > 0 ? static_cast<int>(r->random() % (r->o.jitter + 1)) : 0);
        if (r->chance(r->o.reorder)) ms += 2 * r->o.delay + 20, r->reordered++;
        r->held.push({Clock::now() + std::chrono::milliseconds(ms), from_joiner, {buffer->begin(), buffer->begin() + size}});
    }
}

// The held datagrams that are due go on.
void send_due(Relay* r) {
    while (!r->held.empty() && r->held.top().due <= Clock::now()) {
        const Held& h = r->held.top();
        if (h.to_host) send(r->host_side, h.bytes.data(), h.bytes.size(), 0);
        else sendto(r->joiner_side, h.bytes.data(), h.bytes.size(), 0, reinterpret_cast<const sockaddr*>(&r->joiner), sizeof r->joiner);
        r->passed++;
        r->held.pop();
    }
}

}  // namespace

int main(int argc, char** argv) {
    Relay r;
    r.o = parse(argc, argv);
    r.random.seed(r.o.seed);
    open_sockets(&r);  // 1. both sides
    std::vector<uint8_t> buffer(65536);
    for (const auto stop = Clock::now() + std::chrono::seconds(r.o.seconds); Clock::now() < stop;) {
        int wait = 50;  // 2. a datagram, or the next held one due, or a look at the clock
        if (!r.held.empty())
            wait = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(r.held.top().due - Clock::now()).count());
        pollfd fds[2] = {{r.joiner_side, POLLIN, 0}, {r.host_side, POLLIN, 0}};
        poll(fds, 2, wait < 0 ? 0 : wait > 50 ? 50 : wait);
        for (int k = 0; k < 2; k++)  // 3. what came, spoiled
            if (fds[k].revents & POLLIN) take_datagram(&r, fds[k].fd, k == 0, &buffer);
        send_due(&r);  // 4. what is due, sent
    }
    std::printf("relay: %ld passed, %ld lost, %ld duplicated, %ld reordered\n", r.passed, r.lost, r.doubled, r.reordered);
    return 0;
}

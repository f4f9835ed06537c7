// libFuzzer target: the replay reader on any bytes, as a whole file and as an unpacked body (so that
// the fuzzer reaches the body's reader without having to make zlib streams). A rejected file is an
// ordinary outcome; a crash, a read or write out of bounds or undefined behaviour stops the run, and
// so does a replay the reader accepts that does not come back the same from its own bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "state/replay_file.h"

namespace {

// A replay read well is written and read again to the same bytes.
void check_round_trip(const Replay& replay) {
    const std::vector<uint8_t> bytes = write_replay(replay);
    Replay again;
    if (!read_replay(bytes, &again).empty() || write_replay(again) != bytes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    Replay replay;
    if (read_replay(bytes, &replay).empty()) check_round_trip(replay);
    if (read_replay_body(bytes, &replay).empty()) check_round_trip(replay);
    return 0;
}

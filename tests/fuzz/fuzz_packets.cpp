// libFuzzer target: the packet reader on any bytes, as they come from the other machine. A refused
// packet is an ordinary outcome; a crash, a read out of bounds, undefined behaviour, a command with a
// bit past the six, or an accepted packet that does not come back the same from its own bytes stops
// the run.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "state/packets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Packet packet;
    if (!read_packet(data, size, &packet)) return 0;
    for (uint8_t command : packet.commands)
        if (command & ~command_bits) std::abort();
    const std::vector<uint8_t> bytes = write_packet(packet);
    if (bytes != std::vector<uint8_t>(data, data + size)) std::abort();
    return 0;
}

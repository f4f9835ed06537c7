// The packets two machines playing one match send each other, as bytes and back. Pure: no network,
// no game state; every packet from the other machine goes through read_packet, which trusts
// nothing (length, kind, counts, version text), before anything of it is used. DEVELOPERS.md
// describes the protocol.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/replay_file.h"

constexpr uint16_t protocol_version = 4;
constexpr int most_commands_per_packet = 32;  // the frames an input packet carries at most
constexpr uint8_t command_bits = 63;          // the six command bits a packet can carry
constexpr int most_version_length = 32;
constexpr int most_reason_length = 96;  // a refusal's reason: one line on the screen

enum PacketKind : uint8_t {
    packet_hello = 1,     // joiner to host: who is asking
    packet_welcome = 2,   // host to joiner: the match's seed and the host's character
    packet_refusal = 3,   // either way: why the match cannot be played (or go on), then the connection closes
    packet_inputs = 4,    // a run of one side's commands
    packet_checksum = 5,  // the state checksum before an agreed frame
    packet_bye = 6,       // the sender leaves the match
    packet_beat = 7,      // nothing to say yet, but still here (before the sender's first command)
    packet_rematch = 8,   // after a match one side won: the sender wants another (the host's: its seed)
};

struct Packet {
    PacketKind kind = packet_bye;
    // hello and welcome
    uint16_t protocol = 0;
    std::string version;  // hello: the game's version
    DataSums data = {};   // hello: the data files' checksums
    uint32_t seed = 0;    // welcome, and the host's rematch
    int8_t character = 0; // hello and welcome: the sender's character
    // refusal
    std::string reason;
    // inputs: commands of frames first .. first + commands.size() - 1; ack: the sender has the
    // receiver's commands of every frame below it
    uint32_t first = 0;
    uint32_t ack = 0;
    std::vector<uint8_t> commands;
    // checksum: of the state before frame `first`
    uint64_t checksum = 0;
    // inputs and beat: how many of them the sender sent before this one, wrapping round
    uint16_t sequence = 0;
};

// The bytes of a packet. Commands are masked to the six command bits.
std::vector<uint8_t> write_packet(const Packet& packet);

// Reads the bytes of a packet: true and *packet filled, or false for anything malformed (wrong
// length, unknown kind, a count out of range, a version or reason that is not short printable text).
bool read_packet(const uint8_t* bytes, size_t size, Packet* packet);

// The other side's inputs and beats by their sequence numbers: one that has not come when 64 later
// ones have is lost (one that comes late, within them, is not; one that comes twice counts once).
struct Arrivals {
    bool started = false;
    uint16_t highest = 0;  // the highest sequence number seen
    uint64_t seen = 0;     // bit k: highest - k has come
    uint64_t lost = 0;
};
void count_arrival(Arrivals* a, uint16_t sequence);

// Whether an input run fits the receiver, who knows the sender's commands below `known` and has
// stepped to `next`: it must join or overlap what is known (no gap) and bring nothing further than
// `window` frames past `next`.
bool inputs_in_window(const Packet& packet, uint32_t known, uint32_t next, uint32_t window);

#include "state/packets.h"

namespace {

constexpr size_t inputs_head = 1 + 2 + 4 + 4 + 1;  // kind, sequence, first, ack, count

void put16(std::vector<uint8_t>* out, uint16_t v) {
    for (int k = 0; k < 2; k++) out->push_back(static_cast<uint8_t>(v >> (8 * k)));
}
void put32(std::vector<uint8_t>* out, uint32_t v) {
    for (int k = 0; k < 4; k++) out->push_back(static_cast<uint8_t>(v >> (8 * k)));
}
void put64(std::vector<uint8_t>* out, uint64_t v) {
    for (int k = 0; k < 8; k++) out->push_back(static_cast<uint8_t>(v >> (8 * k)));
}
void put_text(std::vector<uint8_t>* out, const std::string& text, size_t most) {
    const size_t length = text.size() < most ? text.size() : most;
    out->push_back(static_cast<uint8_t>(length));
    out->insert(out->end(), text.begin(), text.begin() + static_cast<long>(length));
}

// Reads little-endian fields from the front of a byte range; any read past its end fails the rest.
struct Reader {
    const uint8_t* at;
    size_t left;
    bool ok = true;
    uint64_t take(int bytes) {
        if (left < static_cast<size_t>(bytes)) ok = false;
        if (!ok) return 0;
        uint64_t v = 0;
        for (int k = 0; k < bytes; k++) v |= static_cast<uint64_t>(at[k]) << (8 * k);
        at += bytes;
        left -= static_cast<size_t>(bytes);
        return v;
    }
    std::string text(size_t most) {
        const size_t length = take(1);
        if (length > most || length > left) ok = false;
        if (!ok) return "";
        std::string s(reinterpret_cast<const char*>(at), length);
        at += length;
        left -= length;
        for (char c : s)
            if (c < ' ' || c > '~') ok = false;
        return s;
    }
};

// Six bits a command, packed from the lowest bit of the first byte up.
void pack_commands(std::vector<uint8_t>* out, const std::vector<uint8_t>& commands) {
    const size_t start = out->size();
    out->resize(start + (commands.size() * 6 + 7) / 8, 0);
    for (size_t k = 0; k < commands.size(); k++)
        for (int b = 0; b < 6; b++)
            if (commands[k] & command_bits & (1 << b)) (*out)[start + (k * 6 + b) / 8] |= 1 << ((k * 6 + b) % 8);
}

bool unpack_commands(Reader* r, size_t count, std::vector<uint8_t>* commands) {
    const size_t bytes = (count * 6 + 7) / 8;
    if (r->left != bytes) return false;
    commands->assign(count, 0);
    for (size_t k = 0; k < count; k++)
        for (int b = 0; b < 6; b++)
            if (r->at[(k * 6 + b) / 8] & (1 << ((k * 6 + b) % 8))) (*commands)[k] |= 1 << b;
    const size_t used = count * 6 % 8;  // the bits past the last command are zero
    return used == 0 || (r->at[bytes - 1] >> used) == 0;
}

bool read_inputs(Reader* r, Packet* p) {
    p->sequence = static_cast<uint16_t>(r->take(2));
    p->first = static_cast<uint32_t>(r->take(4));
    p->ack = static_cast<uint32_t>(r->take(4));
    const size_t count = r->take(1);
    if (!r->ok || count < 1 || count > most_commands_per_packet) return false;
    return unpack_commands(r, count, &p->commands);
}

}  // namespace

std::vector<uint8_t> write_packet(const Packet& p) {
    std::vector<uint8_t> out{p.kind};
    switch (p.kind) {
    case packet_hello:
    case packet_welcome:
        put16(&out, p.protocol);
        put_text(&out, p.version, most_version_length);
        put64(&out, p.data.script);
        put64(&out, p.data.patterns);
        put64(&out, p.data.characters);
        put32(&out, p.seed);
        out.push_back(static_cast<uint8_t>(p.character));
        break;
    case packet_refusal:
        put_text(&out, p.reason, most_reason_length);
        break;
    case packet_inputs:
        put16(&out, p.sequence);
        put32(&out, p.first);
        put32(&out, p.ack);
        out.push_back(static_cast<uint8_t>(p.commands.size()));
        pack_commands(&out, p.commands);
        break;
    case packet_checksum:
        put32(&out, p.first);
        put64(&out, p.checksum);
        break;
    case packet_rematch:
        put32(&out, p.seed);
        break;
    case packet_beat:
        put16(&out, p.sequence);
        break;
    case packet_bye:
        break;
    }
    return out;
}

bool read_packet(const uint8_t* bytes, size_t size, Packet* p) {
    *p = Packet{};
    Reader r{bytes, size};
    p->kind = static_cast<PacketKind>(r.take(1));
    switch (p->kind) {
    case packet_hello:
    case packet_welcome:
        p->protocol = static_cast<uint16_t>(r.take(2));
        p->version = r.text(most_version_length);
        p->data.script = r.take(8);
        p->data.patterns = r.take(8);
        p->data.characters = r.take(8);
        p->seed = static_cast<uint32_t>(r.take(4));
        p->character = static_cast<int8_t>(r.take(1));
        if (p->character != 0 && p->character != 1) return false;
        break;
    case packet_refusal:
        p->reason = r.text(most_reason_length);
        break;
    case packet_inputs:
        return size >= inputs_head && read_inputs(&r, p);
    case packet_checksum:
        p->first = static_cast<uint32_t>(r.take(4));
        p->checksum = r.take(8);
        break;
    case packet_rematch:
        p->seed = static_cast<uint32_t>(r.take(4));
        break;
    case packet_beat:
        p->sequence = static_cast<uint16_t>(r.take(2));
        break;
    case packet_bye:
        break;
    default:
        return false;
    }
    return r.ok && r.left == 0;
}

bool inputs_in_window(const Packet& p, uint32_t known, uint32_t next, uint32_t window) {
    const uint64_t end = static_cast<uint64_t>(p.first) + p.commands.size();
    return p.first <= known && end <= static_cast<uint64_t>(next) + window;
}

void count_arrival(Arrivals* a, uint16_t sequence) {
    const int ahead = static_cast<int16_t>(static_cast<uint16_t>(sequence - a->highest));
    if (!a->started || ahead > 0) {  // a new highest: the numbers passed over go into the window
        const int shift = a->started ? ahead : 0;
        for (int k = 0; k < shift; k++) {
            if (!(a->seen >> 63 & 1)) a->lost++;  // 64 later ones came before it: lost
            a->seen <<= 1;
        }
        a->seen |= 1;
        a->highest = sequence;
        if (!a->started) a->seen = ~uint64_t{0};  // nothing before the first is missed
        a->started = true;
    } else if (-ahead < 64) {
        a->seen |= uint64_t{1} << -ahead;  // late, or again
    }
}

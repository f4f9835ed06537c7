#include "state/replay_file.h"

#include <zlib.h>

#include <cstring>

#include "platform/text.h"

namespace {

constexpr char head_text[] = "cupclash replay\n";  // the file's first 16 bytes
constexpr size_t head_text_size = sizeof head_text - 1;
constexpr size_t head_size = head_text_size + 4;  // then the format, 32 bits
constexpr size_t most_body_bytes = 64u << 20;
constexpr size_t pictures_words = 2 * board_height * board_width;  // board, then strip
constexpr uint8_t command_bits = 0x7f;

// ---- writing ---------------------------------------------------------------------------------

void put_bytes(std::vector<uint8_t>* out, const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

void put_number(std::vector<uint8_t>* out, uint64_t value, int bytes) {
    for (int k = 0; k < bytes; k++) out->push_back(static_cast<uint8_t>(value >> (8 * k)));
}

// Seven bits a byte, low bits first; the top bit says another byte follows.
void put_count(std::vector<uint8_t>* out, uint32_t value) {
    while (value >= 0x80) {
        out->push_back(static_cast<uint8_t>(value | 0x80));
        value >>= 7;
    }
    out->push_back(static_cast<uint8_t>(value));
}

// A board's commands as runs: the command, then how many more frames repeat it.
void put_commands(std::vector<uint8_t>* out, const std::vector<uint8_t>& commands) {
    for (size_t k = 0; k < commands.size();) {
        size_t end = k + 1;
        while (end < commands.size() && commands[end] == commands[k]) end++;
        out->push_back(commands[k]);
        put_count(out, static_cast<uint32_t>(end - k - 1));
        k = end;
    }
}

void put_match(std::vector<uint8_t>* out, const RecordedMatch& m) {
    put_number(out, static_cast<uint32_t>(m.mode), 4);
    put_number(out, static_cast<uint8_t>(m.characters[0]), 1);
    put_number(out, static_cast<uint8_t>(m.characters[1]), 1);
    put_bytes(out, &m.shared, sizeof m.shared);
    for (int k = 0; k < 2; k++) {
        put_bytes(out, &m.side[k], sizeof m.side[k]);
        out->push_back(m.pictures[k].empty() ? 0 : 1);
        if (!m.pictures[k].empty()) put_bytes(out, m.pictures[k].data(), m.pictures[k].size() * sizeof(uint16_t));
    }
    put_number(out, m.commands[0].size(), 4);
    put_commands(out, m.commands[0]);
    put_commands(out, m.commands[1]);
    for (uint64_t sum : m.checksums) put_number(out, sum, 8);
    put_number(out, m.last_checksum, 8);
}

std::vector<uint8_t> body_of(const Replay& replay) {
    std::vector<uint8_t> out;
    put_number(&out, replay.version.size(), 1);
    put_bytes(&out, replay.version.data(), replay.version.size());
    put_number(&out, replay.data.script, 8);
    put_number(&out, replay.data.patterns, 8);
    put_number(&out, replay.data.characters, 8);
    put_number(&out, replay.seed, 4);
    put_number(&out, sizeof(Match), 4);
    put_number(&out, sizeof(PlayerState), 4);
    put_number(&out, replay.matches.size(), 4);
    for (const RecordedMatch& m : replay.matches) put_match(&out, m);
    return out;
}

// ---- reading ---------------------------------------------------------------------------------

// The body, read front to back; a read past its end leaves `short_read` set and gives zeros.
struct BodyReader {
    const std::vector<uint8_t>& body;
    size_t at = 0;
    bool short_read = false;

    bool get_bytes(void* to, size_t size) {
        if (size == 0) return true;
        if (body.size() - at < size) {
            short_read = true;
            at = body.size();
            std::memset(to, 0, size);
            return false;
        }
        std::memcpy(to, body.data() + at, size);
        at += size;
        return true;
    }
    uint64_t get_number(int bytes) {
        uint8_t b[8] = {};
        get_bytes(b, bytes);
        uint64_t value = 0;
        for (int k = bytes - 1; k >= 0; k--) value = value << 8 | b[k];
        return value;
    }
    uint32_t get_count() {
        uint64_t value = 0;
        for (int shift = 0; shift < 35 && !short_read; shift += 7) {
            const uint64_t b = get_number(1);
            value |= (b & 0x7f) << shift;
            if (b < 0x80) return value > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
        }
        return UINT32_MAX;
    }
};

std::string damaged(size_t match, const std::string& what) {
    return "is damaged: match " + std::to_string(match + 1) + " " + what;
}

// A value of the start that the game would use as an index or a count, and its range.
struct Bounded {
    const char* name;
    int64_t value, lowest, highest;
};

std::string out_of_range(size_t match, const Bounded* values, size_t count) {
    for (size_t k = 0; k < count; k++) {
        const Bounded& b = values[k];
        if (b.value < b.lowest || b.value > b.highest)
            return damaged(match, std::string("starts with ") + b.name + " " + std::to_string(b.value) + " (" +
                                      std::to_string(b.lowest) + " to " + std::to_string(b.highest) + ")");
    }
    return "";
}

std::string shared_fault(size_t match, const Match& s) {
    const Bounded values[] = {
        {"the random front", s.random.front, 0, random_degree - 1},
        {"the random rear", s.random.rear, 0, random_degree - 1},
        {"the game mode", s.game_mode, 0, 15},
        {"the balance", s.balance, -(balance_limit - 1), balance_limit - 1},
        {"the winner", s.winner == no_winner ? 0 : s.winner, 0, 1},
        {"the tutorial step", s.tutorial_step, tutorial_walk, tutorial_rest},
        {"the draw order", s.draw_order, 0, 1},
        {"the round", s.round_number, 1, last_round},
        {"the half tick", s.half_tick, 0, 1},
        {"the decoration tick", s.anim_tick, 0, 8},
    };
    return out_of_range(match, values, sizeof values / sizeof values[0]);
}

std::string side_fault(size_t match, int k, const PlayerState& p) {
    const Bounded values[] = {
        {"a side index", p.index, k, k},
        {"a character", p.character, 0, 1},
        {"a cursor row", p.cursor_row, 0, board_rows - 1},
        {"a cursor column", p.cursor_col, 0, board_cols - 1},
        {"an axis", p.axis, row_mode, column_mode},
        {"a board state", p.state, ready, round_over},
        {"a refill offset", p.refill_offset, 0, board_width},
        {"a refill row count", p.refill_rows, 0, board_rows},
        {"a chain", p.chain, 0, board_cells},
        {"a super column", p.super_col, 0, no_super_col},
        {"a super row", p.super_row, 0, board_rows + 1},
        {"a super meter", p.super_meter, 0, 4},
        {"a pop frame", p.pop_frame, 0, 5},
        {"an attack flash", p.attack_flash, 0, 8},
        {"an attack row count", p.attack_rows, 0, board_rows},
        {"an animation frame", p.anim_frame, 0, INT32_MAX},
    };
    std::string fault = out_of_range(match, values, sizeof values / sizeof values[0]);
    for (int i = 0; i < board_cells && fault.empty(); i++) {
        const Bounded cell[] = {{"a cup", p.cells[i], cup_empty, cup_types},
                                {"a junk mark", p.junk[i], 0, 1},
                                {"a pop order", p.group[i], 0, board_cells}};
        fault = out_of_range(match, cell, 3);
    }
    for (int slot = 0; slot < anim_queue_slots && fault.empty(); slot++) {
        const Bounded queued = {"a queued animation", p.anim_queue[slot], anim_idle, anim_lose};
        fault = out_of_range(match, &queued, 1);
    }
    return fault;
}

// A board's runs of commands, until `frames` frames are covered.
std::string get_commands(BodyReader* in, size_t match, uint32_t frames, std::vector<uint8_t>* commands) {
    commands->clear();
    while (commands->size() < frames && !in->short_read) {
        const uint8_t command = static_cast<uint8_t>(in->get_number(1));
        const uint32_t more = in->get_count();
        if (command > command_bits) return damaged(match, "holds a command outside 0 to 127");
        if (more >= frames - commands->size()) return damaged(match, "holds more commands than frames");
        commands->insert(commands->end(), more + 1, command);
    }
    return "";
}

std::string get_match(BodyReader* in, size_t index, RecordedMatch* m) {
    m->mode = static_cast<GameMode>(static_cast<int32_t>(in->get_number(4)));
    m->characters[0] = static_cast<int8_t>(in->get_number(1));
    m->characters[1] = static_cast<int8_t>(in->get_number(1));
    in->get_bytes(&m->shared, sizeof m->shared);
    std::string fault = shared_fault(index, m->shared);
    for (int k = 0; k < 2 && fault.empty(); k++) {
        in->get_bytes(&m->side[k], sizeof m->side[k]);
        const bool has_pictures = in->get_number(1) != 0;
        m->pictures[k].assign(has_pictures ? pictures_words : 0, 0);
        in->get_bytes(m->pictures[k].data(), m->pictures[k].size() * sizeof(uint16_t));
        fault = side_fault(index, k, m->side[k]);
        if (fault.empty() && has_pictures != (m->side[k].refill_offset > 0))
            fault = damaged(index, "has board pictures that do not go with its refill");
    }
    if (!fault.empty() || in->short_read) return fault;
    if (m->mode != m->shared.game_mode || m->characters[0] != m->side[0].character ||
        m->characters[1] != m->side[1].character)
        return damaged(index, "gives a mode or characters its start value does not hold");
    const uint32_t frames = static_cast<uint32_t>(in->get_number(4));
    if (frames == 0 && !in->short_read) return damaged(index, "holds no frames");
    if (frames > most_replay_frames) return damaged(index, "holds more frames than a replay can");
    for (int k = 0; k < 2 && fault.empty(); k++) fault = get_commands(in, index, frames, &m->commands[k]);
    m->checksums.assign(checksums_for(frames), 0);
    for (uint64_t& sum : m->checksums) sum = in->get_number(8);
    m->last_checksum = in->get_number(8);
    return fault;
}

// Unpacks a zlib stream that must end exactly at the end of the bytes.
std::string unpack(const uint8_t* packed, size_t size, std::vector<uint8_t>* body) {
    z_stream z = {};
    if (inflateInit(&z) != Z_OK) return "cannot be unpacked: out of memory";
    z.next_in = const_cast<uint8_t*>(packed);
    z.avail_in = static_cast<uInt>(size);
    uint8_t chunk[1 << 14];
    int result = Z_OK;
    while (result == Z_OK) {
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        result = inflate(&z, Z_NO_FLUSH);
        body->insert(body->end(), chunk, chunk + (sizeof chunk - z.avail_out));
        if (body->size() > most_body_bytes) result = Z_MEM_ERROR;
    }
    const size_t left = z.avail_in;
    inflateEnd(&z);
    if (result == Z_BUF_ERROR) return "is cut short";
    if (result == Z_MEM_ERROR) return "is damaged: it unpacks to more than a replay can hold";
    if (result != Z_STREAM_END) return "is damaged: its packed contents do not unpack";
    if (left != 0) return "is damaged: bytes follow its end";
    return "";
}

}  // namespace

size_t checksums_for(size_t frames) { return frames == 0 ? 0 : (frames - 1) / checksum_interval; }

std::vector<uint8_t> write_replay(const Replay& replay) {
    const std::vector<uint8_t> body = body_of(replay);
    std::vector<uint8_t> out(head_text, head_text + head_text_size);
    put_number(&out, replay_format, 4);
    uLongf packed_size = compressBound(body.size());
    out.resize(head_size + packed_size);
    compress2(out.data() + head_size, &packed_size, body.data(), body.size(), Z_BEST_COMPRESSION);
    out.resize(head_size + packed_size);
    return out;
}

std::string read_replay(const std::vector<uint8_t>& bytes, Replay* replay) {
    const size_t compared = bytes.size() < head_text_size ? bytes.size() : head_text_size;
    if (bytes.empty() || std::memcmp(bytes.data(), head_text, compared) != 0) return "is not a cupclash replay";
    if (bytes.size() <= head_size) return "is cut short";
    uint32_t format = 0;
    for (int k = 3; k >= 0; k--) format = format << 8 | bytes[head_text_size + k];
    if (format != replay_format)
        return "is a replay of format " + std::to_string(format) + ", and this cupclash reads format " +
               std::to_string(replay_format);
    std::vector<uint8_t> body;
    const std::string fault = unpack(bytes.data() + head_size, bytes.size() - head_size, &body);
    return fault.empty() ? read_replay_body(body, replay) : fault;
}

std::string read_replay_body(const std::vector<uint8_t>& body, Replay* replay) {
    BodyReader in{body};
    replay->version.assign(in.get_number(1), '\0');
    in.get_bytes(&replay->version[0], replay->version.size());
    replay->data.script = in.get_number(8);
    replay->data.patterns = in.get_number(8);
    replay->data.characters = in.get_number(8);
    replay->seed = static_cast<uint32_t>(in.get_number(4));
    const uint64_t match_size = in.get_number(4), side_size = in.get_number(4);
    const uint32_t count = static_cast<uint32_t>(in.get_number(4));
    if (in.short_read) return "is damaged: its contents end too soon";
    if (match_size != sizeof(Match) || side_size != sizeof(PlayerState))
        return "was recorded by a cupclash " + shown(replay->version) + " whose match state is laid out differently";
    if (count == 0) return "is damaged: it holds no match";
    if (count > most_replay_matches) return "is damaged: it holds more matches than a replay can";
    replay->matches.clear();
    for (uint32_t k = 0; k < count; k++) {
        replay->matches.emplace_back();
        const std::string fault = get_match(&in, k, &replay->matches.back());
        if (!fault.empty()) return fault;
        if (in.short_read) return "is damaged: its contents end too soon";
    }
    if (in.at != body.size()) return "is damaged: bytes follow its last match";
    return "";
}

std::string replay_mismatch(const Replay& replay, const std::string& version, const DataSums& here) {
    if (replay.version != version)
        return "was recorded by cupclash " + shown(replay.version) + ", and this is cupclash " + version;
    if (replay.data.script != here.script) return "was recorded with another computer script (AI_list.txt)";
    if (replay.data.patterns != here.patterns) return "was recorded with other attack patterns (pattern1.txt, pattern2.txt)";
    if (replay.data.characters != here.characters) return "was recorded with other character files";
    return "";
}

void start_of(const RecordedMatch& m, MatchState* state) {
    state->shared = m.shared;
    for (int k = 0; k < 2; k++) {
        state->side[k] = m.side[k];
        if (m.pictures[k].size() != pictures_words) continue;
        std::memcpy(state->pictures[k].board, m.pictures[k].data(), sizeof state->pictures[k].board);
        std::memcpy(state->pictures[k].strip, m.pictures[k].data() + pictures_words / 2, sizeof state->pictures[k].strip);
    }
}

void set_start(RecordedMatch* m, const MatchState& state) {
    m->mode = state.shared.game_mode;
    m->shared = state.shared;
    for (int k = 0; k < 2; k++) {
        m->side[k] = state.side[k];
        m->characters[k] = state.side[k].character;
        m->pictures[k].clear();
        if (state.side[k].refill_offset == 0) continue;
        const auto* board = &state.pictures[k].board[0][0];
        const auto* strip = &state.pictures[k].strip[0][0];
        m->pictures[k].assign(board, board + pictures_words / 2);
        m->pictures[k].insert(m->pictures[k].end(), strip, strip + pictures_words / 2);
    }
}

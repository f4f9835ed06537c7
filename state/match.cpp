#include "state/match.h"

#include <cstring>

#include "platform/assets.h"

Match match;
Player* players[2];

namespace {

// Row by row between a 96 x 160 16-bit memory bitmap and a saved picture.
void copy_out(BITMAP* from, uint16_t (*to)[board_width]) {
    for (int y = 0; y < board_height; y++) std::memcpy(to[y], from->line[y], sizeof to[y]);
}

void copy_in(const uint16_t (*from)[board_width], BITMAP* to) {
    for (int y = 0; y < board_height; y++) std::memcpy(to->line[y], from[y], sizeof from[y]);
}

// A 64-bit hash of bytes, eight at a time: each word is mixed in by a multiply and a rotation.
uint64_t hash_bytes(uint64_t h, const void* data, size_t size) {
    constexpr uint64_t k1 = 0x9e3779b185ebca87ULL, k2 = 0xc2b2ae3d27d4eb4fULL;
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t k = 0; k < size; k += 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes + k, size - k < 8 ? size - k : 8);
        h ^= word * k2;
        h = (h << 31 | h >> 33) * k1;
    }
    return h ^ h >> 29;
}

uint64_t checksum_of(const Match& shared, const PlayerState& left, const PlayerState& right) {
    uint64_t h = hash_bytes(0x243f6a8885a308d3ULL, &shared, sizeof shared);
    h = hash_bytes(h, &left, sizeof left);
    return hash_bytes(h, &right, sizeof right);
}

}  // namespace

void save_match(MatchState* state) {
    state->shared = match;
    for (int k = 0; k < 2; k++) {
        const Player* p = players[k];
        state->side[k] = *p;
        if (p->refill_offset == 0) continue;
        copy_out(p->board_bitmap, state->pictures[k].board);
        copy_out(p->refill_strip, state->pictures[k].strip);
    }
}

void restore_match(const MatchState& state) {
    match = state.shared;
    for (int k = 0; k < 2; k++) {
        Player* p = players[k];
        static_cast<PlayerState&>(*p) = state.side[k];
        if (p->refill_offset == 0) continue;
        copy_in(state.pictures[k].board, p->board_bitmap);
        copy_in(state.pictures[k].strip, p->refill_strip);
    }
}

uint64_t match_checksum(const MatchState& state) { return checksum_of(state.shared, state.side[0], state.side[1]); }

uint64_t live_checksum() { return checksum_of(match, *players[0], *players[1]); }

void create_players() {
    for (int index = 0; index < 2; index++) {
        Player* p = create_player(index);
        players[index] = p;
        p->board_bitmap = make_bitmap(board_width, board_height);
        p->refill_strip = make_bitmap(board_width, board_height);
        clear_to_color(p->refill_strip, mask_colour());
    }
    players[0]->opponent = players[1];
    players[1]->opponent = players[0];
}

void destroy_players() {
    for (Player*& p : players) {
        destroy_player(p);
        p = nullptr;
    }
}

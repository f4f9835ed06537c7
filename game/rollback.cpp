#include "game/rollback.h"

#include "platform/ticks.h"

namespace {

uint8_t frame_commands[2];  // the commands of the frame being stepped

MatchState& saved_before(Rollback* r, uint32_t frame) { return r->saved[frame % (most_rollback + 1)]; }

}  // namespace

void stepped_command(Player* p) { p->command = frame_commands[p->index]; }

void reset_rollback(Rollback* r, int local_side, int input_delay) {
    r->local = local_side;
    r->next = 0;
    r->remote_known = 0;
    r->wrong_from = no_frame;
    r->commands[0].clear();
    r->commands[1].clear();
    r->commands[local_side].assign(static_cast<size_t>(input_delay), 0);
    r->guessed.clear();
    r->rollbacks = r->frames_rolled_back = 0;
}

void add_local_command(Rollback* r, uint8_t command) { r->commands[r->local].push_back(command); }

void add_remote_commands(Rollback* r, uint32_t first, const std::vector<uint8_t>& commands) {
    std::vector<uint8_t>& known = r->commands[1 - r->local];
    for (uint32_t k = r->remote_known > first ? r->remote_known - first : 0; k < commands.size(); k++) {
        const uint32_t frame = first + k;
        if (frame != r->remote_known) return;  // a gap: wait for the frames between
        known.push_back(commands[k]);
        r->remote_known++;
        if (frame < r->next && r->guessed[frame] != commands[k] && frame < r->wrong_from) r->wrong_from = frame;
    }
}

uint32_t agreed_frames(const Rollback& r) {
    uint32_t agreed = r.remote_known < r.next ? r.remote_known : r.next;
    return agreed < r.wrong_from ? agreed : r.wrong_from;
}

bool can_step(const Rollback& r) {
    return r.next < r.commands[r.local].size() && r.next < r.remote_known + most_rollback;
}

void step_frame(Rollback* r, void (*frame)()) {
    const uint32_t k = r->next;
    save_match(&saved_before(r, k));  // 1. the state before the frame, for a rollback
    const int remote = 1 - r->local;  // 2. the other side's command, or the guess: its last known one
    const std::vector<uint8_t>& theirs = r->commands[remote];
    const uint8_t guess = k < theirs.size() ? theirs[k] : theirs.empty() ? 0 : theirs.back();
    if (r->guessed.size() <= k) r->guessed.resize(k + 1);
    r->guessed[k] = guess;
    frame_commands[r->local] = r->commands[r->local][k];
    frame_commands[remote] = guess;
    frame();  // 3. the frame itself, through the command source stepped_command
    r->next = k + 1;
}

void correct(Rollback* r, void (*frame)(), bool (*goes_on)()) {
    if (r->wrong_from >= r->next) {
        r->wrong_from = no_frame;
        return;
    }
    const uint32_t end = r->next;
    r->next = r->wrong_from;
    r->wrong_from = no_frame;
    restore_match(saved_before(r, r->next));  // 1. back to the state before the first wrong frame
    r->rollbacks++;
    const bool unseen_before = frames_unseen;  // the simulator sees none of its frames
    frames_unseen = true;  // 2. forward again, unseen and unheard, as long as the phase goes on
    while (r->next < end && goes_on()) {
        step_frame(r, frame);
        r->frames_rolled_back++;
    }
    frames_unseen = unseen_before;
}

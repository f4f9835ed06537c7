#include "game/rollback.h"

#include <algorithm>

#include "platform/ticks.h"

namespace {

uint8_t frame_commands[2];  // the commands of the frame being stepped
std::vector<Effect> asked;  // the sound effects the frame being stepped asks for

MatchState& saved_before(Rollback* r, uint32_t frame) { return r->saved[frame % (most_rollback + 1)]; }

// The effects the frame asked for that were not played for it yet play now, while `heard`, and are
// noted in `played`: an effect asked for n times and played m times before plays n - m times.
void play_new_effects(std::vector<Effect>* played, bool heard) {
    const size_t noted = played->size();  // played for this frame before this stepping
    for (size_t k = 0; k < asked.size(); k++) {
        const Effect& e = asked[k];
        const auto times_asked = std::count(asked.begin(), asked.begin() + k + 1, e);
        if (times_asked <= std::count(played->begin(), played->begin() + noted, e)) continue;
        if (heard) start_effect(e);
        played->push_back(e);
    }
}

// Saves the state before the next frame and steps it with this side's command and the other's (or
// the guess); the effects it asks for play once for the frame, while `heard`.
void step(Rollback* r, void (*frame)(), bool heard) {
    const uint32_t k = r->next;
    save_match(&saved_before(r, k));  // 1. the state before the frame, for a rollback
    const int remote = 1 - r->local;  // 2. the other side's command, or the guess: its last known one
    const std::vector<uint8_t>& theirs = r->commands[remote];
    const uint8_t guess = k < theirs.size() ? theirs[k] : theirs.empty() ? 0 : theirs.back();
    std::vector<Effect>& played = r->played[k % (most_rollback + 1)];
    if (r->guessed.size() <= k) {  // stepped for the first time: nothing played for it yet
        r->guessed.resize(k + 1);
        played.clear();
    }
    r->guessed[k] = guess;
    frame_commands[r->local] = r->commands[r->local][k];
    frame_commands[remote] = guess;
    asked.clear();  // 3. the frame itself, through the command source stepped_command; its effects gathered
    effects_gathered = &asked;
    frame();
    effects_gathered = nullptr;
    play_new_effects(&played, heard);  // 4. the effects not yet played for this frame
    r->next = k + 1;
}

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

void step_frame(Rollback* r, void (*frame)()) { step(r, frame, !frames_unseen); }

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
    const bool unseen_before = frames_unseen;  // the simulator sees and hears none of its frames
    frames_unseen = true;  // 2. forward again, unseen, as long as the phase goes on; sounds once a frame
    while (r->next < end && goes_on()) {
        step(r, frame, !unseen_before);
        r->frames_rolled_back++;
    }
    frames_unseen = unseen_before;
}

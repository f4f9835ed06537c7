// Rollback: the frames of an online match step at once with this machine's commands and a guess
// at the other machine's (its last known command, repeated). When the other's real commands come
// and differ from the guess, the match goes back to the state before the first wrong frame and
// steps forward again, unseen, to where it was. Each sound effect is heard once for a frame: a frame
// stepped again plays only the effects it asks for that were not played for it yet (a sound a wrong
// guess made stays heard; one the real commands make is heard late, once). Frames are counted from
// the match's first frame that takes commands; a frame is agreed once both sides' commands of it and
// of every frame before it are known and it was stepped with them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "board/turn.h"
#include "platform/sound.h"
#include "state/match.h"

constexpr uint32_t most_rollback = 8;  // frames stepped past the last agreed one, at most (320 ms)
constexpr uint32_t no_frame = UINT32_MAX;

struct Rollback {
    int local = 0;  // the side this machine plays: 0 left, 1 right
    uint32_t next = 0;          // the frame to step next
    uint32_t remote_known = 0;  // the other side's commands are known below this frame
    uint32_t wrong_from = no_frame;  // the first frame stepped on a wrong guess
    std::vector<uint8_t> commands[2];  // each side's commands, frame by frame, as far as known
    std::vector<uint8_t> guessed;      // the other side's command each stepped frame used
    std::unique_ptr<MatchState[]> saved{new MatchState[most_rollback + 1]};  // before frame k, at k % 9
    std::vector<Effect> played[most_rollback + 1];  // the effects played for frame k, at k % 9
    uint64_t rollbacks = 0;           // corrections made
    uint64_t frames_rolled_back = 0;  // frames stepped again by them
};

// The command source of both boards while a rollback steps the match: the frame's commands.
void stepped_command(Player* p);

// A new match: nothing stepped or known; this side's first `input_delay` commands are empty.
void reset_rollback(Rollback* r, int local_side, int input_delay);
// This side's next command.
void add_local_command(Rollback* r, uint8_t command);
// The other side's commands of frames first, first + 1, ...: those already known are skipped; a new
// one that differs from the guess a stepped frame used marks that frame wrong.
void add_remote_commands(Rollback* r, uint32_t first, const std::vector<uint8_t>& commands);

// Frames below this are agreed.
uint32_t agreed_frames(const Rollback& r);
// Whether the next frame may step now: this side's command is known and it would stay within
// most_rollback frames of what the other side's commands reach.
bool can_step(const Rollback& r);
// Saves the state before the next frame and steps it through `frame` with this side's command and
// the other's (or the guess). Its sound effects play (unless frames_unseen is set) and are noted.
void step_frame(Rollback* r, void (*frame)());
// Goes back to the first frame stepped on a wrong guess and steps again, unseen, up to where the
// match was, stopping early at a frame where `goes_on` is false (the phase ended there). Of the
// effects each frame asks for, those not yet played for it play now (as many times as it asks for
// each, less the times it was played) and are noted.
void correct(Rollback* r, void (*frame)(), bool (*goes_on)());

// The record of one side of the match and its lifecycle.
// Exactly two records live for the whole run: players[0] (left board) and players[1] (right board),
// created and linked at start-up (state/match.h), reset per round, torn down at shutdown.
#pragma once

#include <allegro.h>
#include <cstdint>

// Board geometry: 6 columns (0..5, left to right) x 10 rows (0..9, top to bottom; cups fall toward row 9).
// Every per-cell array is column-major: the entry of column c, row r is at c * 10 + r.
constexpr int board_cols = 6;
constexpr int board_rows = 10;
constexpr int board_cells = board_cols * board_rows;
constexpr int cell_size = 16;  // pixels of one cell on screen
constexpr int board_width = board_cols * cell_size;   // 96
constexpr int board_height = board_rows * cell_size;  // 160

inline int cell_at(int col, int row) { return col * board_rows + row; }

// Cup types held in `cells`.
constexpr int cup_empty = 0;
constexpr int cup_types = 3;  // 1..3

// The board's phase. Only `ready` accepts commands.
enum BoardState : uint8_t {
    ready = 0,       // waits for commands
    breaking = 1,    // a group pops
    falling = 2,     // cups drop one row a frame
    settled = 3,     // the chain counts up and matches are looked for
    refilling = 4,   // empty rows refill and slide in
    round_over = 5,  // every marked cup pops, nothing else happens
};

// Slide mode.
enum Axis : int32_t { row_mode = 0, column_mode = 1 };

// Command bits of one frame, written by the side's command source and read by the engine.
enum CommandBit : uint8_t {
    cmd_up = 1,
    cmd_down = 2,
    cmd_left = 4,
    cmd_right = 8,
    cmd_toggle = 16,
    cmd_action = 32,
    cmd_fill_meter = 64,  // practice against the computer: the super meter fills to four stars
};
constexpr uint8_t cmd_directions = cmd_up | cmd_down | cmd_left | cmd_right;

// Character animation ids.
enum AnimId : int32_t {
    anim_idle = 0,
    anim_reward_1 = 1,
    anim_reward_2 = 2,
    anim_reward_3 = 3,
    anim_super = 4,
    anim_hit = 5,
    anim_hit_hard = 6,
    anim_intro = 7,
    anim_win = 8,
    anim_lose = 9,
};

constexpr int max_anims = 20;
constexpr int max_sfx = 20;
constexpr int max_cues = 30;
constexpr int anim_queue_slots = 11;  // slot 0 plays, 1..9 wait, 10 stays 0
constexpr int no_super_col = 7;       // super_col when the board has no super cup
constexpr int no_character = 100;     // loaded_character before any character data
constexpr int8_t ai_no_slide = 100;   // ai_last after a cursor step

constexpr int frame_height = 192;  // rows of one animation frame in a sheet; frames are 256 wide

// One character animation, cut from a sheet of frames stacked top to bottom (each 192 rows, the
// last one maybe fewer, at most 256 wide). Each frame is kept as a run-length sprite: only the
// figure's pixels take room and are drawn. The frames face the way their side draws them: the right
// player's are made mirrored when its character is loaded.
struct Anim {
    RLE_SPRITE** frames;  // frame_count sprites, owned; a frame that repeats an earlier one shares its
                          // sprite; null in an empty slot
    int32_t frame_count;  // 0 in an empty slot
    int32_t width;        // pixels: the sheet's width; the right side draws it against the right edge
    int32_t next;         // id of the animation that follows when this one ends
};

// One sound cue: when animation `anim` shows frame `frame`, sample `sfx` plays.
struct Cue {
    int32_t anim;
    int32_t frame;
    int32_t sfx;
};

// Everything of one side that a frame of a round can change: a plain value with no pointer and no
// padding, saved and restored with the match (state/match.h). Fields are grouped by size so that
// the value's bytes are exactly its fields.
struct PlayerState {
    int32_t cells[board_cells];  // cup type per cell: 0 empty, 1..3
    int32_t anim_queue[anim_queue_slots];  // slot 0 plays now (0 idle), 1..9 wait, 10 stays 0

    int32_t cursor_row;  // 0..9: the row that slides in row mode
    int32_t cursor_col;  // 0..5: the column that slides in column mode
    int32_t slide_x;     // pixels of the row slide: 0 none, > 0 toward column 0, < 0 toward column 5
    int32_t slide_y;     // pixels of the column slide: 0 none, > 0 up, < 0 down
    Axis axis;           // row_mode or column_mode

    int32_t index;          // 0 left, 1 right: controls, board place, balance direction, pan
    int32_t refill_offset;  // pixels of the refill strip still to go: 96 down to 0 in steps of 8
    int32_t refill_rows;    // rows, counted from row 0, that the current refill filled
    int32_t chain;          // settles in the current turn; 0 between turns
    int32_t super_active;   // 1 from a super break to the end of that turn
    int32_t anim_frame;     // frame within the animation in anim_queue[0]

    int32_t super_meter;  // 0..4 super cups broken; the fifth fires the super
    int32_t super_col;    // column of the super cup; 7 = none
    int32_t super_row;    // row of the super cup; 11 after it broke
    int32_t pop_frame;    // 0..5: frame of the pop of the group breaking now

    int32_t attack_flash;  // frames left of the flash over the last attack received (8 down to 0)
    int32_t attack_rows;   // bottom rows converted by the last attack received
    int32_t score;         // points; reset per round unless this side won the last one
    int32_t first_fill;    // 1 = the next refill copies the opponent's pattern

    int8_t group[board_cells];  // pop order: 0 none, 1 pops now, n waits for n - 1 groups
    int8_t junk[board_cells];   // 1 = cup placed by an opponent's attack; travels with its cup
    BoardState state;   // the board's phase
    uint8_t command;    // this frame's CommandBit set, written by the side's command source
    int8_t character;    // 0 or 1; the tutorial uses it as its walk position
    int8_t ai_last;      // the computer's code of its last slide on this board; 100 none (whole run)
};

// The whole record of a side: its state, and what lives beside it for the whole run or for as long
// as a character is loaded, which no frame changes.
struct Player : PlayerState {
    // Working bitmaps, created right after construction, owned by the record. While a refill
    // slides in, the board picture is built up over several frames and its pixels are state too
    // (the match's saved value keeps them then).
    BITMAP* refill_strip;  // 96 x 160: new cups of a refill, slid into the board image
    BITMAP* board_bitmap;  // 96 x 160: the board image, one 16 x 16 tile per cell

    uint8_t held_dirs;  // the keyboard's memory: direction and toggle bits held at its last change
    int held_frames;    // frames since held_dirs last changed, for the held-direction repeat

    // The character's data, loaded when the side's character changes (present/character_data.h).
    int32_t loaded_character;      // character whose data fills what follows; 100 none
    SAMPLE* sfx[max_sfx];          // the character's samples, in the order of its sample list; empty slots null
    Anim anims[max_anims];         // the character's animations; an id is a position here
    Cue cues[max_cues];            // the character's sound cues, ascending by anim
    int32_t cue_count;             // cues in use, 0..30: the slots after them are empty, not cues
    int32_t pattern[board_cells];  // this side's attack pattern, cup types

    Player* opponent;  // the other side's record (not owned)
};

// Builds a record for side `index` (0 or 1) with every field at its starting value, without its
// bitmaps and its opponent (create_players gives it them).
Player* create_player(int index);

// Destroys the record's bitmaps and its character data, then frees the record.
void destroy_player(Player* p);

// Destroys an animation's frames (a frame that repeats an earlier one is the same sprite, destroyed
// once) and empties it.
void release_anim(Anim* anim);

// Destroys every animation frame and sample of the record and empties its sheets, samples and cues.
void release_character_data(Player* p);

// Empties the board and its markers; cursor, slides, super cup, state and score stay.
void clear_board(Player* p);

// Marks every occupied cell to break now and ends the round for this board.
void end_round(Player* p);

// Appends an animation id to the side's animation queue; dropped when the queue is full.
void queue_animation(Player* p, int32_t id);

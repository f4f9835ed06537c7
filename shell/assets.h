// Start-up and shutdown of the game, and the assets that live for the whole run.
// This module defines and owns every shared picture, sound, back buffer and the computer's script,
// and the two player records; nothing else creates or releases them.
#pragma once

#include <allegro.h>
#include <cstdio>

struct Player;

constexpr int screen_width = 256;  // the game draws 256 x 384: two 256 x 192 panels
constexpr int panel_height = 192;

extern BITMAP* cups;              // cup tiles, 16 x 16: x picks still/shimmer/junk, y the cup type
extern BITMAP* pop;               // 32 x 32 pop animations per cup type, attack flash at y 128
extern BITMAP* combotxt;          // 128 x 64 chain texts, super text at y 448
extern BITMAP* roundtxt;          // 128 x 64: the word at y 0, round digit k at y 64k
extern BITMAP* numbers;           // 16 x 16 score digits 0..9
extern BITMAP* bg;                // top panel background, 256 x 192
extern BITMAP* super;             // 8 x 8 super cup badges and meter stars
extern BITMAP* winlose;           // winner's banner over loser's banner
extern BITMAP* char_bg;           // bottom panel background, 256 x 192
extern SAMPLE* break_sound;       // played once per popping group
extern SAMPLE* refill_sound;      // played when a refill slides in
extern BITMAP* top_panel;         // back buffer shown at screen y 0
extern BITMAP* bottom_panel;      // back buffer shown at screen y 192
extern BITMAP* character_canvas;  // the two characters are composed here
extern BITMAP* ai_scratch;        // the computer's scratch picture, never shown
extern Player* players[2];        // 0 left, 1 right

// A picture the game loads, and the size the game cuts its parts from; 0 x 0 for a picture drawn
// whole, at whatever size it has.
struct PictureFile {
    const char* name;
    int width, height;
};

// The pictures the screens load when they open and release when they close.
constexpr PictureFile title_picture = {"title.pcx", 0, 0};            // the title, drawn over the swirl
constexpr PictureFile swirl_picture = {"swirl.pcx", 256, 32 * 192};   // 32 frames of 256 x 192, top to bottom
constexpr PictureFile buttons_picture = {"buttons.pcx", 256, 192};    // the title's bottom panel: four buttons
constexpr PictureFile charsel_picture = {"charsel.pcx", 256, 192};    // the character select's top panel
constexpr PictureFile portrait_pictures[2] = {{"ombrelix/portrait.pcx", 0, 0}, {"quorvant/portrait.pcx", 0, 0}};
constexpr PictureFile menu_picture = {"menutxt.pcx", 120, 4 * 24};    // the pause menu's four labels
constexpr PictureFile tutorial_picture = {"tuttxt.pcx", 256, 7 * 192};  // the tutorial's seven pages

// The mask colour of every masked drawing: magenta.
int mask_colour();

// Brings the game up: Allegro, the window (enlarged by the scale asked for, 1..4, or by the one that
// fits the desktop when that is 0), every shared asset, the timer, both player records and their
// characters' data.
// On any failure it reports one line naming the cause and exits with a non-zero status.
void start_game(int window_scale_asked);

// The shared pictures, sounds, back buffers and the computer's script, loaded from the working
// folder (Allegro must be up with its colour depth set). Fails on a missing, unreadable or damaged
// file, naming it.
void load_shared_assets();

// Checks every screen picture and music track the game will load later as load_picture and the
// sounds are checked, so that a bad one stops the game at start-up, not in the middle of a match.
void check_later_files();

// Loads a PCX picture of the working folder, checked first by its bytes: a missing, unreadable or
// damaged file, one that ends before its last row, or a picture of another size than the one given
// (unless that is 0 x 0) fails with one line naming the file.
BITMAP* load_picture(const PictureFile& picture);

// The two player records with their bitmaps, linked as each other's opponent.
void create_players();

// Releases everything start_game made, in a fixed order; safe after a partial start.
void shut_down_game();

// Reports one line "cupclash: <message>" on stderr, releases what was made and exits with status 1.
[[noreturn]] void fail(const char* format, ...);

// The timer callback: one tick every 40 ms.
void timer_tick();

// True once the window's close button was pressed or SIGTERM or SIGINT came; the game then ends as
// if ESC were held.
bool close_requested();

// ESC is down, or the window was asked to close.
bool escape_down();

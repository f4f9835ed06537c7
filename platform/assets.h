// The assets that live for the whole run, loading a picture the checked way, and the one way to fail.
// This module defines and owns every shared picture, sound and back buffer; nothing else creates or
// releases them.
#pragma once

#include <allegro.h>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/files.h"

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
extern BITMAP* ai_scratch;        // the computer's scratch picture, never shown

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
constexpr PictureFile modes_picture = {"modes.pcx", 256, 192};        // the title's second page: two players, back
constexpr PictureFile charsel_picture = {"charsel.pcx", 256, 192};    // the character select's top panel
constexpr PictureFile charsel_pair_picture = {"charsel2.pcx", 256, 192};  // the same when two people choose
constexpr PictureFile watch_charsel_picture = {"charsel_watch.pcx", 256, 192};  // the same, for WATCH
constexpr PictureFile online_charsel_picture = {"charsel_online.pcx", 256, 192};  // the same, online
constexpr PictureFile portrait_pictures[2] = {{"ombrelix/portrait.pcx", 0, 0}, {"quorvant/portrait.pcx", 0, 0}};
constexpr PictureFile menu_picture = {"menutxt.pcx", 120, 4 * 24};    // the pause menu's four labels
constexpr PictureFile records_picture = {"records.pcx", 256, 2 * 192};  // the records screen, top panel over bottom
constexpr PictureFile keys_picture = {"keys.pcx", 256, 2 * 192};  // the keys screen, top panel over bottom
constexpr PictureFile tutorial_picture = {"tuttxt.pcx", 256, 7 * 192};  // the tutorial's seven pages

// The mask colour of every masked drawing: magenta.
int mask_colour();

// The shared pictures and sounds of a match and the computer's scratch picture, loaded from the
// working folder (Allegro must be up with its colour depth set). Fails on a missing, unreadable or
// damaged file, naming it.
void load_shared_assets();

// The back buffers, the panels that every screen draws into.
void make_panels();

// Releases them; safe when some were never loaded.
void release_shared_assets();

// Checks every screen picture and music track the game will load later as load_picture and the
// sounds are checked, so that a bad one stops the game at start-up, not in the middle of a match.
void check_later_files();

// Loads a PCX picture of the working folder in 16-bit colour, checked first by its bytes: a missing, unreadable or
// damaged file, one that ends before its last row, or a picture of another size than the one given
// (unless that is 0 x 0) fails with one line naming the file.
BITMAP* load_picture(const PictureFile& picture);

// A picture read a part at a time: its file checked whole when it is opened, as load_picture checks
// it, and its rows read into `picture` as they are wanted (the title's swirl, 32 frames, shows its
// first while the others wait).
struct PictureReading {
    BITMAP* picture;
    std::vector<uint8_t> bytes;  // the file, until its last row is read
    PcxPlace place;              // the next row to read
};
PictureReading open_picture(const PictureFile& picture);

// Reads the picture's rows until its first `rows` rows are in (all of them at most).
void read_picture_rows(PictureReading* reading, int rows);

// Reads the rows of a PCX picture that pcx_fault passed, from `place` on up to row `end`, in 16-bit
// colour exactly as load_bitmap makes them, and hands each to `row` (as many pixels as the picture
// is wide).
void picture_rows(const std::vector<uint8_t>& bytes, PcxPlace* place, int end,
                  void (*row)(int y, const uint16_t* pixels, void* to), void* to);

// A bitmap of the given size; fails with one line when memory runs out.
BITMAP* make_bitmap(int w, int h);

// Reports one line "cupclash: <message>" on stderr, releases what was made (by the routine given to
// release_on_fail) and exits with status 1.
[[noreturn]] void fail(const char* format, ...);

// The routine that fail runs to release everything the game made before it exits.
void release_on_fail(void (*release)());

// The window's close button callback.
void close_button_pressed();

// True once the window's close button was pressed or SIGTERM or SIGINT came; the game then ends as
// if ESC were held.
bool close_requested();

// ESC is down, or the window was asked to close. An ESC that a screen has spent counts again only
// once it has been let go and pressed anew.
bool escape_down();
// The ESC held now was the closing screen's: the next screen sees it only when pressed again.
void spend_escape();

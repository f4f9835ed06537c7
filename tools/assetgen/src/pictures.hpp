// The drawing routines, one family per source file.
#pragma once

#include "assets.hpp"

namespace assetgen {

// cups.cpp: the cup tiles and the empty counter tile.
Image make_cups(const Context& ctx);
// The opaque tile an empty cell shows; the board wells of the background are made of it.
Image counter_tile();
// The still picture of cup type 1..3 (16 × 16, mask around) and its shades, for the effects
// that break it apart.
struct CupShades {
    Rgb ink, dark, mid, light, gleam;
};
Image cup_picture(int type);
CupShades cup_shades(int type);

// effects.cpp: the pop and attack-flash animations and the super stars.
Image make_pop(const Context& ctx);
Image make_super(const Context& ctx);

// text_pictures.cpp: words and digits rendered from the font.
Image make_combo_text(const Context& ctx);
Image make_round_text(const Context& ctx);
Image make_numbers(const Context& ctx);
Image make_win_lose(const Context& ctx);

// backgrounds.cpp: the two panel backgrounds.
Image make_top_background(const Context& ctx);
Image make_bottom_background(const Context& ctx);

// screens.cpp: the title, character select and pause menu pictures.
Image make_title(const Context& ctx);
Image make_swirl(const Context& ctx);
Image make_buttons(const Context& ctx);
Image make_modes(const Context& ctx);
Image make_character_select(const Context& ctx);
Image make_character_select_pair(const Context& ctx);
Image make_watch_select(const Context& ctx);  // the same for WATCH, where the computer plays both
Image make_online_select(const Context& ctx);  // the same online, where the other player chooses elsewhere
Image make_menu_text(const Context& ctx);
Image make_records_screen(const Context& ctx);
Image make_keys_screen(const Context& ctx);

// tutorial_pages.cpp: the seven pages of the tutorial.
Image make_tutorial_pages(const Context& ctx);

// icon.cpp: the icon of the desktop's menus, size × size, transparent where it is kMask.
Image make_icon(int size);

}  // namespace assetgen

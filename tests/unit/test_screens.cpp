// The title screen, the character select and the pause menu, run headless in a folder of their own
// with one-colour pictures, the mouse and the keys scripted between frames.
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <string>
#include <functional>

#include "board_fixture.h"
#include "game/frame.h"
#include "platform/ticks.h"
#include "game/flow.h"
#include "state/match.h"
#include "game/pause_menu.h"
#include "game/select.h"
#include "platform/music.h"
#include "platform/sound.h"
#include "game/title.h"
#include "platform/window.h"

namespace {

Rgb swirl_colour(int frame) { return in_16_bit(8 * frame, 96, 40); }
// Colours as they read back (16-bit colour is up only once the test has started).
Rgb title_colour() { return in_16_bit(240, 240, 200); }
Rgb buttons_colour() { return in_16_bit(40, 120, 40); }
Rgb charsel_colour() { return in_16_bit(120, 40, 120); }
Rgb modes_colour() { return in_16_bit(40, 100, 140); }
Rgb charsel_pair_colour() { return in_16_bit(140, 100, 40); }
Rgb watch_charsel_colour() { return in_16_bit(40, 120, 120); }
Rgb online_charsel_colour() { return in_16_bit(100, 140, 60); }
Rgb portrait_colour(int c) { return c == 0 ? in_16_bit(200, 80, 0) : in_16_bit(0, 80, 200); }
Rgb green() { return in_16_bit(0, 255, 0); }
Rgb white() { return in_16_bit(255, 255, 255); }
Rgb black() { return in_16_bit(0, 0, 0); }
Rgb label_colour(int item) { return in_16_bit(60 * item, 200, 200); }  // rows 6..17 of each are transparent
constexpr int bar_y = panel_height + 114;  // a row through the volume bar, on the screen

std::function<void()> script;
int frames = 0;
void run_script() {
    frames++;
    script();
}

void save_picture(const char* file, int w, int h, std::function<Rgb(int y)> colour_at) {
    BITMAP* b = create_bitmap(w, h);
    for (int y = 0; y < h; y++) {
        const Rgb c = colour_at(y);
        hline(b, 0, y, w - 1, makecol(c.r, c.g, c.b));
    }
    save_bitmap(file, b, nullptr);
    destroy_bitmap(b);
}

void set_mouse(int x, int y, int buttons) {
    mouse_x = x;
    mouse_y = y;
    mouse_b = buttons;
}

class Screens : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        ASSERT_TRUE(getcwd(game_folder, sizeof game_folder) && mkdtemp(folder) && chdir(folder) == 0);
        for (const char* f : {"pattern1.txt", "pattern2.txt"})  // a round needs the attack patterns
            ASSERT_EQ(std::system((std::string("cp ") + game_folder + "/" + f + " .").c_str()), 0);
        ASSERT_TRUE(mkdir("ombrelix", 0700) == 0 && mkdir("quorvant", 0700) == 0);
        save_picture("title.pcx", 256, 64, [](int y) { return y < 16 ? title_colour() : Rgb{255, 0, 255}; });
        save_picture("swirl.pcx", 256, 32 * 192, [](int y) { return swirl_colour(y / 192); });
        save_picture("buttons.pcx", 256, 192, [](int) { return buttons_colour(); });
        save_picture("charsel.pcx", 256, 192, [](int) { return charsel_colour(); });
        save_picture("modes.pcx", 256, 192, [](int) { return modes_colour(); });
        save_picture("charsel2.pcx", 256, 192, [](int) { return charsel_pair_colour(); });
        save_picture("charsel_watch.pcx", 256, 192, [](int) { return watch_charsel_colour(); });
        save_picture("charsel_online.pcx", 256, 192, [](int) { return online_charsel_colour(); });
        save_picture("ombrelix/portrait.pcx", 60, 90, [](int) { return portrait_colour(0); });
        save_picture("quorvant/portrait.pcx", 60, 90, [](int) { return portrait_colour(1); });
        save_picture("menutxt.pcx", 120, 96, [](int y) {
            return y % 24 >= 6 && y % 24 < 18 ? Rgb{255, 0, 255} : label_colour(y / 24);
        });
        frames = 0;
        between_frames = run_script;
        set_mouse(60, 300, 0);
        std::memset(joy, 0, sizeof joy[0] * 2);
    }
    void TearDown() override {
        between_frames = nullptr;
        std::memset(joy, 0, sizeof joy[0] * 2);
        set_mouse(0, 0, 0);
        for (const char* f : {"title.pcx", "swirl.pcx", "buttons.pcx", "charsel.pcx", "modes.pcx", "charsel2.pcx",
                              "charsel_watch.pcx", "charsel_online.pcx", "ombrelix/portrait.pcx",
                              "quorvant/portrait.pcx", "menutxt.pcx", "ombrelix", "quorvant", "pattern1.txt",
                              "pattern2.txt"})
            std::remove(f);
        EXPECT_TRUE(chdir(game_folder) == 0 && rmdir(folder) == 0);
    }
    char game_folder[1024] = {};
    char folder[32] = "/tmp/cupclash-screens.XXXXXX";
};

TEST_F(Screens, QuadrantsAndRowsAreDecidedByThePointOfRelease) {
    struct Case {
        int x, y;
        TitleChoice choice;
        int8_t character;
    };
    for (const Case c : {Case{0, 0, choice_play, 0}, Case{127, 288, choice_play, 0}, Case{128, 288, choice_watch, 0},
                         Case{127, 289, choice_tutorial, 1}, Case{128, 289, choice_play_too, 1},
                         Case{255, 383, choice_play_too, 1}, Case{200, 100, choice_watch, 0}}) {
        EXPECT_EQ(title_choice_at(c.x, c.y), c.choice) << c.x << "," << c.y;
        EXPECT_EQ(character_at(c.y), c.character) << c.y;
    }
}

TEST_F(Screens, TitleSwirlsFollowsTheMouseAndChoosesWhereTheButtonIsLetGo) {
    struct Case {
        int press_x, press_y, release_x, release_y;
        GameMode mode;
    };
    for (const Case c : {Case{20, 250, 200, 250, mode_cpu_vs_cpu}, Case{200, 250, 20, 100, mode_vs_cpu}}) {
        frames = 0;
        set_mouse(60, 300, 0);
        script = [&] {
            if (frames <= 40) {  // the swirl runs frame by frame and wraps after 32; the cursor is drawn
                expect_pixels(screen, {{100, 100, swirl_colour((frames - 1) % 32)}, {10, 5, title_colour()},
                                       {60, 300, green()}, {200, 250, buttons_colour()}});
            }
            if (frames == 40) set_mouse(c.press_x, c.press_y, 1);
            if (frames == 42) {  // held: nothing is redrawn, the swirl stands still
                expect_pixels(screen, {{100, 100, swirl_colour(40 % 32)}});
                set_mouse(c.release_x, c.release_y, 1);
            }
            if (frames == 43) set_mouse(c.release_x, c.release_y, 0);
            ASSERT_LT(frames, 50) << "the title never returned";
        };
        title_screen();
        EXPECT_EQ(frames, 44);
        EXPECT_EQ(match.game_mode, c.mode);
    }
}

TEST_F(Screens, CharacterSelectSaysWhoPlaysTheOtherBoardAndEscapeLeavesIt) {
    struct Case {
        GameMode mode;
        bool online;
        Rgb picture;
        bool strength;  // the computer's strength on its strip across the picture
    };
    for (const Case& c : {Case{mode_vs_cpu, false, charsel_colour(), true},
                          Case{mode_cpu_vs_cpu, false, watch_charsel_colour(), false},
                          Case{mode_two_players, true, online_charsel_colour(), false}}) {
        set_game_mode(c.mode);
        frames = 0;
        script = [&] {
            if (frames == 1) {
                expect_pixels(screen, {{10, 10, c.picture}, {70, 192 + 10, portrait_colour(0)},
                                       {200, 192 + 150, portrait_colour(1)}, {60, 300, green()}});
                const Rgb strip = pixel(screen, 128 - 80, 158 + 8);  // left of the strength's words
                EXPECT_EQ(strip == c.picture, !c.strength) << "the strength strip, in mode " << c.mode;
                key[KEY_ESC] = 1;
            }
            ASSERT_LT(frames, 5) << "the select never returned";
        };
        EXPECT_EQ(character_select(c.online), -1);
        EXPECT_EQ(frames, 1);
        key[KEY_ESC] = 0;
    }
}

// A step of a screen's script: a key, or a move of the mouse to a point, where it then rests.
struct Step {
    Step(int pressed) : key(pressed) {}
    int key;
    int x = -1, y = -1;
};
Step pointer_to(int x, int y) {
    Step s(0);
    s.x = x;
    s.y = y;
    return s;
}

// Steps one a frame, each key let go on the next frame; key 0 presses nothing.
void press_in_turn(const std::vector<Step>& steps) {
    script = [&steps] {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        const size_t at = static_cast<size_t>(frames - 1);
        if (at % 2 == 0 && at / 2 < steps.size()) {
            const Step& s = steps[at / 2];
            key[s.key] = s.key != 0;
            if (s.x >= 0) set_mouse(s.x, s.y, 0);
        }
        if (at >= 2 * steps.size() + 4) {  // ESC ends a screen that did not return by itself
            ADD_FAILURE() << "the screen never returned";
            key[KEY_ESC] = 1;
        }
    };
}

TEST_F(Screens, TheTitleAndTheSelectAnswerTheArrowsZReturnAndThePads) {
    struct TitleCase {
        std::vector<Step> steps;
        GameMode mode;
        int held_before = 0;  // a key still down from the screen before, let go on the first frame
    };
    // The highlight starts on PLAY, under a mouse that rests on TUTORIAL; down from the lower row, or
    // TAB, turns to the second page, whose BACK returns to the first. The mouse moving over a button
    // takes the highlight there, on the page shown (either half of a button across the row); over
    // the top panel it does not, nor does it take it back when it rests after the keys moved it.
    for (const TitleCase& c : {TitleCase{{KEY_Z}, mode_vs_cpu}, TitleCase{{KEY_RIGHT, KEY_ENTER}, mode_cpu_vs_cpu},
                               TitleCase{{KEY_DOWN, KEY_DOWN, KEY_X}, mode_two_players},
                               TitleCase{{KEY_TAB, KEY_ENTER}, mode_two_players},
                               TitleCase{{KEY_TAB, KEY_DOWN, KEY_Z, KEY_UP, KEY_RIGHT, KEY_Z}, mode_cpu_vs_cpu},
                               TitleCase{{KEY_RIGHT, KEY_Z}, mode_cpu_vs_cpu, KEY_Z},
                               TitleCase{{pointer_to(200, 250), KEY_Z}, mode_cpu_vs_cpu},
                               TitleCase{{pointer_to(200, 340), KEY_UP, KEY_Z}, mode_cpu_vs_cpu},
                               TitleCase{{pointer_to(200, 250), 0, KEY_LEFT, 0, KEY_Z}, mode_vs_cpu},
                               TitleCase{{KEY_RIGHT, pointer_to(20, 100), KEY_Z}, mode_cpu_vs_cpu},
                               TitleCase{{KEY_TAB, KEY_DOWN, pointer_to(200, 250), KEY_Z}, mode_two_players}}) {
        frames = 0;
        set_mouse(60, 300, 0);
        if (c.held_before) key[c.held_before] = 1;
        press_in_turn(c.steps);
        title_screen();
        EXPECT_EQ(match.game_mode, c.mode) << "after " << c.steps.size() << " steps";
    }
    // A joystick's stick and button: the second one does as the first.
    script = [] {
        joy[1].stick[0].axis[0].d2 = frames == 1;  // right, to WATCH
        joy[1].button[1].b = frames == 3;
    };
    frames = 0;
    title_screen();
    EXPECT_EQ(match.game_mode, mode_cpu_vs_cpu);
    joy[1].button[1].b = 0;

    // The select's highlight starts on the upper row under a mouse resting on the lower one, and goes
    // to the row the mouse moves over, as on the title.
    struct SelectCase {
        std::vector<Step> steps;
        int8_t chosen;
        int held_before = 0;
    };
    for (const SelectCase& c : {SelectCase{{KEY_ENTER}, 0}, SelectCase{{KEY_DOWN, KEY_Z}, 1},
                                SelectCase{{KEY_DOWN, KEY_UP, KEY_X}, 0}, SelectCase{{KEY_DOWN, KEY_Z}, 1, KEY_Z},
                                SelectCase{{pointer_to(60, 330), KEY_Z}, 1}, SelectCase{{pointer_to(200, 300), KEY_UP, 0, KEY_Z}, 0},
                                SelectCase{{KEY_DOWN, pointer_to(60, 100), KEY_Z}, 1}}) {
        frames = 0;
        set_mouse(60, 300, 0);
        if (c.held_before) key[c.held_before] = 1;
        press_in_turn(c.steps);
        EXPECT_EQ(character_select(), c.chosen);
    }
}

TEST_F(Screens, TwoPeopleChooseEachWithTheirOwnKeysOrClickInTurn) {
    set_game_mode(mode_two_players);
    struct Case {
        std::vector<int> keys;
        int clicks_y[2];  // rows clicked, 0 for none
        int8_t left, right;
        int held_before = 0;  // a key still down as the select opens, let go on the first frame
    };
    // Each one's up and down move only their own frame; a choice stays while the other chooses.
    for (const Case& c : {Case{{KEY_S, KEY_E, KEY_SLASH}, {0, 0}, 1, 0},
                          Case{{KEY_DOWN, KEY_SLASH, KEY_W, KEY_UP, KEY_Q}, {0, 0}, 0, 1},
                          Case{{KEY_S, KEY_DOWN, KEY_E, KEY_SLASH}, {0, 0}, 1, 1},
                          Case{{}, {300, 250}, 1, 0}, Case{{KEY_SLASH}, {300, 0}, 1, 0},
                          Case{{KEY_S, KEY_E, KEY_SLASH}, {0, 0}, 1, 0, KEY_E}}) {
        frames = 0;
        if (c.held_before) key[c.held_before] = 1;
        set_mouse(60, 300, 0);
        script = [&c] {
            for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
            const size_t at = static_cast<size_t>(frames - 1);
            if (at % 2 == 0 && at / 2 < c.keys.size()) key[c.keys[at / 2]] = 1;
            const size_t click = at - 2 * c.keys.size();
            if (at >= 2 * c.keys.size() && click / 2 < 2) set_mouse(60, c.clicks_y[click / 2], click % 2 == 0);
            key[KEY_ESC] = at >= 2 * c.keys.size() + 8;  // ends a select that did not return by itself
        };
        int8_t chosen[2] = {-1, -1};
        EXPECT_TRUE(pair_character_select(chosen));
        EXPECT_EQ(chosen[0], c.left);
        EXPECT_EQ(chosen[1], c.right);
    }
}

TEST_F(Screens, AnEnlargedWindowShowsTheSelectEnlargedAndReadsTheMouseInGamePoints) {
    // At scale 2 the mouse moves over a 512 x 768 window: window point (300, 400) is game point
    // (150, 200), on the upper row, although 400 itself would be on the lower one.
    window_scale = 2;
    BITMAP* const game_screen = screen;
    BITMAP* window = create_bitmap(512, 768);
    screen = window;
    forget_window();
    set_mouse(2 * 60, 2 * 300, 0);
    script = [&] {
        if (frames == 1) {
            expect_pixels(window, {{2 * 10, 2 * 10, charsel_colour()}, {2 * 70 + 1, 2 * (192 + 10) + 1, portrait_colour(0)},
                                   {2 * 200, 2 * (192 + 150), portrait_colour(1)}, {2 * 60, 2 * 300, green()},
                                   {2 * 60 + 2 * 7, 2 * 300, green()}});
            set_mouse(300, 400, 1);
        }
        if (frames == 2) set_mouse(300, 400, 0);
        ASSERT_LT(frames, 5) << "the select never returned";
    };
    EXPECT_EQ(character_select(), 0);
    screen = game_screen;
    destroy_bitmap(window);
}

TEST_F(Screens, LoadingShowsWhiteWordsOnBlackAlone) {
    clear_to_color(screen, makecol(90, 90, 90));
    loading_screen();
    int white_pixels = 0;
    for (int y = 0; y < panel_height; y++)
        for (int x = 0; x < screen_width; x++) {
            const Rgb c = pixel(screen, x, y);
            ASSERT_TRUE(c == black() || c == white()) << x << "," << y;
            const bool in_words = x >= 128 - 40 && x < 128 + 40 && y >= 96 && y < 104;
            if (c == white()) {
                ASSERT_TRUE(in_words) << x << "," << y;
            }
            white_pixels += c == white();
        }
    EXPECT_GT(white_pixels, 40);  // "loading..." in the built-in font, centred on (128, 96)
}

TEST_F(Screens, MenuArithmeticWrapsAndKeepsVolumesWithinBounds) {
    struct Move {
        int from;
        uint8_t command;
        int to;
    };
    for (const Move m : {Move{0, cmd_down, 1}, Move{3, cmd_down, 0}, Move{0, cmd_up, 3}, Move{2, cmd_up, 1},
                         Move{1, cmd_up | cmd_down, 1}, Move{2, cmd_left, 2}})
        EXPECT_EQ(menu_index_after(m.from, m.command), m.to) << m.from << " with " << int(m.command);
    int index = item_resume;
    for (int k = 0; k < 4; k++) index = menu_index_after(index, cmd_down);
    EXPECT_EQ(index, item_resume);

    struct Step {
        int from;
        uint8_t command;
        int to;
    };
    for (const Step s : {Step{128, cmd_left, 124}, Step{128, cmd_right, 132}, Step{252, cmd_right, 252},
                         Step{0, cmd_left, 0}, Step{4, cmd_left, 0}, Step{248, cmd_right, 252},
                         Step{128, cmd_left | cmd_right, 128}, Step{128, cmd_up, 128}})
        EXPECT_EQ(volume_after(s.from, s.command), s.to) << s.from << " with " << int(s.command);
    uint8_t v = 128;
    for (int k = 0; k < 100; k++) v = volume_after(v, cmd_right);
    EXPECT_EQ(v, 252);
    for (int k = 0; k < 100; k++) v = volume_after(v, cmd_left);
    EXPECT_EQ(v, 0);
}

TEST_F(Screens, PauseMenuShowsItsItemsAndTheBarOverHalfLoudMusicAndZOrXConfirms) {
    set_board(players[0], diagonal_board);
    ASSERT_TRUE(mkdir("music", 0700) == 0);  // a short track for the title's music
    ASSERT_EQ(std::system((std::string("cp ") + game_folder + "/break.wav " + music_table[track_title]).c_str()), 0);
    struct Case {
        int volume, confirm_key;
        bool on_quit;
    };
    for (const Case c : {Case{0, KEY_Z, false}, Case{128, KEY_X, false}, Case{252, KEY_Z, true}, Case{128, KEY_X, true}}) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << (c.on_quit ? ", quit" : ", resume"));
        sfx_volume = static_cast<uint8_t>(c.volume);
        clear_bitmap(bottom_panel);  // the game under the menu: black
        play_music(track_title);
        const int confirm_at = c.on_quit ? 6 : 4;
        frames = 0;
        script = [&] {
            for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
            EXPECT_EQ(voice_of(music_sample()).volume, music_volume / 2);
            if (frames == 1) {
                // Resume large, its label alone: where it is transparent the game shows through;
                // quit below it at half size.
                expect_pixels(screen, {{100, panel_height + 44, label_colour(0)}, {100, panel_height + 49, black()},
                                       {100, panel_height + 69, label_colour(1)}});
                key[KEY_UP] = 1;  // resume -> the effects volume, wrapping
            }
            if (frames == 3) {  // drawn after the pass that moved
                const int right = volume_bar_right(sfx_volume);
                EXPECT_EQ(right, c.volume == 0 ? 68 : c.volume == 128 ? 128 : 186);
                expect_pixels(screen, {{40, 80, bg_colour()}, {68, bar_y, white()}, {right, bar_y, white()},
                                       {right + 1, bar_y, black()}, {188, bar_y, white()}});
                key[KEY_DOWN] = 1;  // back to resume
            }
            if (frames == 5 && c.on_quit) key[KEY_DOWN] = 1;
            if (frames == confirm_at) key[c.confirm_key] = 1;
            if (frames >= 8) {
                ADD_FAILURE() << "the menu never closed";
                key[KEY_Z] = 1;
            }
        };
        EXPECT_EQ(pause_menu(), c.on_quit ? quit_match : quit_none);
        EXPECT_EQ(frames, confirm_at);
        EXPECT_EQ(sfx_volume, c.volume);
        EXPECT_EQ(voice_of(music_sample()).volume, music_volume);  // back to full
        EXPECT_EQ(tick_count.load(), 1);  // the first frame after the menu does not wait
        tick_count = 0;
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        release_music();
    }
    std::remove(music_table[track_title]);
    std::remove("music");
}

TEST_F(Screens, EscapeAtTheEndOfTheResultOpensThePauseMenuAndTheMatchGoesOnFromIt) {
    // The winner's animation outlasts the banners: the result has frames of its own.
    release_anim(&players[0]->anims[anim_win]);
    players[0]->anims[anim_win] = figure_anim(anim_win, 64, 30 * frame_height, anim_idle, 0);
    bool escaped = false;
    int menu_frames = 0;
    script = [&] {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        if (round_phase == phase_battle) match.balance = balance_limit;
        if (escaped) {
            menu_frames++;
            expect_pixels(screen, {{100, panel_height + 44, label_colour(0)}});
            key[KEY_Z] = menu_frames == 2;  // resume
        } else if (round_phase == phase_result && players[0]->anim_queue[0] != anim_win) {
            key[KEY_ESC] = 1;  // the animations have ended: the result is over
            escaped = true;
        }
        ASSERT_LT(frames, 300) << "the round never ended";
    };
    EXPECT_TRUE(play_round());
    EXPECT_EQ(menu_frames, 2);
    EXPECT_EQ(match.round_number, 2);
}

// One visit of the title, the select and a round that the player quits from the pause menu.
void title_select_round_quit() {
    frames = 0;
    script = [] { set_mouse(200, 250, frames == 1); };
    title_screen();
    frames = 0;
    script = [] { set_mouse(100, 300, frames == 1); };
    EXPECT_EQ(character_select(), 1);
    int escape_at = 0;
    script = [&] {
        for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
        if (round_phase == phase_battle && escape_at == 0) escape_at = frames;
        EXPECT_TRUE(round_phase == phase_intro || round_phase == phase_battle) << "a banner or result after the quit";
        const int n = escape_at ? frames - escape_at : -1;
        if (n == 0) key[KEY_ESC] = 1;
        if (n == 1) key[KEY_DOWN] = 1;  // quit
        if (n == 2) key[KEY_Z] = 1;
        ASSERT_LT(n, 4) << "the menu never closed";
    };
    EXPECT_FALSE(play_round());
    EXPECT_EQ(quit_request, quit_match);
    for (int k = 0; k < KEY_MAX; k++) key[k] = 0;
}

TEST_F(Screens, AScreensPicturesAreReleasedWhenItCloses) {
    title_select_round_quit();  // the first visit loads what stays for the run
    const size_t in_use = mallinfo2().uordblks;
    for (int k = 0; k < 10; k++) title_select_round_quit();
    // A picture kept by mistake is at least a 120 x 24 label: 5 KiB, ten times over.
    EXPECT_LT(static_cast<long>(mallinfo2().uordblks) - static_cast<long>(in_use), 16 * 1024);
}

// The music streams from its file: the stream's buffer holds the track over and over (it is shorter),
// a refill goes on where the last one stopped, looping without a seam, and a file cut while it plays
// ends the music quietly.
TEST_F(Screens, MusicStreamsFromItsFileLoopingAndEndsQuietlyWhenTheFileIsCut) {
    constexpr int values = 1000;
    auto value = [](int k) { return static_cast<uint16_t>(static_cast<int16_t>(37 * k - 18000)); };
    std::vector<uint8_t> wav = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                                1, 0, 1, 0, 0x22, 0x56, 0, 0, 0x44, 0xac, 0, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a',
                                values * 2 % 256, values * 2 / 256, 0, 0};
    for (int k = 0; k < values; k++) wav.insert(wav.end(), {static_cast<uint8_t>(value(k)), static_cast<uint8_t>(value(k) >> 8)});
    wav[4] = static_cast<uint8_t>((wav.size() - 8) % 256), wav[5] = static_cast<uint8_t>((wav.size() - 8) / 256);
    ASSERT_TRUE(mkdir("music", 0700) == 0);
    const char* track = music_table[track_title];
    FILE* out = std::fopen(track, "wb");
    ASSERT_TRUE(out && std::fwrite(wav.data(), 1, wav.size(), out) == wav.size() && std::fclose(out) == 0);

    play_music(track_title);
    const SAMPLE* heard = music_sample();
    ASSERT_TRUE(heard && voice_of(heard).looped && voice_of(heard).volume == music_volume);
    const auto* buffer = static_cast<const uint16_t*>(heard->data);
    const int length = static_cast<int>(heard->len), half = length / 2;
    for (int k = 0; k < length; k++) ASSERT_EQ(buffer[k], value(k % values) ^ 0x8000) << "value " << k;
    listened_position = half;  // the second half plays: the first is filled again, on from where it stopped
    feed_music();
    for (int k = 0; k < half; k++) ASSERT_EQ(buffer[k], value((length + k) % values) ^ 0x8000) << "value " << k;

    ASSERT_EQ(truncate(track, 44), 0);  // the sound data gone while it plays
    listened_position = 0;
    feed_music();
    EXPECT_EQ(music_track(), -1);
    EXPECT_EQ(music_sample(), nullptr);
    std::remove(track);
    std::remove("music");
}

}  // namespace

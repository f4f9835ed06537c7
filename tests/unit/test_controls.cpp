// Keyboard and first joystick: directions and toggle once per change, action while held, S.
#include <cstring>

#include "board_fixture.h"
#include "board/turn.h"
#include "control/controls.h"
#include "game/frame.h"
#include "platform/settings.h"

namespace {

class Controls : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        std::memset(joy, 0, sizeof joy[0] * 2);
    }
    void TearDown() override { std::memset(joy, 0, sizeof joy[0] * 2); }

    // One poll; returns the command it wrote.
    int poll() {
        poll_controls(p);
        return p->command;
    }

    // Frames of keys held and the command each frame's poll gives.
    struct Frame {
        std::vector<int> keys;
        int command;
    };
    void expect_commands(const std::vector<Frame>& frames) {
        for (size_t f = 0; f < frames.size(); f++) {
            for (int k : {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_X, KEY_Z}) key[k] = 0;
            for (int k : frames[f].keys) key[k] = 1;
            EXPECT_EQ(poll(), frames[f].command) << "frame " << f;
        }
    }
};

TEST_F(Controls, DirectionsAndToggleAreReportedOncePerChangeTheActionWhileHeld) {
    expect_commands({
        // A direction once; a second joins: both; one let go: the rest again; two in one frame.
        {{KEY_RIGHT}, cmd_right}, {{KEY_RIGHT}, 0}, {{KEY_RIGHT}, 0},
        {{KEY_RIGHT, KEY_UP}, cmd_up | cmd_right}, {{KEY_RIGHT, KEY_UP}, 0},
        {{KEY_RIGHT}, cmd_right}, {{}, 0},
        {{KEY_UP, KEY_DOWN}, cmd_up | cmd_down}, {{}, 0},
        // The toggle belongs to the tracked set: while it is held, each change reports it again.
        {{KEY_X}, cmd_toggle}, {{KEY_X}, 0}, {{KEY_X, KEY_LEFT}, cmd_toggle | cmd_left}, {{KEY_X}, cmd_toggle},
    });
    EXPECT_EQ(p->held_dirs, cmd_toggle);
    expect_commands({
        // The action on every frame it is held and untracked: pressing it reports no held direction
        // again. When the tracked set changes to empty, all held bits are reported: just the action.
        {{}, 0}, {{KEY_DOWN}, cmd_down}, {{KEY_DOWN, KEY_Z}, cmd_action}, {{KEY_Z}, cmd_action}, {{KEY_Z}, cmd_action},
        {{KEY_Z, KEY_DOWN}, cmd_action | cmd_down}, {{KEY_Z, KEY_DOWN}, cmd_action}, {{}, 0},
    });
    EXPECT_EQ(p->held_dirs, 0);
}

TEST_F(Controls, AHeldDirectionRepeatsOnlyWhenTheSettingAsksAfterItsDelayAtItsRate) {
    struct Case {
        int delay, rate;
        std::vector<int> frames;  // the frames (0 = pressed) that report the held right arrow
    };
    const Case cases[] = {
        {0, 3, {0}},               // off: once per press, as always
        {8, 3, {0, 8, 11, 14, 17}},
        {2, 1, {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}},
    };
    for (const Case& c : cases) {
        settings.repeat_delay = c.delay, settings.repeat_rate = c.rate;
        p->held_dirs = 0;
        std::vector<Frame> frames(20, Frame{{KEY_RIGHT}, 0});
        for (int f : c.frames) frames[f].command = cmd_right;
        frames.push_back({{}, 0});
        frames.push_back({{KEY_RIGHT}, cmd_right});  // pressed again: at once, and its delay anew
        frames.push_back({{KEY_RIGHT}, 0});
        expect_commands(frames);
    }
    settings = Settings();
}

TEST_F(Controls, JoystickAndKeyboardAreMergedBitByBit) {
    // Each joystick flag on its own.
    struct Flag {
        int* flag;
        int bit;
    };
    const Flag flags[] = {
        {&joy[0].stick[0].axis[1].d1, cmd_up},    {&joy[0].stick[0].axis[1].d2, cmd_down},
        {&joy[0].stick[0].axis[0].d1, cmd_left},  {&joy[0].stick[0].axis[0].d2, cmd_right},
        {&joy[0].button[0].b, cmd_toggle},        {&joy[0].button[1].b, cmd_action},
    };
    for (const Flag& f : flags) {
        *f.flag = 1;
        EXPECT_EQ(poll(), f.bit);
        *f.flag = 0;
        poll();
    }

    // The same direction from both sources counts once: releasing one source changes nothing.
    key[KEY_RIGHT] = 1;
    joy[0].stick[0].axis[0].d2 = 1;
    EXPECT_EQ(poll(), cmd_right);
    key[KEY_RIGHT] = 0;
    EXPECT_EQ(poll(), 0);
    EXPECT_EQ(p->held_dirs, cmd_right);
    joy[0].stick[0].axis[0].d2 = 0;
    EXPECT_EQ(poll(), 0);
    EXPECT_EQ(p->held_dirs, 0);

    // Different bits from the two sources combine.
    key[KEY_UP] = 1;
    joy[0].button[1].b = 1;
    EXPECT_EQ(poll(), cmd_up | cmd_action);
}

TEST_F(Controls, HeldSKeyFillsTheSuperMeterOfItsBoardOnly) {
    set_board(p, diagonal_board);
    key[KEY_S] = 1;
    EXPECT_EQ(poll(), cmd_fill_meter);  // no direction, toggle or action
    p->super_meter = 1;
    board_step(p, poll_controls);
    EXPECT_EQ(p->super_meter, 4);  // on every frame while held
    key[KEY_S] = 0;
    p->super_meter = 2;
    board_step(p, poll_controls);
    EXPECT_EQ(p->super_meter, 2);
    EXPECT_EQ(players[1]->super_meter, 0);  // only the polled board
}

TEST_F(Controls, BetweenTwoPeopleEachKeyAndEachJoystickDrivesItsOwnBoardOnly) {
    set_game_mode(mode_two_players);
    struct Case {
        int key;     // a key held alone, or no_key
        int* flag;   // or a joystick flag set alone
        int side;    // the board that must take it, or -1 for neither
        int bit;
    };
    const Case cases[] = {
        {KEY_W, nullptr, 0, cmd_up}, {KEY_S, nullptr, 0, cmd_down}, {KEY_A, nullptr, 0, cmd_left},
        {KEY_D, nullptr, 0, cmd_right}, {KEY_Q, nullptr, 0, cmd_toggle}, {KEY_E, nullptr, 0, cmd_action},
        {KEY_UP, nullptr, 1, cmd_up}, {KEY_DOWN, nullptr, 1, cmd_down}, {KEY_LEFT, nullptr, 1, cmd_left},
        {KEY_RIGHT, nullptr, 1, cmd_right}, {KEY_STOP, nullptr, 1, cmd_toggle}, {KEY_SLASH, nullptr, 1, cmd_action},
        // The one-player keys X and Z, and the practice keys, are nobody's.
        {KEY_X, nullptr, -1, 0}, {KEY_Z, nullptr, -1, 0}, {KEY_P, nullptr, -1, 0},
        {no_key, &joy[0].stick[0].axis[1].d1, 0, cmd_up}, {no_key, &joy[0].button[1].b, 0, cmd_action},
        {no_key, &joy[1].stick[0].axis[0].d2, 1, cmd_right}, {no_key, &joy[1].button[0].b, 1, cmd_toggle},
    };
    for (const Case& c : cases) {
        key[c.key] = 1;
        if (c.flag) *c.flag = 1;
        for (int side : {0, 1}) {
            command_sources[side](players[side]);
            EXPECT_EQ(players[side]->command, side == c.side ? c.bit : 0) << "key " << c.key << ", board " << side;
        }
        key[c.key] = 0;
        if (c.flag) *c.flag = 0;
        for (int side : {0, 1}) command_sources[side](players[side]);
    }
}

}  // namespace

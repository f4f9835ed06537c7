// Keyboard and first joystick: directions and toggle once per change, action while held, S.
#include <cstring>

#include "board_fixture.h"
#include "board/turn.h"
#include "control/controls.h"

namespace {

class Controls : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        std::memset(&joy[0], 0, sizeof joy[0]);
    }
    void TearDown() override { std::memset(&joy[0], 0, sizeof joy[0]); }

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

}  // namespace

// Keyboard and first joystick: directions and toggle once per change, action while held, S.
#include <cstring>

#include "board_fixture.h"
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
};

TEST_F(Controls, DirectionsAreReportedOnlyWhenTheHeldSetChanges) {
    key[KEY_RIGHT] = 1;
    std::vector<int> commands;
    for (int f = 0; f < 4; f++) commands.push_back(poll());
    EXPECT_EQ(commands, (std::vector<int>{cmd_right, 0, 0, 0}));

    key[KEY_UP] = 1;  // a second direction joins: both are reported together
    EXPECT_EQ(poll(), cmd_up | cmd_right);
    EXPECT_EQ(poll(), 0);
    key[KEY_UP] = 0;  // releasing one reports the rest again
    EXPECT_EQ(poll(), cmd_right);
    key[KEY_RIGHT] = 0;
    EXPECT_EQ(poll(), 0);
    EXPECT_EQ(p->held_dirs, 0);

    key[KEY_UP] = key[KEY_DOWN] = 1;  // both in the same frame
    EXPECT_EQ(poll(), cmd_up | cmd_down);
}

TEST_F(Controls, ToggleBelongsToTheTrackedSet) {
    key[KEY_X] = 1;
    EXPECT_EQ(poll(), cmd_toggle);
    EXPECT_EQ(poll(), 0);
    key[KEY_LEFT] = 1;  // while toggle is held, each change reports it again
    EXPECT_EQ(poll(), cmd_toggle | cmd_left);
    key[KEY_LEFT] = 0;
    EXPECT_EQ(poll(), cmd_toggle);
    EXPECT_EQ(p->held_dirs, cmd_toggle);
}

TEST_F(Controls, ActionIsReportedOnEveryFrameItIsHeld) {
    key[KEY_Z] = 1;
    EXPECT_EQ(poll(), cmd_action);
    EXPECT_EQ(poll(), cmd_action);
    EXPECT_EQ(p->held_dirs, 0);  // the action is not tracked
    key[KEY_DOWN] = 1;
    EXPECT_EQ(poll(), cmd_action | cmd_down);
    EXPECT_EQ(poll(), cmd_action);
    key[KEY_DOWN] = 0;
    EXPECT_EQ(poll(), cmd_action);  // the set changed to empty: all held bits, just the action
    key[KEY_Z] = 0;
    EXPECT_EQ(poll(), 0);
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

TEST_F(Controls, HeldSKeyFillsTheSuperMeterWithoutACommand) {
    key[KEY_S] = 1;
    EXPECT_EQ(poll(), 0);
    EXPECT_EQ(p->super_meter, 4);
    p->super_meter = 1;
    poll();
    EXPECT_EQ(p->super_meter, 4);  // on every call while held
    key[KEY_S] = 0;
    p->super_meter = 2;
    poll();
    EXPECT_EQ(p->super_meter, 2);
    EXPECT_EQ(players[1]->super_meter, 0);  // only the polled board
}

TEST_F(Controls, ADirectionHeldFromBeforeGivesNothingNew) {
    p->held_dirs = cmd_left;  // held when the last change was reported, e.g. in an earlier round
    key[KEY_LEFT] = 1;
    EXPECT_EQ(poll(), 0);
    p->command = cmd_down;  // a stale command is always replaced
    EXPECT_EQ(poll(), 0);
}

}  // namespace

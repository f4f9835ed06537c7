#!/usr/bin/env bash
# The game opens its 256 x 384 window on the title screen; PLAY and the character select lead to a
# round whose top panel shows the background around the boards. ESC on the title ends the game with
# status 0, and so does the window's close button in a round.
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb

# ---- the window and the background ---------------------------------------------------------------
start_game
wait_window
if [ "$WIN_W" -ne 256 ] || [ "$WIN_H" -ne 384 ]; then fail "the window is ${WIN_W}x$WIN_H, not 256x384"; fi
note "window $WINDOW at ($WIN_X, $WIN_Y), ${WIN_W}x$WIN_H"
enter_round

# Points of the top panel that no board, frame, text or star covers: the strips above and below the
# boards and the gap between them. Each must show bg.pcx, give or take 16-bit rounding. (Each point
# is "X Y", split into two arguments on purpose.)
background_points=("2 2" "128 4" "253 9" "128 24" "128 170" "2 186" "128 188" "253 190")
shown=0
for k in $(seq 50); do
    screenshot
    shown=1
    for p in "${background_points[@]}"; do
        colours_close "$(pixel $p)" "$(picture_pixel bg.pcx $p)" 8 || { shown=0; break; }
    done
    [ "$shown" -eq 1 ] && break
    sleep 0.1
done
if [ "$shown" -ne 1 ]; then
    for p in "${background_points[@]}"; do
        echo "  at ($p): window $(pixel $p), bg.pcx $(picture_pixel bg.pcx $p)" >&2
    done
    fail "the top panel does not show bg.pcx around the boards"
fi
note "the top panel shows bg.pcx"

# The bottom panel is drawn too: its middle is not the black of an empty window.
[ "$(pixel 128 300)" != "0 0 0" ] || fail "the bottom panel is black"

# ---- the close button ----------------------------------------------------------------------------
# Without a window manager there is no button to click: the probe sends the window the same message
# a window manager sends when its close button is pressed.
"$PROBE" close "$WINDOW" || fail "cannot send the close message"
wait_exit 3 || fail "the game still runs 3 s after its window was asked to close"
[ "$GAME_STATUS" -eq 0 ] || fail "the close button ended the game with status $GAME_STATUS, not 0"
note "the close button ends the game with status 0 from a round"

# ---- ESC on the title ----------------------------------------------------------------------------
start_game
wait_window
wait_title
press Escape 200
wait_exit 3 || fail "the game still runs 3 s after ESC"
[ "$GAME_STATUS" -eq 0 ] || fail "ESC ended the game with status $GAME_STATUS, not 0"
note "ESC on the title ends the game with status 0"

#!/usr/bin/env bash
# Two machines on one: two games in two virtual X servers, one hosting (--host; its select says that
# the other player chooses elsewhere, then it names this machine's address and port), one joining from
# its title (TAB, J, the host's address typed, with a slip mended by backspace). Each chooses its character on its own screen; in the round each moves its own frame with
# its own keys, and both screens show both boards, frames and scores alike, while a stranger throws
# random datagrams at the host's port meanwhile. Then the joining game is
# killed: the host's match ends within 6 s with "connection lost", and its title returns.
source "$(dirname "$0")/lib.sh" "$1"

port=$((30000 + $$ % 20000))
B_PID="" B_XVFB="" B_WINDOW=""
trap 'stop_pid "$B_PID"; stop_pid "$B_XVFB"; cleanup' EXIT

# ---- the host: this test's own X server and game ---------------------------------------------------
start_xvfb
A_DISPLAY=$DISPLAY
start_game "$GAME_DIR" ./cupclash --host "$port"
wait_window
wait_picture 128 8 charsel.pcx 128 8 || fail "the host's character select did not appear"
wait_select_note charsel_online.pcx || fail "the online select does not say that the other player chooses elsewhere"
press Return  # the upper row
# It names where to join: an address of this machine with the port (as its waiting screen does).
keep_trying 5 0.1 grep -qE "waiting for the other player at [0-9.]+:$port( |\$)" "$GAME_ERR" ||
    fail "the host does not say where to join: $(cat "$GAME_ERR")"
note "the host chose its character and waits: $(grep -o 'waiting for the other player at .*' "$GAME_ERR")"

# ---- the joiner: a second X server and game, by hand ------------------------------------------------
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp -noreset 3>"$E2E_TMP/display_b" >/dev/null 2>&1 &
B_XVFB=$!
for k in $(seq 100); do [ -s "$E2E_TMP/display_b" ] && break; sleep 0.05; done
B_DISPLAY=":$(head -n1 "$E2E_TMP/display_b")"
mkdir -p "$E2E_TMP/home_b"
(cd "$GAME_DIR" && DISPLAY=$B_DISPLAY HOME="$E2E_TMP/home_b" exec ./cupclash >"$E2E_TMP/b.out" 2>"$E2E_TMP/b.err") &
B_PID=$!
# Runs a lib.sh helper on the joiner's screen.
on_b() { DISPLAY=$B_DISPLAY WINDOW=$B_WINDOW "$@"; }
for k in $(seq 200); do
    B_WINDOW=$(DISPLAY=$B_DISPLAY xdotool search --name '^cupclash$' 2>/dev/null | head -n1) || true
    [ -n "$B_WINDOW" ] && break
    sleep 0.05
done
[ -n "$B_WINDOW" ] || fail "the joiner's window did not appear: $(cat "$E2E_TMP/b.err")"
sleep 1
for spot in "0 0" "255 383" "60 250"; do  # as wait_window does
    # shellcheck disable=SC2086
    on_b xdotool mousemove --window "$B_WINDOW" $spot
    sleep 0.1
done
on_b xdotool windowfocus "$B_WINDOW" 2>/dev/null || true
on_b wait_title
on_b press Tab
on_b press j
on_b xdotool type --delay 80 "127.0.0.1:${port}9"
on_b press BackSpace
on_b press Return
on_b wait_picture 128 8 charsel.pcx 128 8 || fail "the joiner's character select did not appear"
on_b press Down
on_b press Return  # the lower row
note "the joiner chose its character"

# ---- one round, seen alike on both screens ----------------------------------------------------------
wait_round 30
on_b wait_round 10
wait_ready 20 || fail "the host's left board never became ready"
on_b wait_ready 10 || fail "the joiner's left board never became ready"
(   # a stranger's 200 random datagrams of 1 to 64 bytes
    for k in $(seq 200); do
        head -c $((1 + RANDOM % 64)) /dev/urandom >/dev/udp/127.0.0.1/$port 2>/dev/null || true
        sleep 0.01
    done
) &
# The six-digit score of a side, from x 8 (left) or 152 (right) of the bottom panel.
score_of() {
    local x=8
    [ "$1" = right ] && x=152
    "$PROBE" score "$SHOT" "$WIN_X" "$WIN_Y" "$(reference numbers.pcx)" "$(reference char_bg.pcx)" "$x" 8
}
# Both boards' frames, as "LEFT / RIGHT", on the last screenshot.
frames() { echo "$(cursor) / $(WIN_X=$((WIN_X + 128)) cursor)"; }
for k in Down Down Down; do press "$k"; done          # the host's frame, on the left board, to row 3
for k in Down x Right; do on_b press "$k"; done       # the joiner's, on the right: row 1, column mode, column 1
want="row 3 / column 1"
for t in $(seq 60); do
    screenshot
    a="$(frames) $(score_of left) $(score_of right) $(board)"
    on_b screenshot
    b="$(frames) $(score_of left) $(score_of right) $(board)"
    [ "$a" = "$b" ] && [ "$(frames)" = "$want" ] && break
    sleep 0.1
done
[ "$(frames)" = "$want" ] || fail "the frames read \"$(frames)\" on the joiner's screen, not \"$want\""
[ "$a" = "$b" ] || fail "the screens differ: host \"$a\", joiner \"$b\""
note "both screens show $(frames), scores $(score_of left) and $(score_of right), and the same left board"

# ---- the joiner vanishes ----------------------------------------------------------------------------
start=$(now_ms)
{ kill -KILL "$B_PID" && wait "$B_PID"; } 2>/dev/null || true
B_PID=""
until grep -q 'cupclash: connection lost' "$GAME_ERR"; do
    [ $(($(now_ms) - start)) -lt 6000 ] || fail "6 s after the joiner was killed the host still plays: $(cat "$GAME_ERR")"
    sleep 0.1
done
note "the host said \"connection lost\" $(($(now_ms) - start)) ms after the joiner was killed"
wait_title 8
note "the host is back on its title"

#!/usr/bin/env bash
# What the game's surroundings may do to it: a launcher that closes its standard descriptors, SIGTERM
# and SIGINT at any moment, an X server that goes away. It goes on, or ends cleanly: never a crash.
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb

# ---- standard error closed, or all three: the title shows, and ESC ends the game ---------------------
# Without a sound card, so that the game has something to say on its closed standard error.
SOUND_DEVICE=none
home=$(make_home)
SOUND_DEVICE=capture
for closed in "2" "0 1 2"; do
    if [ "$closed" = 2 ]; then
        (cd "$GAME_DIR" && HOME="$home" exec ./cupclash 2>&-) &
    else
        (cd "$GAME_DIR" && HOME="$home" exec ./cupclash <&- >&- 2>&-) &
    fi
    GAME_PID=$!
    wait_window
    wait_title
    press Escape
    wait_exit 3 || fail "with descriptors $closed closed the game ignores ESC"
    [ "$GAME_STATUS" -eq 0 ] || fail "with descriptors $closed closed the game ended with status $GAME_STATUS"
    note "descriptors $closed closed: the title shows, and ESC ends the game with status 0"
done

# ---- SIGTERM and SIGINT, during start-up and in play: status 128 + signal, nothing on stderr -----------
for run in 1 2 3 4 5 6 7 8; do
    signal=TERM expected=143
    [ $((run % 2)) -eq 0 ] && signal=INT expected=130
    after_ms=$(((run - 1) * 150))
    start_game
    sleep "$(awk -v ms="$after_ms" 'BEGIN { printf "%.3f", ms / 1000 }')"
    kill -s "$signal" "$GAME_PID"
    wait_exit 3 || fail "SIG$signal $after_ms ms after the start: the game still runs 3 s later"
    [ "$GAME_STATUS" -eq "$expected" ] ||
        fail "SIG$signal $after_ms ms after the start: status $GAME_STATUS, not $expected"
    [ -s "$GAME_ERR" ] && fail "SIG$signal $after_ms ms after the start: the game wrote: $(cat "$GAME_ERR")"
done
note "SIGTERM and SIGINT at 0 to 1050 ms: status 143 and 130, silent"

# ---- the X server killed in play: one line and status 1 -------------------------------------------------
for run in 1 2 3 4 5 6; do
    start_game
    wait_window
    sleep "0.$((run * 13))"
    kill -KILL "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
    wait_exit 3 || fail "run $run: the game still runs 3 s after its display went away"
    [ "$GAME_STATUS" -eq 1 ] || fail "run $run: the lost display ended the game with status $GAME_STATUS, not 1"
    [ "$(cat "$GAME_ERR")" = "cupclash: lost the connection to the display" ] ||
        fail "run $run: the lost display gave: $(cat "$GAME_ERR")"
    start_xvfb
done
note "the display killed in play six times: one line and status 1 each time"

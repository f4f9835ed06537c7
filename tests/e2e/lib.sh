# shellcheck shell=bash
# Shared by the end-to-end tests (sourced): a virtual X server of the test's own, the game started by
# PID in a folder with a temporary HOME whose ALSA configuration writes everything the game plays to a
# file, and helpers to press keys, take screenshots and read them. Everything started here is killed
# by PID, and every temporary file removed, when the test ends, however it ends.
#
# Usage in a test:  source "$(dirname "$0")/lib.sh" "$1"   ($1: the folder the game runs from)

set -euo pipefail

GAME_DIR=$(cd "${1:?usage: test_*.sh GAME_DIR}" && pwd)
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
TEST_NAME=$(basename "$0" .sh)
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/cupclash-e2e.XXXXXX")
CAPTURE="$E2E_TMP/CAPTURE.raw"  # what the game plays: raw unsigned 16-bit stereo
GAME_OUT="$E2E_TMP/game.out"
GAME_ERR="$E2E_TMP/game.err"
# Where a failing test leaves its last screenshot and the game's output, for a person to look at.
ARTIFACTS="$GAME_DIR/../e2e-artifacts"

XVFB_PID=""
GAME_PID=""
GAME_STATUS=""
WINDOW=""
WIN_X=0 WIN_Y=0 WIN_W=0 WIN_H=0
# Window pixels per game pixel, along each side: pixel, click and wait_window take game coordinates
# and find them on an enlarged window when a test starts the game with --scale (the board, cursor
# and score readers read an unenlarged window only).
WINDOW_SCALE=1
SHOT=""
unset DISPLAY
# ImageMagick's own convert (not any wrapper of the same name earlier on the PATH).
CONVERT=convert
[ -x /usr/bin/convert ] && CONVERT=/usr/bin/convert

# ---- life and death --------------------------------------------------------------------------------

# Ends a process we started, by its PID: politely, then for sure.
stop_pid() {
    local pid=$1 k
    [ -n "$pid" ] || return 0
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null || true; return 0; }
    kill -TERM "$pid" 2>/dev/null || true
    for k in $(seq 20); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

cleanup() {
    stop_pid "$GAME_PID"
    stop_pid "$XVFB_PID"
    rm -rf "$E2E_TMP"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

note() { echo "$TEST_NAME: $*"; }

# Reports a failure with what there is to see, and ends the test.
fail() {
    echo "$TEST_NAME: FAIL: $*" >&2
    mkdir -p "$ARTIFACTS"
    if [ -n "$SHOT" ] && [ -f "$SHOT" ]; then
        "$CONVERT" "$SHOT" "$ARTIFACTS/$TEST_NAME.png" 2>/dev/null &&
            echo "$TEST_NAME: last screenshot: $(cd "$ARTIFACTS" && pwd)/$TEST_NAME.png" >&2
    fi
    if [ -s "$GAME_ERR" ]; then
        echo "--- the game's standard error:" >&2
        grep -v '^ALSA lib' "$GAME_ERR" >&2 || true
    fi
    exit 1
}

# ---- the probe -------------------------------------------------------------------------------------

# The little reader of screenshots and captures (probe.cpp), built once per build folder.
PROBE="$GAME_DIR/../e2e-probe/probe"
if [ ! -x "$PROBE" ] || [ "$E2E_DIR/probe.cpp" -nt "$PROBE" ]; then
    mkdir -p "$(dirname "$PROBE")"
    g++ -std=c++17 -O1 -o "$PROBE.$$" "$E2E_DIR/probe.cpp" -lX11 || fail "cannot build the probe"
    mv -f "$PROBE.$$" "$PROBE"
fi

# A picture of the game folder as an 8-bit PPM the probe can read, made once per test.
reference() {
    local name=$1 base=${1%.*}
    local ppm="$E2E_TMP/ref-${base//\//-}.ppm"  # a character's picture: its folder joins the name
    [ -f "$ppm" ] || "$CONVERT" "$GAME_DIR/$name" -depth 8 "ppm:$ppm" || fail "cannot read $GAME_DIR/$name"
    echo "$ppm"
}

# ---- the X server and the game ---------------------------------------------------------------------

# A virtual X server on a display number it chooses itself, so tests never collide; its desktop is
# 640 x 480 (the game's window fits only unenlarged) unless $1 gives another size, such as 1280x1024.
start_xvfb() {
    local k size=${1:-640x480} file
    # A fresh file for each server: the number read is this server's, never the one it replaces, and
    # only once its whole line is written.
    file=$(mktemp "$E2E_TMP/display.XXXXXX")
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$file" >"$E2E_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for k in $(seq 100); do
        [ "$(wc -l <"$file")" -ge 1 ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
        sleep 0.05
    done
    [ "$(wc -l <"$file")" -ge 1 ] || fail "Xvfb gave no display number within 5 s"
    export DISPLAY=":$(head -n1 "$file")"
    rm -f "$file"
}

# The game's sound: "capture" writes what it plays to $CAPTURE; "none" gives it a machine without a
# sound card (its ALSA default device is a card that is not there).
SOUND_DEVICE=capture

# A HOME whose ALSA default device is the one SOUND_DEVICE asks for.
make_home() {
    local home="$E2E_TMP/home"
    mkdir -p "$home"
    if [ "$SOUND_DEVICE" = none ]; then
        echo 'pcm.!default { type hw; card 99 }' >"$home/.asoundrc"
    else
        cat >"$home/.asoundrc" <<EOF
pcm.!default { type file; slave.pcm "null"; file "$CAPTURE"; format "raw" }
EOF
    fi
    echo "$home"
}

# Starts the game from a folder (the game folder by default), in the background, by PID; $2 is the
# command that starts it (./cupclash by default), which must exec the game; the rest are its arguments.
start_game() {
    local dir=${1:-$GAME_DIR} command=${2:-./cupclash} home
    shift $(($# < 2 ? $# : 2))
    stop_pid "$GAME_PID"
    home=$(make_home)
    rm -f "$CAPTURE"
    GAME_STATUS=""
    (cd "$dir" && HOME="$home" exec "$command" "$@" >"$GAME_OUT" 2>"$GAME_ERR") &
    GAME_PID=$!
}

game_running() { [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; }

# Waits up to $1 seconds for the game to end; its exit status is then in GAME_STATUS.
game_gone() { ! game_running; }
wait_exit() {
    keep_trying "$1" 0.02 game_gone || return 1
    GAME_STATUS=0
    wait "$GAME_PID" || GAME_STATUS=$?
    GAME_PID=""
    return 0
}

# Where the game's window lies on the screen: WIN_X, WIN_Y, WIN_W, WIN_H.
window_geometry() {
    local X=0 Y=0 WIDTH=0 HEIGHT=0
    eval "$(xdotool getwindowgeometry --shell "$WINDOW" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
    WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
}

# Waits for the game's window, notes where it lies, and gives it the keyboard. Its size settles at
# 256 x 384 times WINDOW_SCALE.
wait_window() {
    local k
    WINDOW=""
    for k in $(seq 200); do
        if ! game_running; then
            wait_exit 1 || true
            fail "the game ended with status $GAME_STATUS before its window appeared"
        fi
        WINDOW=$(xdotool search --name '^cupclash$' 2>/dev/null | head -n1) || true
        [ -n "$WINDOW" ] && break
        sleep 0.05
    done
    [ -n "$WINDOW" ] || fail "no window named cupclash within 10 s"
    # The window is created small and then given its size: wait up to 5 s for the size to settle.
    local last="" same=0
    for k in $(seq 100); do
        window_geometry
        if [ "$WIN_X $WIN_Y $WIN_W $WIN_H" = "$last" ]; then same=$((same + 1)); else same=0; fi
        last="$WIN_X $WIN_Y $WIN_W $WIN_H"
        [ "$same" -ge 3 ] && [ "$WIN_W $WIN_H" = "$((256 * WINDOW_SCALE)) $((384 * WINDOW_SCALE))" ] && break
        sleep 0.05
    done
    # Without a window manager the keyboard follows the pointer: put it over the window, and focus.
    # Allegro follows the pointer by its moves, held within the window; one move seen before the
    # window was ready can leave the game's pointer apart from the real one. Touching two opposite
    # corners of the window brings them together, whichever way they were apart. The mouse then
    # rests over PLAY (the select's upper row), where the title's highlight starts: a move over the
    # buttons takes the highlight with it, and the keys a test presses start from PLAY.
    local s=$WINDOW_SCALE
    for k in "0 0" "$((256 * s - 1)) $((384 * s - 1))" "$((60 * s)) $((250 * s))"; do
        # shellcheck disable=SC2086  # the words are the point
        xdotool mousemove --window "$WINDOW" $k 2>/dev/null || true
        sleep 0.1
    done
    xdotool windowfocus "$WINDOW" 2>/dev/null || true
}

# ---- hands and eyes --------------------------------------------------------------------------------

# Holds a key (an X keysym name: Down, Left, x, z, Escape) for $2 ms, 120 by default, then leaves it
# up for 120 ms. The game reads the keyboard once per 40 ms frame and acts when the set of held keys
# changes, so a key must stay down, and then up, for two frames at least to count as one press.
press() {
    local ms=${2:-120}
    xdotool keydown "$1" 2>/dev/null
    sleep "$(awk -v ms="$ms" 'BEGIN { printf "%.3f", ms / 1000 }')"
    xdotool keyup "$1" 2>/dev/null
    sleep 0.12
}

# Holds a key down, or lets it go, for checks made while it is held.
hold() { xdotool keydown "$1" 2>/dev/null; }
release() {
    xdotool keyup "$1" 2>/dev/null
    sleep 0.12
}

# Takes a screenshot of the whole virtual screen; its path is in SHOT.
screenshot() {
    SHOT="$E2E_TMP/shot.ppm"
    import -window root -depth 8 "ppm:$SHOT" 2>/dev/null || fail "cannot take a screenshot"
}

# "R G B" of the pixel at game coordinates (x, y) on the last screenshot.
pixel() { "$PROBE" pixel "$SHOT" $((WIN_X + WINDOW_SCALE * $1)) $((WIN_Y + WINDOW_SCALE * $2)); }

# "R G B" of a pixel of a picture of the game folder.
picture_pixel() { "$PROBE" pixel "$(reference "$1")" "$2" "$3"; }

# True when two "R G B" colours differ by at most $3 in every component (16-bit colour rounds).
colours_close() {
    local a b tol=$3 i d
    read -ra a <<<"$1"
    read -ra b <<<"$2"
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        [ "${d#-}" -le "$tol" ] || return 1
    done
}

# The frame around the left board on the last screenshot: "row R", "column C", "busy" or "none".
cursor() { "$PROBE" cursor "$SHOT" "$WIN_X" "$WIN_Y"; }

# The left board on the last screenshot: ten lines of six characters ('.', '1'..'3', 'a'..'c' junk).
board() { "$PROBE" board "$SHOT" "$WIN_X" "$WIN_Y" "$(reference cups.pcx)" "$(reference bg.pcx)"; }

# The left player's score on the last screenshot.
score() {
    "$PROBE" score "$SHOT" "$WIN_X" "$WIN_Y" "$(reference numbers.pcx)" "$(reference char_bg.pcx)" 8 8
}

# Screenshots until the left board's frame reads "$1", for up to $2 seconds (3 by default).
cursor_reads() {
    screenshot
    [ "$(cursor)" = "$1" ]
}
wait_cursor() { keep_trying "${2:-3}" 0.03 cursor_reads "$1"; }

# Waits up to $1 seconds (10 by default) for the left board to be ready: the same cursor frame and
# the same cups on three screenshots in a row. The cursor is then in CURSOR and the board in BOARD.
wait_ready() {
    local limit=${1:-10} start now last="" same=0 seen
    start=$(date +%s%N)
    while :; do
        game_running || fail "the game ended while waiting for a ready board"
        screenshot
        CURSOR=$(cursor)
        case "$CURSOR" in
        row* | column*)
            seen="$CURSOR/$(board)"
            if [ "$seen" = "$last" ]; then same=$((same + 1)); else same=0; fi
            last=$seen
            if [ "$same" -ge 2 ]; then
                BOARD=$(board)
                return 0
            fi
            ;;
        *) same=0 last="" ;;
        esac
        now=$(date +%s%N)
        [ $(((now - start) / 1000000)) -ge $((limit * 1000)) ] && return 1
        sleep 0.06
    done
}

# Bytes the game has played so far.
capture_size() { stat -c %s "$CAPTURE" 2>/dev/null || echo 0; }

# "LEFT RIGHT LEFT_ALONE RIGHT_ALONE" peaks of what was played from byte $1 on, up to byte $2 when
# given (see probe.cpp).
sound_peaks() { "$PROBE" sound "$CAPTURE" "$@"; }

# Milliseconds since the epoch.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Runs the command after $1 and $2 until it succeeds, $2 seconds apart, for up to $1 seconds; status
# 1 when the time runs out first.
keep_trying() {
    local limit=$1 pause=$2 start
    shift 2
    start=$(now_ms)
    until "$@"; do
        [ $(($(now_ms) - start)) -ge $((limit * 1000)) ] && return 1
        sleep "$pause"
    done
}

# ---- the screens before a round --------------------------------------------------------------------

# Clicks at game coordinates (x, y): the button down for 120 ms, then up for 120 ms (the game reads
# the mouse once per 40 ms frame and chooses on the release).
click() {
    xdotool mousemove --window "$WINDOW" $((WINDOW_SCALE * $1)) $((WINDOW_SCALE * $2)) mousedown 1 2>/dev/null
    sleep 0.12
    xdotool mouseup 1 2>/dev/null
    sleep 0.12
}

# Screenshots until the pixel at (x, y) is close to the pixel of a picture of the game folder at
# (px, py), for up to $6 seconds (5 by default).
picture_shows() {
    screenshot
    colours_close "$(pixel "$1" "$2")" "$(picture_pixel "$3" "$4" "$5")" 8
}
wait_picture() { keep_trying "${6:-5}" 0.05 picture_shows "$1" "$2" "$3" "$4" "$5"; }

# The character select's top picture $1 (another note than the one against the computer) shows
# within a second: seen at the first point where the two notes differ.
wait_select_note() {
    local point x y
    for point in "40 150" "60 150" "100 150" "140 150" "180 150" "100 160" "140 160" "180 160" "220 160"; do
        read -r x y <<<"$point"
        [ "$(picture_pixel charsel.pcx "$x" "$y")" != "$(picture_pixel "$1" "$x" "$y")" ] && break
    done
    wait_picture "$x" "$y" "$1" "$x" "$y" 1
}

# Waits for the title screen: its buttons on the bottom panel.
wait_title() { wait_picture 230 200 buttons.pcx 230 8 "${1:-5}" || fail "the title screen did not appear"; }

# From the title screen into a round: a button ($1 $2: PLAY by default), then the upper row of the
# character select (Ombrelix for the left board).
enter_round() {
    wait_title
    click "${1:-60}" "${2:-250}"
    wait_picture 128 8 charsel.pcx 128 8 || fail "the character select did not appear"
    click 60 250
}

# From the game's start into a round against the computer, then ESC: the pause menu opens.
open_pause_menu() {
    wait_window
    enter_round
    wait_round
    sleep 1
    press Escape 200
    sleep 0.2
}

# Waits up to $1 seconds (20 by default) for a round in play: the left board's frame is drawn.
board_framed() {
    screenshot
    [ "$(cursor)" != none ]
}
wait_round() { keep_trying "${1:-20}" 0.1 board_framed || fail "no round in play within ${1:-20} s"; }

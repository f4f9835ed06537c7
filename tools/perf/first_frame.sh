#!/usr/bin/env bash
# Time from starting the game to its first drawn frame (the target is 150 ms at most).
#
#   tools/perf/first_frame.sh [--sound] [--scale N] [RUNS]
#
# Method: in a virtual X server of its own, first_frame.cpp notes the clock, starts build/game/cupclash
# from its folder, and watches the screen without pause: the first moment at which the game's window
# shows a pixel that is not black is the first frame (the window starts black; the first frame
# covers it with the panels). Reading the 256 x 384 window back takes well under a millisecond, so
# the figure is good to about a millisecond. RUNS runs (10 by default); the median and the worst
# are reported. The game runs silent unless --sound gives it a capture file as its sound device;
# --scale N starts it with --scale N (1 by default), on a desktop large enough for that window.
set -euo pipefail
cd "$(dirname "$0")/../.."

sound=0 runs=10 scale=1
while [ $# -gt 0 ]; do
    case "$1" in
    --sound) sound=1 ;;
    --scale) scale=${2:-}; shift ;;
    [0-9]*) runs=$1 ;;
    *) echo "usage: $0 [--sound] [--scale N] [RUNS]" >&2; exit 2 ;;
    esac
    shift
done
case "$scale" in [1-4]) ;; *) echo "$0: --scale takes 1, 2, 3 or 4" >&2; exit 2 ;; esac

GAME_DIR=$(pwd)/build/game
[ -x "$GAME_DIR/cupclash" ] || { echo "no $GAME_DIR/cupclash: build the game first (./play.sh or ./test.sh)" >&2; exit 1; }

TMP=$(mktemp -d "${TMPDIR:-/tmp}/cupclash-perf.XXXXXX")
XVFB=""
cleanup() {
    if [ -n "$XVFB" ]; then
        kill "$XVFB" 2>/dev/null || true
        wait "$XVFB" 2>/dev/null || true
    fi
    rm -rf "$TMP"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

g++ -std=c++17 -O2 -o "$TMP/first_frame" tools/perf/first_frame.cpp -lX11

mkdir -p "$TMP/home"
if [ "$sound" -eq 1 ]; then
    echo "pcm.!default { type file; slave.pcm \"null\"; file \"$TMP/capture.raw\"; format \"raw\" }" \
        >"$TMP/home/.asoundrc"
fi

Xvfb -displayfd 3 -screen 0 "$((640 * scale))x$((480 * scale))x24" -nolisten tcp -noreset 3>"$TMP/display" >/dev/null 2>&1 &
XVFB=$!
for k in $(seq 100); do
    [ -s "$TMP/display" ] && break
    sleep 0.05
done
export DISPLAY=":$(head -n1 "$TMP/display")"

HOME="$TMP/home" "$TMP/first_frame" cupclash "$GAME_DIR" ./cupclash "$runs" --scale "$scale"

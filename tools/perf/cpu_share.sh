#!/usr/bin/env bash
# How much of the processor the game takes on each of its screens, against the floor: a bare
# Allegro 4 program (bare_panels.cpp) that only shows two panels at 25 frames a second in the same
# window. The game is measured on the title, the tutorial, the character select, a battle and the
# pause menu, each reached by clicks and keys from the title, and in an online round: the game
# hosts (--host) and the simulator's computer joins through cupclash-relay, 100 ms and 5 % loss
# each way. (The loading screen is one frame while
# a round's files load, and the result a few seconds at a round's end: neither lasts long enough to
# be measured on its own; both are paced by the same wait as the rest.) The targets are 4.5 % of a
# core on every screen, and a peak of 14 MiB resident in a battle at scale 1 (16 MiB at scale 2).
#
#   tools/perf/cpu_share.sh [--keys] [--sound] [--scale N] [SECONDS]
#
# Each program runs in its own virtual X server (Xvfb). After a 2 s warm-up its CPU time
# (utime + stime of all its threads, from /proc/PID/stat) is read at the start and at the end of
# SECONDS of wall time (10 by default); the share is CPU time over wall time, 100 % being one core.
# The X server's share over the same stretch is shown beside it, since drawing to a window costs
# the server too. Max RSS is the peak resident memory so far (VmHWM in /proc/PID/status), RSS now
# the resident memory at the end of the stretch (VmRSS).
#   --keys   in the battle and online a person plays meanwhile: arrows, X and Z pressed and released every 150 ms
#   --sound  the programs play to a capture file (ALSA's file plugin) instead of running silent;
#            note that the file device takes sound as fast as it is given, with no sound card's pace
#   --scale  the game runs with --scale N (1 by default), on a desktop large enough for its window;
#            the bare program stays at 256 x 384, the floor of every scale
#   SCREENS="battle pause" in the environment measures only the screens it names
# The game is taken from build/game (build it first: ./play.sh or ./test.sh).
set -euo pipefail
cd "$(dirname "$0")/../.."

keys=0 sound=0 seconds=10 scale=1
while [ $# -gt 0 ]; do
    case "$1" in
    --keys) keys=1 ;;
    --sound) sound=1 ;;
    --scale) scale=${2:-}; shift ;;
    [0-9]*) seconds=$1 ;;
    *) echo "usage: $0 [--keys] [--sound] [--scale N] [SECONDS]" >&2; exit 2 ;;
    esac
    shift
done
case "$scale" in [1-4]) ;; *) echo "$0: --scale takes 1, 2, 3 or 4" >&2; exit 2 ;; esac

GAME_DIR=$(pwd)/build/game
[ -x "$GAME_DIR/cupclash" ] || { echo "no $GAME_DIR/cupclash: build the game first (./play.sh or ./test.sh)" >&2; exit 1; }
for tool in Xvfb xdotool g++ pkg-config; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: ./test.sh installs what the tools need" >&2; exit 1; }
done

TMP=$(mktemp -d "${TMPDIR:-/tmp}/cupclash-perf.XXXXXX")
PIDS=()
cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$TMP"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

g++ -std=c++17 -O2 -o "$TMP/bare_panels" tools/perf/bare_panels.cpp $(pkg-config --cflags --libs allegro)

HZ=$(getconf CLK_TCK)
mkdir -p "$TMP/home"
if [ "$sound" -eq 1 ]; then
    echo "pcm.!default { type file; slave.pcm \"null\"; file \"$TMP/capture.raw\"; format \"raw\" }" \
        >"$TMP/home/.asoundrc"
fi

# CPU ticks (user + system, all threads) a process has used so far.
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
now_ns() { date +%s%N; }

# Starts a virtual X server; its PID is in XVFB and the display exported.
start_xvfb() {
    : >"$TMP/display"
    Xvfb -displayfd 3 -screen 0 "$((640 * scale))x$((480 * scale))x24" -nolisten tcp -noreset 3>"$TMP/display" >/dev/null 2>&1 &
    XVFB=$!
    PIDS+=("$XVFB")
    local k
    for k in $(seq 100); do
        [ -s "$TMP/display" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$TMP/display")"
}

# Presses the game's keys in a loop, until killed.
press_keys() {
    local all=(Left Right Up Down x z) k
    while :; do
        k=${all[RANDOM % ${#all[@]}]}
        xdotool keydown "$k" 2>/dev/null
        sleep 0.08
        xdotool keyup "$k" 2>/dev/null
        sleep 0.07
    done
}

# Clicks at game coordinates.
click() {
    xdotool mousemove --window "$1" $(($2 * scale)) $(($3 * scale)) mousedown 1 2>/dev/null
    sleep 0.12
    xdotool mouseup 1 2>/dev/null
    sleep 0.5
}

# Leads the game from the title to a screen.
go_to() {
    local window=$1
    case "$2" in
    title) ;;
    tutorial) click "$window" 60 340 ;;
    select) click "$window" 60 250 ;;
    battle) click "$window" 60 250; click "$window" 60 250; sleep 2 ;;
    pause) click "$window" 60 250; click "$window" 60 250; sleep 2
        xdotool keydown Escape; sleep 0.2; xdotool keyup Escape ;;
    online) click "$window" 60 250
        (cd "$GAME_DIR" && exec ./cupclash-relay $((PORT + 1)) 127.0.0.1:$PORT --delay 100 --loss 5 --for 120) >/dev/null &
        PIDS+=($!)
        (cd "$GAME_DIR" && exec ./cupclash-sim 8 0 --join 127.0.0.1:$((PORT + 1))) >/dev/null 2>&1 &
        PIDS+=($!)
        sleep 4 ;;
    esac
}

# Runs one program from a folder, on a screen of the game, and prints its line of the table.
measure() {
    local name=$1 dir=$2 program=$3 screen=${4:-} arguments=() window pid presser="" k t0 t1 c0 c1 x0 x1 share xshare hwm rss
    [ -n "$screen" ] && arguments=(--scale "$scale")
    [ "$screen" = online ] && arguments+=(--host "$PORT")
    start_xvfb
    (cd "$dir" && HOME="$TMP/home" exec "$program" "${arguments[@]}" >/dev/null 2>&1) &
    pid=$!
    PIDS+=("$pid")
    window=""
    for k in $(seq 200); do
        window=$(xdotool search --name "^$name\$" 2>/dev/null | head -n1) || true
        [ -n "$window" ] && break
        sleep 0.05
    done
    [ -n "$window" ] || { echo "$name: no window within 10 s" >&2; exit 1; }
    xdotool mousemove --window "$window" $((128 * scale)) $((300 * scale)) 2>/dev/null || true
    xdotool windowfocus "$window" 2>/dev/null || true
    sleep 1
    [ -n "$screen" ] && go_to "$window" "$screen"
    sleep 1
    if [ "$keys" -eq 1 ] && { [ "$screen" = battle ] || [ "$screen" = online ]; }; then
        press_keys &
        presser=$!
        PIDS+=("$presser")
    fi
    t0=$(now_ns) c0=$(cpu_ticks "$pid") x0=$(cpu_ticks "$XVFB")
    sleep "$seconds"
    t1=$(now_ns) c1=$(cpu_ticks "$pid") x1=$(cpu_ticks "$XVFB")
    hwm=$(awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status")
    rss=$(awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status")
    [ -n "$presser" ] && { kill "$presser" 2>/dev/null; wait "$presser" 2>/dev/null || true; }
    share=$(awk -v c=$((c1 - c0)) -v hz="$HZ" -v ns=$((t1 - t0)) 'BEGIN { printf "%.1f", 100 * c / hz / (ns / 1e9) }')
    xshare=$(awk -v c=$((x1 - x0)) -v hz="$HZ" -v ns=$((t1 - t0)) 'BEGIN { printf "%.1f", 100 * c / hz / (ns / 1e9) }')
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    kill "$XVFB" 2>/dev/null || true
    wait "$XVFB" 2>/dev/null || true
    printf '%-22s %9s %% %14s %% %10s MiB %10s MiB\n' "$name${screen:+ ($screen)}" "$share" "$xshare" "$hwm" "$rss"
}

mode="idle"
[ "$keys" -eq 1 ] && mode="keys pressed"
[ "$sound" -eq 1 ] && mode="$mode, sound to a capture file" || mode="$mode, silent"
echo "CPU share over $seconds s of play ($mode, the game at scale $scale); 100 % = one core of $(nproc)"
printf '%-22s %11s %16s %14s %14s\n' program "CPU share" "X server share" "max RSS" "RSS now"
PORT=$((40000 + $$ % 20000))
for screen in ${SCREENS:-title tutorial select battle pause online}; do
    measure cupclash "$GAME_DIR" ./cupclash "$screen"
done
measure bare_panels "$TMP" "$TMP/bare_panels"

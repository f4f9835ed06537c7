#!/usr/bin/env bash
# A person plays the left board from the keyboard: the arrows move the cursor frame, X switches
# between rows and columns, the arrows slide the cursor's line, Z breaks a match; the break pops the
# cups, scores, and plays the break sound on the left. ESC then opens the pause menu, whose quit
# returns to the title, where ESC ends the game with status 0.
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_game
wait_window
enter_round

wait_ready 15 || fail "the left board never became ready (frame: $CURSOR)"
[ "$CURSOR" = "row 0" ] || fail "a round starts with the cursor on row 0 in row mode, not \"$CURSOR\""
note "the round starts ready, cursor on row 0"

# Presses a key and waits for the cursor frame to read "$2".
press_expect() {
    press "$1"
    wait_cursor "$2" 3 || fail "after $1 the frame reads \"$(cursor)\", not \"$2\""
}

# ---- the cursor ----------------------------------------------------------------------------------
# Each key and the frame it leaves; both axes wrap round at both ends.
for step in "Down:row 1" "Up:row 0" "Up:row 9" "Down:row 0" "x:column 0" "Right:column 1" "Left:column 0" \
    "Left:column 5" "Right:column 0" "x:row 0"; do
    press_expect "${step%%:*}" "${step#*:}"
done
note "the arrows move the cursor frame and X switches rows and columns"

# ---- moving to a line ----------------------------------------------------------------------------
# Switches to rows ("row") or columns ("column").
use_axis() {
    case "$CURSOR" in "$1 "*) return 0 ;; esac
    press x
    local k
    for k in $(seq 30); do
        screenshot
        CURSOR=$(cursor)
        case "$CURSOR" in "$1 "*) return 0 ;; esac
        sleep 0.05
    done
    fail "X did not switch to $1 mode (frame: $CURSOR)"
}

# Moves the cursor to row or column $2 of axis $1 the short way round, one checked step at a time.
move_cursor_to() {
    local axis=$1 want=$2 size=10 ahead=Down back=Up now next
    [ "$axis" = column ] && size=6 ahead=Right back=Left
    use_axis "$axis"
    now=${CURSOR#"$axis "}
    while [ "$now" -ne "$want" ]; do
        if [ $(((want - now + size) % size)) -le $((size / 2)) ]; then
            next=$(((now + 1) % size))
            press_expect "$ahead" "$axis $next"
        else
            next=$(((now + size - 1) % size))
            press_expect "$back" "$axis $next"
        fi
        now=$next
        CURSOR="$axis $now"
    done
}

# ---- a slide -------------------------------------------------------------------------------------
row_of() { sed -n "$(($2 + 1))p" <<<"$1"; }

wait_ready 5 || fail "the board is not ready before the slide"
# A row whose cups are not all alike, so that a slide shows.
slide_row=""
for r in 1 2 3 4 5 6 7 8 9 0; do
    line=$(row_of "$BOARD" $r)
    [ "${line:5:1}${line:0:5}" != "$line" ] && { slide_row=$r; break; }
done
[ -n "$slide_row" ] || fail "every row of the board is one cup type:"$'\n'"$BOARD"
move_cursor_to row "$slide_row"
wait_ready 5 || fail "the board is not ready before the slide"
before=$(row_of "$BOARD" "$slide_row")
press Right
wait_ready 5 || fail "the board did not settle after sliding row $slide_row"
after=$(row_of "$BOARD" "$slide_row")
[ "$after" = "${before:5:1}${before:0:5}" ] ||
    fail "row $slide_row slid right from $before to $after, not to ${before:5:1}${before:0:5}"
press Left
wait_ready 5 || fail "the board did not settle after sliding row $slide_row back"
after=$(row_of "$BOARD" "$slide_row")
[ "$after" = "$before" ] || fail "row $slide_row slid left from ${before:5:1}${before:0:5} to $after, not to $before"
note "row $slide_row slides right ($before to ${before:5:1}${before:0:5}) and back"

# ---- a break -------------------------------------------------------------------------------------
# Reads the board, finds a slide that lines up a match and makes it, until the board holds a match.
# The computer's attacks can change the board meanwhile, so each step is read again.
make_a_match() {
    local attempt plan axis line dir
    for attempt in $(seq 8); do
        wait_ready 10 || fail "the board is not ready"
        printf '%s\n' "$BOARD" >"$E2E_TMP/board.txt"
        plan=$("$PROBE" plan "$E2E_TMP/board.txt")
        note "board (${CURSOR}):"$'\n'"$BOARD"$'\n'"plan: $plan"
        case "$plan" in
        match) return 0 ;;
        none)  # nothing lines up in one slide: stir the board and look again
            move_cursor_to row $((attempt % 10))
            press Right
            ;;
        *)
            read -r axis line dir <<<"$plan"
            move_cursor_to "$axis" "$line"
            case "$dir" in right) press Right ;; left) press Left ;; down) press Down ;; up) press Up ;; esac
            ;;
        esac
    done
    fail "no match could be lined up in 8 slides"
}

make_a_match
score_before=$(score)
# While the left board waits, nothing sounds on the left alone.
quiet_from=$(capture_size)
sleep 0.5
sound_from=$(capture_size)
read -r left right left_alone right_alone <<<"$(sound_peaks "$quiet_from" "$sound_from")"
[ "$sound_from" -gt "$quiet_from" ] || fail "the game plays nothing, not even silence, to the capture file"
[ "$left_alone" -lt 500 ] ||
    fail "a sound on the left before any break (peaks left $left right $right, left alone $left_alone)"
# A break of a few cups is over in a third of a second: watch for it while Z is still held.
hold z
wait_cursor busy 2 || { release z; fail "Z on a board with a match did not start a break (frame: $(cursor))"; }
release z
note "Z starts a break"
wait_ready 15 || fail "the board did not become ready again after the break"
score_after=$(score)
[ "$score_after" -gt "$score_before" ] || fail "the score went from $score_before to $score_after after a break"
note "the score went from $score_before to $score_after"

read -r left right left_alone right_alone <<<"$(sound_peaks "$sound_from")"
note "sound after Z: peaks left $left, right $right; left alone $left_alone"
[ "$left_alone" -ge 500 ] ||
    fail "no sound on the left after the break (peaks left $left right $right, left alone $left_alone)"
note "the break sounds on the left"

# ---- ESC: the pause menu, quit, the title, the end -----------------------------------------------
press Escape 200
press Down
press z
wait_title
note "the pause menu's quit returns to the title"
press Escape 200
wait_exit 3 || fail "the game still runs 3 s after ESC on the title"
[ "$GAME_STATUS" -eq 0 ] || fail "ESC ended the game with status $GAME_STATUS, not 0"
note "ESC on the title ends the game with status 0"

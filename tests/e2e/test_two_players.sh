#!/usr/bin/env bash
# Two people at one keyboard: the title's second page (TAB) starts a two-player match, each person
# chooses a character with their own keys, and in the round each board follows its own person's
# keys only: W A S D, Q and E the left board, the arrows, '.' and '/' the right one. Both line up a
# match and break it; each break scores on its own side only. ESC opens the pause menu, which the
# right player's keys drive to quit, back to the title.
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_game
wait_window
wait_title
press Tab
wait_picture 128 250 modes.pcx 128 58 3 || fail "TAB did not turn the title to its second page"
press Return
wait_picture 128 8 charsel2.pcx 128 8 || fail "2 PLAYERS did not open the two-player character select"
press s      # P1 to the lower row, and chooses it
press e
press slash  # P2 chooses the upper row
note "both chose their characters with their own keys"

# Runs a reader of lib.sh (cursor, board, wait_ready) on side $1's board: the right board lies 128
# pixels right of the left one.
on() {
    local side=$1
    shift
    if [ "$side" = right ]; then WIN_X=$((WIN_X + 128)) "$@"; else "$@"; fi
}
frames() { echo "$(on left cursor) / $(on right cursor)"; }
# The six-digit score of a side, from x 8 (left) or 152 (right) of the bottom panel.
score_of() {
    local x=8
    [ "$1" = right ] && x=152
    "$PROBE" score "$SHOT" "$WIN_X" "$WIN_Y" "$(reference numbers.pcx)" "$(reference char_bg.pcx)" "$x" 8
}

on left wait_ready 20 || fail "the left board never became ready (frame: $CURSOR)"
on right wait_ready 5 || fail "the right board never became ready (frame: $CURSOR)"
[ "$(frames)" = "row 0 / row 0" ] || fail "a round starts with both frames on row 0, not \"$(frames)\""

# ---- each board follows its own keys only ------------------------------------------------------------
# A key, then both frames as they must read after it.
steps=("s row_1 row_0" "Down row_1 row_1" "Down row_1 row_2" "w row_0 row_2" "q column_0 row_2"
    "d column_1 row_2" "period column_1 column_0" "Left column_1 column_5" "a column_0 column_5"
    "q row_0 column_5" "period row_0 row_2")
for step in "${steps[@]}"; do
    read -r k want_left want_right <<<"$step"
    want="${want_left/_/ } / ${want_right/_/ }"
    press "$k"
    for t in $(seq 30); do
        screenshot
        [ "$(frames)" = "$want" ] && continue 2
        sleep 0.05
    done
    fail "after $k the frames read \"$(frames)\", not \"$want\""
done
note "W A S D and Q move the left frame only, the arrows and . the right one only"

# ---- both break a match ----------------------------------------------------------------------------
declare -A keys=([left]="w s a d q e" [right]="Up Down Left Right period slash")  # up down left right turn break

# Moves side $1's frame to line $3 of axis $2 ("row" or "column"), one checked step at a time.
move_frame_to() {
    local side=$1 axis=$2 want=$3 size=10 up down left right turn brk ahead back now
    read -r up down left right turn brk <<<"${keys[$side]}"
    ahead=$down back=$up
    [ "$axis" = column ] && size=6 ahead=$right back=$left
    [ "${CURSOR%% *}" = "$axis" ] || { press "$turn" && on "$side" wait_ready 5; }
    [ "${CURSOR%% *}" = "$axis" ] || fail "$turn did not turn the $side board to $axis mode ($CURSOR)"
    now=${CURSOR#"$axis "}
    while [ "$now" != "$want" ]; do
        if [ $(((want - now + size) % size)) -le $((size / 2)) ]; then press "$ahead"; else press "$back"; fi
        on "$side" wait_ready 5 || fail "the $side board did not settle"
        [ "${CURSOR%% *}" = "$axis" ] || fail "the $side frame reads \"$CURSOR\", not a $axis"
        now=${CURSOR#"$axis "}
    done
}

# Lines up a match on side $1 with its own keys: the probe's one-slide plan, or first the row slide
# after which there is one.
line_up() {
    local side=$1 attempt plan axis line dir r slid up down left right turn brk
    read -r up down left right turn brk <<<"${keys[$side]}"
    for attempt in $(seq 8); do
        on "$side" wait_ready 10 || fail "the $side board is not ready"
        printf '%s\n' "$BOARD" >"$E2E_TMP/board.txt"
        plan=$("$PROBE" plan "$E2E_TMP/board.txt")
        [ "$plan" = match ] && return 0
        if [ "$plan" = none ]; then
            plan=""
            for r in $(seq 0 9); do
                line=$(sed -n "$((r + 1))p" <<<"$BOARD")
                for dir in right left; do
                    if [ $dir = right ]; then slid="${line:5:1}${line:0:5}"; else slid="${line:1:5}${line:0:1}"; fi
                    awk -v r=$((r + 1)) -v s="$slid" 'NR == r { print s; next } { print }' \
                        "$E2E_TMP/board.txt" >"$E2E_TMP/slid.txt"
                    [ "$("$PROBE" plan "$E2E_TMP/slid.txt")" != none ] && { plan="row $r $dir"; break 2; }
                done
            done
            [ -n "$plan" ] || fail "no two slides line up a match on the $side board:"$'\n'"$BOARD"
        fi
        note "$side board ($CURSOR), slide: $plan"
        read -r axis line dir <<<"$plan"
        move_frame_to "$side" "$axis" "$line"
        press "${!dir}"
    done
    fail "no match could be lined up on the $side board in 8 slides"
}

# Side $1 breaks its lined-up match with its own key while the other board's match waits: that
# board's frame must stay as it was.
break_on() {
    local side=$1 other=left up down left right turn brk other_frame k busy=0
    [ "$side" = left ] && other=right
    read -r up down left right turn brk <<<"${keys[$side]}"
    screenshot
    other_frame=$(on "$other" cursor)
    hold "$brk"
    for k in $(seq 40); do
        screenshot
        [ "$(on "$side" cursor)" = busy ] && { busy=1; break; }
        sleep 0.05
    done
    release "$brk"
    [ "$(on "$other" cursor)" = "$other_frame" ] || fail "$brk broke on the $other board too"
    [ "$busy" -eq 1 ] || fail "$brk on a $side board with a match did not start a break"
    note "$brk breaks on the $side board; the $other board's frame stays \"$other_frame\""
}

line_up left
line_up right
on left wait_ready 5 && printf '%s\n' "$BOARD" >"$E2E_TMP/board.txt"
[ "$("$PROBE" plan "$E2E_TMP/board.txt")" = match ] || fail "the left board's match went while the right lined up"
left_before=$(score_of left) right_before=$(score_of right)
break_on left
on left wait_ready 15 || fail "the left board did not become ready after its break"
left_after=$(score_of left)
[ "$left_after" -gt "$left_before" ] || fail "the left score went from $left_before to $left_after after its break"
[ "$(score_of right)" -eq "$right_before" ] || fail "the right score moved on the left's break"
break_on right
on right wait_ready 15 || fail "the right board did not become ready after its break"
right_after=$(score_of right)
[ "$right_after" -gt "$right_before" ] || fail "the right score went from $right_before to $right_after after its break"
note "scores: left $left_before to $left_after, right $right_before to $right_after"

# ---- the pause menu answers the right player's keys ---------------------------------------------------
press Escape 200
press Down
press slash
wait_title
note "the right player's keys chose quit in the pause menu: the title"
press Escape 200
wait_exit 3 || fail "the game still runs 3 s after ESC on the title"
[ "$GAME_STATUS" -eq 0 ] || fail "ESC ended the game with status $GAME_STATUS, not 0"

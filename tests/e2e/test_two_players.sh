#!/usr/bin/env bash
# Two people at one keyboard: the title's second page (TAB) starts a two-player match, each person
# chooses a character with their own keys, and in the round each board follows its own person's
# keys only: W A S D, Q and E the left board, the arrows, '.' and '/' the right one. Both line up a
# match and break it; each break scores on its own side only. ESC opens the pause menu, which the right player's keys drive to quit, back to the title.
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_game
wait_window
wait_title
press Tab
wait_picture 128 250 modes.pcx 128 58 3 || fail "TAB did not turn the title to its second page"
press Return
wait_picture 128 8 charsel2.pcx 128 8 || fail "2 PLAYERS did not open the two-player character select"
press s                 # P1 to the lower row
press e         # P1 chooses Quorvant
press slash         # P2 chooses Ombrelix on the upper row
note "both chose their characters with their own keys"

# The frame around a board on the last screenshot: the right board lies 128 pixels right of the left.
shift_of() { if [ "$1" = right ] && [ -n "${2:-}" ]; then echo "$2"; elif [ "$1" = right ]; then echo 128; else echo 0; fi; }
frame_of() { "$PROBE" cursor "$SHOT" $((WIN_X + $(shift_of "$1"))) "$WIN_Y"; }
board_of() {
    "$PROBE" board "$SHOT" $((WIN_X + $(shift_of "$1"))) "$WIN_Y" "$(reference cups.pcx)" "$(reference bg.pcx)"
}
# The six-digit score of a side, drawn from x 8 (left) or 152 (right) of the bottom panel.
score_of() {
    "$PROBE" score "$SHOT" "$WIN_X" "$WIN_Y" "$(reference numbers.pcx)" "$(reference char_bg.pcx)" \
        $((8 + $(shift_of "$1" 144))) 8
}

# Waits up to $2 seconds (10 by default) for board $1 to stand ready: the same frame and cups on
# three screenshots in a row. The frame is then in FRAME and the board in CUPS.
wait_board_ready() {
    local side=$1 limit=${2:-10} start now last="" same=0 seen
    start=$(now_ms)
    while :; do
        screenshot
        FRAME=$(frame_of "$side")
        case "$FRAME" in
        row* | column*)
            CUPS=$(board_of "$side")
            seen="$FRAME/$CUPS"
            if [ "$seen" = "$last" ]; then same=$((same + 1)); else same=0; fi
            last=$seen
            [ "$same" -ge 2 ] && return 0
            ;;
        *) same=0 last="" ;;
        esac
        now=$(now_ms)
        [ $((now - start)) -ge $((limit * 1000)) ] && return 1
        sleep 0.06
    done
}

wait_board_ready left 20 || fail "the left board never became ready (frame: $FRAME)"
wait_board_ready right 5 || fail "the right board never became ready (frame: $FRAME)"
screenshot
[ "$(frame_of left) / $(frame_of right)" = "row 0 / row 0" ] ||
    fail "a round starts with both frames on row 0, not \"$(frame_of left) / $(frame_of right)\""
note "the round starts with both boards ready on row 0"

# ---- each board follows its own keys only ------------------------------------------------------------
# KEY  LEFT-FRAME  RIGHT-FRAME: after each press, both frames as they must read.
steps=(
    "s row_1 row_0"
    "Down row_1 row_1"
    "Down row_1 row_2"
    "w row_0 row_2"
    "q column_0 row_2"
    "d column_1 row_2"
    "period column_1 column_0"
    "Left column_1 column_5"
    "a column_0 column_5"
    "q row_0 column_5"
    "period row_0 row_2"
)
for step in "${steps[@]}"; do
    read -r k want_left want_right <<<"$step"
    want="${want_left/_/ } / ${want_right/_/ }"
    press "$k"
    seen=""
    for t in $(seq 30); do
        screenshot
        seen="$(frame_of left) / $(frame_of right)"
        [ "$seen" = "$want" ] && break
        sleep 0.05
    done
    [ "$seen" = "$want" ] || fail "after $k the frames read \"$seen\", not \"$want\""
done
note "W A S D and Q move the left frame only, the arrows and . the right one only"

# ---- both break a match ----------------------------------------------------------------------------
# Keys of a side: up down left right toggle action.
declare -A keys=([left]="w s a d q e" [right]="Up Down Left Right period slash")

# Moves side $1's frame to line $3 of axis $2 ("row" or "column"), one checked step at a time.
move_frame_to() {
    local side=$1 axis=$2 want=$3 size=10 ahead back now next up down left right toggle action
    read -r up down left right toggle action <<<"${keys[$side]}"
    ahead=$down back=$up
    [ "$axis" = column ] && size=6 ahead=$right back=$left
    case "$FRAME" in "$axis "*) ;; *) press "$toggle"; wait_board_ready "$side" 5 || fail "no frame after $toggle" ;; esac
    case "$FRAME" in "$axis "*) ;; *) fail "$toggle did not switch the $side board to $axis mode ($FRAME)" ;; esac
    now=${FRAME#"$axis "}
    while [ "$now" -ne "$want" ]; do
        if [ $(((want - now + size) % size)) -le $((size / 2)) ]; then next=$(((now + 1) % size)); press "$ahead"
        else next=$(((now + size - 1) % size)); press "$back"; fi
        wait_board_ready "$side" 5 || fail "the $side board did not settle"
        [ "$FRAME" = "$axis $next" ] || fail "the $side frame reads \"$FRAME\", not \"$axis $next\""
        now=$next
    done
}

# Lines up a match on side $1 with its own keys.
line_up() {
    local side=$1 attempt plan axis line dir up down left right toggle action
    read -r up down left right toggle action <<<"${keys[$side]}"
    for attempt in $(seq 8); do
        wait_board_ready "$side" 10 || fail "the $side board is not ready"
        printf '%s\n' "$CUPS" >"$E2E_TMP/board.txt"
        plan=$("$PROBE" plan "$E2E_TMP/board.txt")
        note "$side board ($FRAME):"$'\n'"$CUPS"$'\n'"plan: $plan"
        case "$plan" in
        match) return 0 ;;
        none)  # no one slide lines up a match: slide the first row after which one does
            local r slid found=""
            for r in $(seq 0 9); do
                line=$(sed -n "$((r + 1))p" <<<"$CUPS")
                for dir in right left; do
                    if [ $dir = right ]; then slid="${line:5:1}${line:0:5}"; else slid="${line:1:5}${line:0:1}"; fi
                    awk -v r=$((r + 1)) -v s="$slid" 'NR == r { print s; next } { print }' <<<"$CUPS" >"$E2E_TMP/slid.txt"
                    [ "$("$PROBE" plan "$E2E_TMP/slid.txt")" != none ] && { found="$r $dir"; break 2; }
                done
            done
            [ -n "$found" ] || fail "no two slides line up a match on the $side board"
            read -r r dir <<<"$found"
            move_frame_to "$side" row "$r"
            if [ "$dir" = right ]; then press "$right"; else press "$left"; fi
            ;;
        *)
            read -r axis line dir <<<"$plan"
            move_frame_to "$side" "$axis" "$line"
            case "$dir" in right) press "$right" ;; left) press "$left" ;; down) press "$down" ;; up) press "$up" ;; esac
            ;;
        esac
    done
    fail "no match could be lined up on the $side board in 8 slides"
}

# Side $1 breaks its lined-up match with its own key; the other board, whose match waits lined up
# too, must not break: its frame stays as it was.
break_on() {
    local side=$1 other=left up down left right toggle action other_frame k busy=0
    [ "$side" = left ] && other=right
    read -r up down left right toggle action <<<"${keys[$side]}"
    screenshot
    other_frame=$(frame_of "$other")
    hold "$action"
    for k in $(seq 40); do
        screenshot
        [ "$(frame_of "$side")" = busy ] && { busy=1; break; }
        sleep 0.05
    done
    [ "$(frame_of "$other")" = "$other_frame" ] || { release "$action"; fail "$action broke on the $other board too"; }
    release "$action"
    [ "$busy" -eq 1 ] || fail "$action on a $side board with a match did not start a break"
    note "$action breaks on the $side board; the $other board's frame stays \"$other_frame\""
}

line_up left
line_up right
wait_board_ready left 5 || fail "the left board is not ready"
printf '%s\n' "$CUPS" >"$E2E_TMP/board.txt"
[ "$("$PROBE" plan "$E2E_TMP/board.txt")" = match ] || fail "the left board's match went while the right lined up"
screenshot
left_before=$(score_of left) right_before=$(score_of right)
break_on left
wait_board_ready left 15 || fail "the left board did not become ready after its break"
left_after=$(score_of left) right_now=$(score_of right)
[ "$left_after" -gt "$left_before" ] || fail "the left score went from $left_before to $left_after after its break"
[ "$right_now" -eq "$right_before" ] || fail "the right score moved ($right_before to $right_now) on the left's break"
break_on right
wait_board_ready right 15 || fail "the right board did not become ready after its break"
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

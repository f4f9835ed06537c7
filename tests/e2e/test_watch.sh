#!/usr/bin/env bash
# The title screen's swirl moves, its cursor and highlight follow the mouse, and the title music is
# heard; WATCH and the character select lead to a round in which the computer plays both boards,
# with its own music.
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_game
wait_window
wait_title

# ---- the title ------------------------------------------------------------------------------------
screenshot
first=$(pixel 128 120)
moved=0
for k in $(seq 20); do
    sleep 0.1
    screenshot
    [ "$(pixel 128 120)" != "$first" ] && { moved=1; break; }
done
[ "$moved" -eq 1 ] || fail "the swirl does not move"
note "the swirl moves"
# The gold highlight goes with the mouse: (x, y) on its button's top edge.
gold() { colours_close "$1" "255 180 30" 8 || colours_close "$1" "255 232 110" 8; }
for point in "200 340 200 289" "40 220 40 193"; do
    read -r x y edge_x edge_y <<<"$point"
    xdotool mousemove --window "$WINDOW" "$x" "$y"
    sleep 0.2
    screenshot
    colours_close "$(pixel "$x" "$y")" "0 255 0" 8 || fail "no green cursor under the mouse at ($x, $y): $(pixel "$x" "$y")"
    gold "$(pixel "$edge_x" "$edge_y")" || fail "the highlight did not follow the mouse to ($x, $y): $(pixel "$edge_x" "$edge_y")"
done
note "the cursor and the highlight follow the mouse"
sleep 1
read -r left right _ _ <<<"$(sound_peaks 0)"
[ "$left" -ge 500 ] && [ "$right" -ge 500 ] || fail "no title music in the capture (peaks $left $right)"
note "the title music is heard (peaks $left $right)"

# ---- watch: select, loading, a round played by the computer on both sides ---------------------------
click 190 250
wait_picture 128 8 charsel.pcx 128 8 || fail "WATCH did not lead to the character select"
wait_select_note charsel_watch.pcx ||
    fail "the character select in WATCH does not say that the computer plays both boards"
click 60 330
music_from=$(capture_size)
wait_round
sleep 1
screenshot
before=$(board)
changed=0
for k in $(seq 30); do
    sleep 0.5
    screenshot
    [ "$(cursor)" != "none" ] && [ "$(board)" != "$before" ] && { changed=1; break; }
done
[ "$changed" -eq 1 ] || fail "nobody plays the left board in watch mode"
note "the computer plays the left board"
read -r left right _ _ <<<"$(sound_peaks "$music_from")"
[ "$left" -ge 500 ] && [ "$right" -ge 500 ] || fail "no round music in the capture (peaks $left $right)"
note "the round's music is heard (peaks $left $right)"

#!/usr/bin/env bash
# ESC in a round opens the pause menu: the boards are hidden, the volume bar moves with left and
# right, the music can be turned down to silence and the effects item's action plays the test sound;
# quit returns to the title.
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_game
open_pause_menu
screenshot
for p in "40 80" "170 120"; do
    colours_close "$(pixel $p)" "$(picture_pixel bg.pcx $p)" 8 || fail "a board shows at ($p) while the menu is open"
done
note "the menu hides the boards"

# Music volume: item 2, from 128 down to 0 in steps of 4; the bar's white end follows.
press Down
press Down
screenshot
colours_close "$(pixel 127 306)" "255 255 255" 8 || fail "the music bar is not filled to the middle at 128"
press Left
press Left
screenshot
colours_close "$(pixel 127 306)" "0 0 0" 8 || fail "the bar did not move left with the volume"
for k in $(seq 30); do press Left 80; done
screenshot
colours_close "$(pixel 70 306)" "0 0 0" 8 || fail "the bar is not empty at volume 0"
note "the music volume bar follows left and right down to 0"

# The effects item: its action plays the test sound in the silence.
press Down
sleep 0.5
quiet_from=$(capture_size)
sleep 0.3
read -r left right _ _ <<<"$(sound_peaks "$quiet_from")"
[ "$left" -lt 500 ] || fail "the music still plays at volume 0 (peak $left)"
sound_from=$(capture_size)
press z
sleep 0.4
read -r left right _ _ <<<"$(sound_peaks "$sound_from")"
[ "$left" -ge 500 ] && [ "$right" -ge 500 ] || fail "no test sound after the action on the effects item ($left $right)"
note "the effects item plays the test sound (peaks $left $right)"

# Quit: up twice from the effects item.
press Up
press Up
press z
wait_title
note "quit returns to the title"

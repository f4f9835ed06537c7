#!/usr/bin/env bash
# The settings stay from run to run: a music volume turned down in the pause menu is there after a
# restart, in the menu's bar and in the file. A damaged line is said in one line naming the file and
# the line, its setting plays at its default, and the file is left as the person wrote it.
source "$(dirname "$0")/lib.sh" "$1"

SETTINGS="$E2E_TMP/home/.config/cupclash/settings"

# Opens the pause menu in a round and moves to the music volume.
open_music_item() {
    open_pause_menu
    press Down
    press Down
}

start_xvfb
start_game
open_music_item
for k in $(seq 8); do press Left; done  # 128 down to 96
press Up
press Up
press z
sleep 0.5
grep -qx 'music-volume = 96' "$SETTINGS" || fail "the file does not keep the music volume: $(cat "$SETTINGS" 2>&1)"
grep -q '^# ' "$SETTINGS" || fail "the file says nothing of its settings"
note "closing the menu writes the volume to the file"

start_game
open_music_item
screenshot
colours_close "$(pixel 100 306)" "255 255 255" 8 && colours_close "$(pixel 127 306)" "0 0 0" 8 ||
    fail "after a restart the music bar is not at 96 (at 100: $(pixel 100 306), at 127: $(pixel 127 306))"
note "after a restart the menu shows the volume kept"

stop_pid "$GAME_PID"
GAME_PID=""
printf '# mine\nmusic-volume = loud\neffects-volume = 20\n' >"$SETTINGS"
cp "$SETTINGS" "$E2E_TMP/written"
start_game
wait_window
sleep 1
[ "$(grep -c 'settings' "$GAME_ERR")" -eq 1 ] &&
    grep -qx "cupclash: $SETTINGS line 2: music-volume takes 0 to 255, not 'loud'; that setting takes its default" "$GAME_ERR" ||
    fail "the damaged line is not said in one line: $(grep -v '^ALSA' "$GAME_ERR")"
enter_round
wait_round
press Escape 200
sleep 0.2
press z  # resume: the menu closes
sleep 0.5
cmp -s "$SETTINGS" "$E2E_TMP/written" || fail "the file was written over though nothing changed: $(cat "$SETTINGS")"
note "a damaged line is said once, and the file is not written over"

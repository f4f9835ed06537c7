#!/usr/bin/env bash
# When the game cannot start it says why in one line on standard error and ends at once with a
# non-zero status, on a machine without a sound card too: a missing picture, a missing sound, a start
# from another folder, no display, too little memory. (Damaged files: test_damaged_files.sh.)
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
# No sound card: neither the sound library's complaints nor the game's notice of it may add a line.
SOUND_DEVICE=none

# Runs PROGRAM from folder DIR and checks that it fails within a second with one line that contains
# every further argument.
expect_start_failure() {
    local dir=$1 program=$2 started elapsed lines line
    shift 2
    started=$(now_ms)
    start_game "$dir" "$program"
    wait_exit 5 || fail "the game still runs 5 s after starting (expected: $*)"
    elapsed=$(($(now_ms) - started))
    [ "$GAME_STATUS" -eq 1 ] || fail "the game ended with status $GAME_STATUS, not 1 (expected: $*)"
    [ "$elapsed" -le 1000 ] || fail "the game took $elapsed ms to give up (expected: $*)"
    lines=$(wc -l <"$GAME_ERR")
    [ "$lines" -eq 1 ] || fail "the game wrote $lines lines on standard error, not one: $(cat "$GAME_ERR")"
    line=$(cat "$GAME_ERR")
    [[ "$line" == cupclash:* ]] || fail "the message does not start with \"cupclash:\": $line"
    for word in "$@"; do
        grep -qiF -- "$word" <<<"$line" || fail "the message does not mention \"$word\": $line"
    done
    [ -s "$GAME_OUT" ] && fail "the game wrote on standard output: $(cat "$GAME_OUT")"
    note "status $GAME_STATUS after $elapsed ms: $line"
}

# A copy of the game folder (links to its files) without one file of its top folder.
folder_without() {
    local copy="$E2E_TMP/without-$1"
    cp -rs "$GAME_DIR" "$copy"
    rm -f "$copy/$1"
    [ -f "$copy/cupclash" ] || fail "the copy of the game folder has no cupclash"
    echo "$copy"
}

# ---- a missing picture, sound, screen picture or track: the message names the file and the folder -
for missing in numbers.pcx refill.wav swirl.pcx quorvant/portrait.pcx music/indulgence.wav; do
    [ -f "$GAME_DIR/$missing" ] || fail "the game folder has no $missing to take away"
    dir=$(folder_without "${missing//\//-}")
    rm -f "$dir/$missing"
    expect_start_failure "$dir" ./cupclash "\"$missing\"" "is missing from $dir"
done

# ---- started from another folder: the message says where to run it from ---------------------------
mkdir -p "$E2E_TMP/elsewhere"
expect_start_failure "$E2E_TMP/elsewhere" "$GAME_DIR/cupclash" "is missing from $E2E_TMP/elsewhere" \
    "run the game from its own folder (cd $GAME_DIR && ./cupclash)"

# ---- no display ----------------------------------------------------------------------------------
saved_display=$DISPLAY
unset DISPLAY
expect_start_failure "$GAME_DIR" ./cupclash "DISPLAY is not set"
export DISPLAY=:99999
expect_start_failure "$GAME_DIR" ./cupclash "cannot reach the display \":99999\""
export DISPLAY=$saved_display

# ---- too little memory: every failure says so, never "no display" nor a file ------------------------
# From an address space too small for the program to load at all, 1 MB more each time, up to the first
# in which the game starts. (With sound: the title screen loads its pictures after start-up, once the
# notice of a missing sound card has been given.)
SOUND_DEVICE=capture
limit_kb=8000 short_of_memory=0
limited="$E2E_TMP/limited.sh"
while :; do
    [ "$limit_kb" -le 1000000 ] || fail "the game does not start even in 1 GB of address space"
    printf '#!/bin/sh\nulimit -v %d && exec ./cupclash\n' "$limit_kb" >"$limited"
    chmod +x "$limited"
    start_game "$GAME_DIR" "$limited"
    if ! wait_exit 2; then
        note "the game starts in $limit_kb KB of address space"
        break
    fi
    line=$(cat "$GAME_ERR")
    if [ "$GAME_STATUS" -eq 127 ] && grep -q "error while loading shared libraries" <<<"$line"; then
        :  # the program itself did not load
    else
        [ "$GAME_STATUS" -eq 1 ] && [ "$(wc -l <"$GAME_ERR")" -eq 1 ] && [[ "$line" == cupclash:* ]] ||
            fail "in $limit_kb KB: status $GAME_STATUS, and not one line \"cupclash: ...\": $line"
        grep -qE "out of memory|window" <<<"$line" || fail "in $limit_kb KB the game blames something else: $line"
        short_of_memory=$((short_of_memory + 1))
    fi
    limit_kb=$((limit_kb + 1000))
done
[ "$short_of_memory" -gt 0 ] || fail "no address space was short enough to fail the game's own start-up"
note "$short_of_memory limits too small, each reported in one line"

# ---- and with everything in place the same folder starts --------------------------------------------
SOUND_DEVICE=capture
start_game "$(folder_without nothing-at-all)"
wait_window
game_running || fail "the complete copy of the game folder does not start"
note "the complete folder starts"

#!/usr/bin/env bash
# When the game cannot start it says why in one line on standard error and ends at once with a
# non-zero status: a missing picture, a missing sound, no display.
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb

# The lines the game itself wrote on standard error (ALSA's own complaints about a machine without a
# sound card are the library's, not the game's).
game_lines() { grep -v '^ALSA lib' "$GAME_ERR" || true; }

# Runs the game from folder $1 and checks that it fails within a second with one line that contains
# every further argument.
expect_start_failure() {
    local dir=$1 started elapsed lines
    shift
    started=$(now_ms)
    start_game "$dir"
    wait_exit 5 || fail "the game still runs 5 s after starting (expected: $*)"
    elapsed=$(($(now_ms) - started))
    [ "$GAME_STATUS" -ne 0 ] || fail "the game ended with status 0 (expected a failure: $*)"
    [ "$elapsed" -le 1000 ] || fail "the game took $elapsed ms to give up (expected: $*)"
    lines=$(game_lines | wc -l)
    [ "$lines" -eq 1 ] || fail "the game wrote $lines lines on standard error, not one: $(game_lines)"
    local line
    line=$(game_lines)
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
    expect_start_failure "$dir" "\"$missing\"" "$dir"
done

# ---- no display ----------------------------------------------------------------------------------
saved_display=$DISPLAY
unset DISPLAY
expect_start_failure "$GAME_DIR" display
export DISPLAY=$saved_display

# ---- and with everything in place the same folder starts --------------------------------------------
start_game "$(folder_without nothing-at-all)"
wait_window
game_running || fail "the complete copy of the game folder does not start"
note "the complete folder starts"

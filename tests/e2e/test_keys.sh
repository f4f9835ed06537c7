#!/usr/bin/env bash
# A key changed on the keys screen (the title's K) plays after a restart: I takes the place of the
# up arrow, and moves the cursor frame up.
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_game
wait_window
wait_title
press k
sleep 0.3
press z    # the first action, up
press i    # its new key
sleep 0.2
press Escape
wait_title
grep -q '^keys-one-player = I DOWN LEFT RIGHT X Z$' "$E2E_TMP/home/.config/cupclash/settings" ||
    fail "the file does not keep the new key: $(cat "$E2E_TMP/home/.config/cupclash/settings" 2>&1)"
note "the keys screen writes the new key to the file"

start_game
wait_window
enter_round
wait_round
wait_ready
[ "$CURSOR" = "row 0" ] || fail "the round starts with the frame at \"$CURSOR\""
press i
wait_cursor "row 9" 3 || fail "after a restart I does not move the frame up: it reads \"$(cursor)\""
press Up
wait_ready 2
[ "$CURSOR" = "row 9" ] || fail "the up arrow still moves the frame: \"$CURSOR\""
note "after a restart the new key moves the cursor, the old one no more"

#!/usr/bin/env bash
# Every file the game loads, removed, halved, filled with random bytes or made unreadable in turn:
# the game refuses to start within 2 s with one line naming the file (tools/damage_files.sh).
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
report="$E2E_TMP/damage.txt"
bash "$E2E_DIR/../../tools/damage_files.sh" "$GAME_DIR" >"$report" 2>&1 ||
    fail "$(grep -v '^ok ' "$report")"
note "$(tail -n1 "$report")"

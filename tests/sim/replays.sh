#!/usr/bin/env bash
# The simulator records matches and plays them back headless with every checksum equal (usage:
# replays.sh GAME_DIR):
# - 100 matches, each left after 80 board frames as a player leaves one from the pause menu (no
#   round is won that fast, so every round is a match of its own);
# - a whole 8-round match, seed 43: the left side wins seven rounds and loses the eighth, through
#   loading, intro, battle, settling, banners, results and changes of character. Its file must stay
#   under 64 KiB;
# - three matches lost at hard strength, which play back at that strength whatever the setting.
set -euo pipefail
cd "$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
    echo "replays: FAIL: $*" >&2
    exit 1
}

status=0
./cupclash-sim 100 31 --cap 80 --record "$tmp/short.replay" >"$tmp/record.out" || status=$?
[ "$status" -eq 1 ] && grep -qx 'wins: left 0, right 0, capped 100' "$tmp/record.out" ||
    fail "recording 100 capped rounds: status $status, $(tail -n4 "$tmp/record.out")"
./cupclash-sim --replay "$tmp/short.replay" >"$tmp/play.out" || fail "playing 100 matches back: $(tail -n2 "$tmp/play.out")"
grep -qx 'replay: 100 matches, 8000 frames' "$tmp/play.out" && grep -qx 'replay: 400 checksums agree' "$tmp/play.out" ||
    fail "playing 100 matches back: $(tail -n2 "$tmp/play.out")"
echo "100 matches: $(tail -n1 "$tmp/play.out")"

./cupclash-sim 8 43 --record "$tmp/eight.replay" >"$tmp/record.out" || fail "recording 8 rounds: $(tail -n4 "$tmp/record.out")"
grep -qx 'wins: left 7, right 1, capped 0' "$tmp/record.out" || fail "seed 43 no longer gives one 8-round match"
./cupclash-sim --replay "$tmp/eight.replay" >"$tmp/play.out" || fail "playing 8 rounds back: $(tail -n2 "$tmp/play.out")"
grep -qx 'match 1: rounds 8, score left 41865, right 7026' "$tmp/play.out" &&
    grep -qE '^replay: [1-9][0-9]* checksums agree$' "$tmp/play.out" ||
    fail "playing 8 rounds back: $(cat "$tmp/play.out")"
size=$(stat -c %s "$tmp/eight.replay")
[ "$size" -lt 65536 ] || fail "an 8-round match takes $size bytes"
echo "an 8-round match: $size bytes, $(tail -n1 "$tmp/play.out")"

# A match against the computer at another strength plays back at the strength it was played at.
./cupclash-sim 3 5 --idle-left --strength hard --record "$tmp/hard.replay" >"$tmp/record.out" ||
    fail "recording 3 rounds at hard: $(tail -n4 "$tmp/record.out")"
./cupclash-sim --replay "$tmp/hard.replay" >"$tmp/play.out" || fail "playing a hard match back: $(tail -n1 "$tmp/play.out")"
echo "3 matches at hard strength: $(tail -n1 "$tmp/play.out")"

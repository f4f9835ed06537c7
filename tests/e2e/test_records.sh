#!/usr/bin/env bash
# A match lost against the computer (played hard, the player pressing nothing) ends on a summary,
# its score goes into the records file, and the records screen (the title's R) shows it in the
# first row of the table.
source "$(dirname "$0")/lib.sh" "$1"

RECORDS="$E2E_TMP/home/.local/share/cupclash/records"
mkdir -p "$E2E_TMP/home/.config/cupclash"
echo 'strength = hard' >"$E2E_TMP/home/.config/cupclash/settings"

start_xvfb
start_game
wait_window
enter_round
wait_round
for k in $(seq 1800); do
    [ -s "$RECORDS" ] && break
    game_running || fail "the game ended during the match"
    sleep 0.1
done
[ -s "$RECORDS" ] || fail "no record within 180 s of the match"
record=$(grep -v '^#' "$RECORDS")
[[ "$record" =~ ^hard\ ([0-9]+)\ 0\ 0\ [0-9]{4}-[0-9]{2}-[0-9]{2}\ [0-9]+$ ]] ||
    fail "the record is not the lost match at hard strength: \"$record\""
note "the lost match is kept: $record"

screenshot
colours_close "$(pixel 128 8)" "$(picture_pixel bg.pcx 128 8)" 8 || fail "no summary over the background after the match"
press z
wait_title
press r
wait_picture 128 300 records.pcx 128 300 || fail "the records screen did not appear"
sleep 0.3
screenshot
# The first row of the table (bottom panel, y 24-39) holds text; the second (y 40-55) is empty.
"$CONVERT" "$SHOT" -crop "256x16+$WIN_X+$((WIN_Y + 216))" +repage "$E2E_TMP/row1.png"
"$CONVERT" "$GAME_DIR/records.pcx" -crop 256x16+0+216 +repage "$E2E_TMP/ref1.png"
"$CONVERT" "$SHOT" -crop "256x16+$WIN_X+$((WIN_Y + 232))" +repage "$E2E_TMP/row2.png"
"$CONVERT" "$GAME_DIR/records.pcx" -crop 256x16+0+232 +repage "$E2E_TMP/ref2.png"
differing() { compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 | cut -d' ' -f1 || true; }
first=$(differing "$E2E_TMP/row1.png" "$E2E_TMP/ref1.png")
second=$(differing "$E2E_TMP/row2.png" "$E2E_TMP/ref2.png")
[ "${first%.*}" -gt 100 ] && [ "${second%.*}" -lt 10 ] ||
    fail "the records screen does not show one row: $first pixels differ in the first row, $second in the second"
note "the records screen shows the match in its first row"

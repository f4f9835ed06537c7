#!/usr/bin/env bash
# A match is recorded: WATCH for 5 s and until both sides score, then quit through the pause menu. The replay is
# kept in the data folder and written where --record says; the simulator plays it back with every
# checksum equal; --replay shows it in the window, pauses on space, plays a frame at a time on the
# right arrow, runs 16 times as fast on 3, and ends on the recorded final score, which stays until
# ESC. A replay cut short is one line, status 1.
source "$(dirname "$0")/lib.sh" "$1"
unset XDG_DATA_HOME

# The right player's score on the last screenshot.
right_score() {
    "$PROBE" score "$SHOT" "$WIN_X" "$WIN_Y" "$(reference numbers.pcx)" "$(reference char_bg.pcx)" 152 8
}

start_xvfb

# ---- recording --------------------------------------------------------------------------------------
RECORDED="$E2E_TMP/watched.replay"
start_game "$GAME_DIR" ./cupclash --record "$RECORDED"
wait_window
enter_round 190 250
wait_round
sleep 5
for k in $(seq 100); do
    screenshot
    [ "$(score)" -gt 0 ] && [ "$(right_score)" -gt 0 ] && break
    sleep 0.3
done
[ "$(score)" -gt 0 ] && [ "$(right_score)" -gt 0 ] || fail "no score on both sides within 30 s of watching"
press Escape 200
press Down
press z
wait_title
press Escape
wait_exit 5 || fail "the game did not end after ESC on the title"
[ "$GAME_STATUS" -eq 0 ] || fail "the recording game ended with status $GAME_STATUS"
KEPT=("$E2E_TMP"/home/.local/share/cupclash/replays/*.replay)
[ "${#KEPT[@]}" -eq 1 ] && [ -f "${KEPT[0]}" ] || fail "the data folder keeps ${#KEPT[@]} replays, not 1"
cmp -s "${KEPT[0]}" "$RECORDED" || fail "the --record file differs from the kept replay"
note "the match is kept in the data folder and written to the --record file ($(stat -c %s "$RECORDED") bytes)"

# ---- the simulator plays it back --------------------------------------------------------------------
SIM_OUT="$E2E_TMP/sim.out"
(cd "$GAME_DIR" && ./cupclash-sim --replay "$RECORDED") >"$SIM_OUT" 2>&1 || fail "cupclash-sim: $(cat "$SIM_OUT")"
grep -qE '^replay: [1-9][0-9]* checksums agree$' "$SIM_OUT" || fail "cupclash-sim: $(cat "$SIM_OUT")"
read -r want_left want_right < <(sed -n 's/^match 1: rounds [0-9]*, score left \([0-9]*\), right \([0-9]*\)$/\1 \2/p' "$SIM_OUT")
note "cupclash-sim: $(tail -n1 "$SIM_OUT"), final score $want_left to $want_right"

# ---- the window plays it back -----------------------------------------------------------------------
start_game "$GAME_DIR" ./cupclash --replay "$RECORDED"
wait_window
wait_round
press space
screenshot
cp "$SHOT" "$E2E_TMP/paused.ppm"
sleep 0.6
screenshot
cmp -s "$SHOT" "$E2E_TMP/paused.ppm" || fail "the playback goes on after space"
for k in 1 2 3; do press Right; done
screenshot
cp "$SHOT" "$E2E_TMP/stepped.ppm"
cmp -s "$SHOT" "$E2E_TMP/paused.ppm" && fail "the right arrow played no frame"
sleep 0.6
screenshot
cmp -s "$SHOT" "$E2E_TMP/stepped.ppm" || fail "the playback went on after the right arrow"
note "space pauses the playback, the right arrow plays a frame at a time"
# Sixteen times as fast: the rest of at least 4 s of play is over (the window stops changing) in
# well under that.
press space
press 3
fast_from=$(now_ms)
screenshot
cp "$SHOT" "$E2E_TMP/last.ppm"
for k in $(seq 50); do
    sleep 0.2
    screenshot
    cmp -s "$SHOT" "$E2E_TMP/last.ppm" && break
    cp "$SHOT" "$E2E_TMP/last.ppm"
done
fast_ms=$(($(now_ms) - fast_from))
[ "$fast_ms" -lt 2500 ] || fail "at sixteen times the speed the rest of the playback took $fast_ms ms"
[ "$(score) $(right_score)" = "$want_left $want_right" ] ||
    fail "the playback ends on $(score) to $(right_score), not the recorded $want_left to $want_right"
note "3 plays the rest sixteen times as fast ($fast_ms ms)"
sleep 1
screenshot
[ "$(score) $(right_score)" = "$want_left $want_right" ] && game_running ||
    fail "the final score did not stay on screen"
press Escape
wait_exit 3 || fail "ESC did not end the playback"
[ "$GAME_STATUS" -eq 0 ] || fail "the playback ended with status $GAME_STATUS"
note "the playback ends on the recorded score $want_left to $want_right and ESC ends it"

# ---- a damaged replay ---------------------------------------------------------------------------------
head -c 100 "$RECORDED" >"$E2E_TMP/cut.replay"
start_game "$GAME_DIR" ./cupclash --replay "$E2E_TMP/cut.replay"
wait_exit 2 || fail "a replay cut short did not end the game within 2 s"
lines=$(grep -vc '^ALSA lib' "$GAME_ERR" || true)
[ "$GAME_STATUS" -eq 1 ] && [ "$lines" -eq 1 ] && grep -q '^cupclash: replay ".*cut.replay" is cut short$' "$GAME_ERR" ||
    fail "a replay cut short gave status $GAME_STATUS and: $(cat "$GAME_ERR")"
note "a replay cut short: $(cat "$GAME_ERR")"

#!/usr/bin/env bash
# The two rivals on the bottom panel: the left one (ombrelix) as drawn, the right one (quorvant)
# mirrored. During the round's intro the right character plays its entrance while the left one
# idles. When the computer's board makes a chain, the right character throws: the hit sounds on the
# right while the left character flinches and cries out on the left.
source "$(dirname "$0")/lib.sh" "$1"

# The frame of a character's sheet shown on its side of the last screenshot, or "none".
figure() { "$PROBE" figure "$SHOT" "$WIN_X" "$WIN_Y" "$(reference "$1")" "$2"; }

start_xvfb
start_game
wait_window
enter_round  # PLAY, then the upper row: ombrelix on the left, quorvant on the right

# ---- the intro -----------------------------------------------------------------------------------
for k in $(seq 50); do  # the loading screen first: up to 5 s for the entrance to begin
    screenshot
    [ "$(figure quorvant/intro.pcx right)" != none ] && break
    sleep 0.1
done
intro_frames=()
for k in $(seq 8); do
    screenshot
    idle=$(figure ombrelix/idle.pcx left)
    intro=$(figure quorvant/intro.pcx right)
    [ "$intro" = none ] && break  # the entrance is over
    [ "$idle" != none ] || fail "during the intro the left character shows no frame of its idle animation"
    intro_frames+=("$intro")
    sleep 0.1
done
distinct=$(printf '%s\n' "${intro_frames[@]}" | sort -u | wc -l)
[ "${#intro_frames[@]}" -ge 2 ] && [ "$distinct" -ge 2 ] ||
    fail "the right character shows no moving, mirrored intro (intro frames seen: ${intro_frames[*]:-none})"
note "intro: the right character plays frames ${intro_frames[*]} mirrored while the left one idles"

# ---- a chain of the computer's board -------------------------------------------------------------
sound_from=$(capture_size)
throw=""
for k in $(seq 600); do  # up to about two minutes
    screenshot
    for t in 1 2 3; do
        [ "$(figure "quorvant/throw$t.pcx" right)" != none ] && { throw=$t; break 2; }
    done
    sleep 0.05
done
[ -n "$throw" ] || fail "the computer's board made no chain, or its reward never showed"
note "the right character throws (reward $throw)"

flinch=""
for k in $(seq 40); do
    screenshot
    [ "$(figure ombrelix/ouch.pcx left)" != none ] && { flinch=yes; break; }
    sleep 0.05
done
[ -n "$flinch" ] || fail "the left character did not flinch after the right one's throw"
sleep 1  # the capture may trail the screen a little
# The left board rests, so only the left character sounds on the left: its cry when the hit lands
# on the right. The capture keeps the order of sounds but not their distance in time, so the test
# looks for the moment both sides sound at once since the chain began.
read -r left_panned right_panned together <<<"$("$PROBE" panned "$CAPTURE" "$sound_from")"
note "since the chain: peaks panned left $left_panned, right $right_panned, both at once $together"
[ "$together" -ge 500 ] || fail "no hit on the right together with the left character's cry (both at once: $together)"
note "the hit sounds on the right and the left character flinches"

"$PROBE" close "$WINDOW" || fail "cannot send the close message"
wait_exit 3 || fail "the game still runs 3 s after its window was asked to close"

#!/usr/bin/env bash
# The tutorial from start to end: its pages change every four seconds, the board on page 1 fills
# with the diagonal opening pattern, and after the seventh page the character select follows. ESC,
# tapped or held, cuts the pages short: the character select follows and the game goes on; ESC
# pressed again there ends the game.
source "$(dirname "$0")/lib.sh" "$1"

start_xvfb
start_game
wait_window
wait_title
click 60 340
start=$(now_ms)

# A point of the bottom panel where page k of tuttxt.pcx differs from page k - 1.
page_point() {
    local k=$1 x y
    for y in 20 40 60 100 140 170; do
        for x in 20 60 128 200 240; do
            [ "$(picture_pixel tuttxt.pcx $x $((192 * k + y)))" != "$(picture_pixel tuttxt.pcx $x $((192 * (k - 1) + y)))" ] &&
                { echo "$x $y"; return; }
        done
    done
}

wait_picture 20 212 tuttxt.pcx 20 20 3 || fail "page 0 of the tutorial did not appear"
note "page 0 is shown"
for k in 1 2 3; do
    read -r x y <<<"$(page_point $k)"
    wait_picture "$x" $((192 + y)) tuttxt.pcx "$x" $((192 * k + y)) 6 || fail "page $k did not appear"
    elapsed=$(($(now_ms) - start))
    note "page $k after $elapsed ms"
    [ "$elapsed" -ge $((4000 * k - 600)) ] && [ "$elapsed" -le $((4000 * k + 1500)) ] ||
        fail "page $k came after $elapsed ms, not about $((4000 * k))"
    if [ "$k" -eq 1 ]; then
        # The walk slides a row right and back left, over and over: between the slides the board
        # reads as the pattern itself.
        want=$'123123\n231231\n312312\n123123\n231231\n312312\n123123\n231231\n312312\n123123'
        seen=""
        for n in $(seq 40); do
            screenshot
            seen=$(board)
            [ "$seen" = "$want" ] && break
            sleep 0.05
        done
        [ "$seen" = "$want" ] || fail "page 1 does not show the diagonal opening pattern:"$'\n'"$seen"
        note "page 1 shows the diagonal opening pattern"
    fi
done
wait_picture 128 8 charsel.pcx 128 8 25 || fail "the character select did not follow the tutorial"
note "the tutorial ends after $(($(now_ms) - start)) ms and the character select follows"

for ms in 120 500; do
    start_game
    wait_window
    wait_title
    click 60 340
    wait_picture 20 212 tuttxt.pcx 20 20 3 || fail "page 0 of the tutorial did not appear"
    press Escape "$ms"
    wait_picture 128 8 charsel.pcx 128 8 3 || fail "no character select after ESC held $ms ms in the tutorial"
    sleep 0.5
    game_running || fail "ESC held $ms ms in the tutorial ended the game"
    wait_picture 128 8 charsel.pcx 128 8 0 || fail "the character select did not stay after ESC held $ms ms"
    press Escape
    wait_exit 3 || fail "ESC pressed again on the character select did not end the game"
    [ "$GAME_STATUS" = 0 ] || fail "the game ended with status $GAME_STATUS after ESC on the character select"
    note "ESC held $ms ms skips the tutorial to the character select, where ESC again ends the game"
done

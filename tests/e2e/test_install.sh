#!/usr/bin/env bash
# The installed game: `cmake --install` into a prefix of its own lays out the command, the game, every
# file it loads (and none of the build's tools or review sheets), the menu entry, the icons, the
# AppStream metainfo and the manual (both checked by their linters); the command answers --help and --version without a window and refuses a wrong argument;
# started from an unrelated folder it runs the installed game in its data folder, at the window scale
# asked for or the one that fits the desktop, and the mouse finds the game's buttons at either scale;
# the install manifest takes every installed file away again.
source "$(dirname "$0")/lib.sh" "$1"

BUILD_DIR=$(cd "$GAME_DIR/.." && pwd)
PREFIX="$E2E_TMP/prefix"
MANIFEST="$BUILD_DIR/install_manifest.txt"

# ---- install, keeping any manifest of a real install of this build folder -------------------------
[ -f "$MANIFEST" ] && cp "$MANIFEST" "$E2E_TMP/manifest.before"
cmake --install "$BUILD_DIR" --prefix "$PREFIX" >"$E2E_TMP/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$E2E_TMP/install.log")"
mv "$MANIFEST" "$E2E_TMP/manifest"
[ -f "$E2E_TMP/manifest.before" ] && mv "$E2E_TMP/manifest.before" "$MANIFEST"
PREFIX=$(cd "$PREFIX" && pwd -P)  # as the running game's /proc entries show it
DATA="$PREFIX/share/cupclash"

for f in bin/cupclash lib/cupclash/cupclash; do
    [ -x "$PREFIX/$f" ] || fail "PREFIX/$f is missing or cannot run"
done
[ -f "$PREFIX/share/man/man6/cupclash.6" ] || fail "the manual is not in PREFIX/share/man/man6"
# Every picture, sound and text of the game folder, and nothing else.
wanted=$(cd "$GAME_DIR" && find . -path ./icons -prune -o -type f \( -name '*.pcx' -o -name '*.wav' -o -name '*.txt' \) -print | sort)
installed=$(cd "$DATA" && find . -type f | sort)
[ -n "$wanted" ] || fail "the game folder holds no pictures"
[ "$wanted" = "$installed" ] ||
    fail "PREFIX/share/cupclash differs from what the game loads: $(diff <(echo "$wanted") <(echo "$installed") | grep '^[<>]' | head -5)"
note "installed $(echo "$installed" | wc -l) data files, the command, the game and the manual"

for size in 16 32 48 64 128 256; do
    icon="$PREFIX/share/icons/hicolor/${size}x${size}/apps/cupclash.png"
    [ "$(identify -format '%w %h' "$icon" 2>/dev/null)" = "$size $size" ] || fail "no ${size} x ${size} icon at $icon"
done
desktop-file-validate "$PREFIX/share/applications/cupclash.desktop" >"$E2E_TMP/validate.log" 2>&1 ||
    fail "the menu entry does not validate: $(cat "$E2E_TMP/validate.log")"
grep -qx 'Exec=cupclash' "$PREFIX/share/applications/cupclash.desktop" || fail "the menu entry does not run cupclash"
metainfo="$PREFIX/share/metainfo/org.cupclash.cupclash.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$E2E_TMP/appstream.log" 2>&1 ||
    fail "the AppStream metainfo does not validate: $(cat "$E2E_TMP/appstream.log")"
grep -q '<launchable type="desktop-id">cupclash.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not name the menu entry"
mandoc -T lint -W warning "$PREFIX/share/man/man6/cupclash.6" >"$E2E_TMP/lint.log" 2>&1 ||
    fail "the manual does not pass mandoc's lint: $(cat "$E2E_TMP/lint.log")"
note "the six icons are there, the menu entry and the metainfo validate, the manual lints clean"

# ---- what the command answers itself, with no display at all -------------------------------------
# Runs the command with the given arguments; its output, error and status land in OUT, ERR, STATUS.
run_command() {
    STATUS=0
    (cd "$E2E_TMP" && "$PREFIX/bin/cupclash" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err") || STATUS=$?
    OUT=$(cat "$E2E_TMP/out")
    ERR=$(cat "$E2E_TMP/err")
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
run_command --version
[ "$STATUS $OUT" = "0 cupclash $version" ] || fail "--version gave status $STATUS and \"$OUT\", not cupclash $version"
run_command --help
[ "$STATUS" -eq 0 ] && [ -z "$ERR" ] || fail "--help gave status $STATUS and error \"$ERR\""
lines=$(echo "$OUT" | wc -l)
[ "$lines" -ge 1 ] && [ "$lines" -le 2 ] && [[ "$OUT" == usage:* ]] || fail "--help printed $lines lines: $OUT"
# Each case: the arguments, then what the error quotes.
for case in "--scale 9|'9'" "--scale|'--scale'" "--bogus|'--bogus'" "-h --help|'-h'"; do
    args=${case%|*} named=${case#*|}
    # shellcheck disable=SC2086  # the words are the arguments
    run_command $args
    [ "$STATUS" -eq 2 ] && [ -z "$OUT" ] && [ "$(echo "$ERR" | wc -l)" -eq 1 ] && [[ "$ERR" == cupclash:* ]] &&
        [[ "$ERR" == *"$named"* ]] ||
        fail "\"cupclash $args\" gave status $STATUS, output \"$OUT\", error \"$ERR\" (expected one line quoting $named, status 2)"
done
note "--help and --version answer without a display; a wrong argument gives one line and status 2"
# A replay named from where the command is called, which the launcher leaves for the game's folder.
printf 'not a replay' >"$E2E_TMP/some.replay"
run_command --replay some.replay
[ "$STATUS" -eq 1 ] && [ "$ERR" = "cupclash: replay \"$E2E_TMP/some.replay\" is not a cupclash replay" ] ||
    fail "--replay some.replay from its folder gave status $STATUS and \"$ERR\""
note "a replay's file is named from where the command is called"

# ---- the installed game, started from an unrelated folder, at two scales ---------------------------
# On a 1280 x 1024 desktop the game enlarges its window twice by itself; --scale 1 keeps it as it is.
# Both go from the title to the character select by a click on PLAY, and show it with the mouse at
# the same game point: the enlarged window must be the other one doubled, pixel for pixel. The
# select's highlight glows on and off, so the enlarged one is looked at until it shows the same glow.
start_xvfb 1280x1024
mkdir -p "$E2E_TMP/elsewhere"

# The green mouse cursor is drawn around the game point (200, 330), on the last screenshot taken.
cursor_drawn_at_200_330() {
    screenshot
    colours_close "$(pixel 200 330)" "0 255 0" 8
}

# A screenshot of the window, at scale 1 kept as it is, at scale 2 compared with the small one doubled
# (the pixels that differ in DIFFER).
window_is_the_small_one_doubled() {
    screenshot
    "$CONVERT" "$SHOT" -crop "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}" +repage "$E2E_TMP/select-$WINDOW_SCALE.png"
    [ "$WINDOW_SCALE" = 1 ] && return 0
    DIFFER=$(compare -metric AE "$E2E_TMP/select-1-doubled.png" "$E2E_TMP/select-2.png" null: 2>&1) || true
    [ "$DIFFER" = 0 ]
}

# Starts the installed game from elsewhere at WINDOW_SCALE ($@: its arguments), clicks PLAY on the
# title and saves the character select's window as $E2E_TMP/select-SCALE.png.
select_screen() {
    start_game "$E2E_TMP/elsewhere" "$PREFIX/bin/cupclash" "$@"
    wait_window
    [ "$WIN_W $WIN_H" = "$((256 * WINDOW_SCALE)) $((384 * WINDOW_SCALE))" ] ||
        fail "the window is $WIN_W x $WIN_H at scale $WINDOW_SCALE"
    [ "$(readlink "/proc/$GAME_PID/exe")" = "$PREFIX/lib/cupclash/cupclash" ] ||
        fail "the running program is $(readlink "/proc/$GAME_PID/exe"), not the installed game"
    [ "$(readlink "/proc/$GAME_PID/cwd")" = "$DATA" ] || fail "the game runs in $(readlink "/proc/$GAME_PID/cwd"), not in $DATA"
    wait_title
    click 60 250
    wait_picture 128 8 charsel.pcx 128 8 || fail "a click on PLAY at scale $WINDOW_SCALE did not open the character select"
    xdotool mousemove --window "$WINDOW" $((200 * WINDOW_SCALE)) $((330 * WINDOW_SCALE)) 2>/dev/null
    keep_trying 5 0.05 cursor_drawn_at_200_330 || fail "the mouse cursor was not drawn where the mouse went"
    keep_trying 3 0.02 window_is_the_small_one_doubled ||
        { SHOT="$E2E_TMP/select-2.png"; fail "the enlarged window is not the small one doubled: $DIFFER pixels differ"; }
    "$PROBE" close "$WINDOW" || fail "cannot send the close message"
    wait_exit 3 || fail "the installed game still runs 3 s after its window was asked to close"
    [ "$GAME_STATUS" -eq 0 ] || fail "the installed game ended with status $GAME_STATUS"
}
WINDOW_SCALE=1
select_screen --scale 1
"$CONVERT" "$E2E_TMP/select-1.png" -scale 200% "$E2E_TMP/select-1-doubled.png"
WINDOW_SCALE=2
select_screen
note "the installed game runs in $DATA: 256 x 384 with --scale 1, 512 x 768 by itself on this desktop"
note "the enlarged character select is the small one doubled, pixel for pixel"

# ---- uninstall with the manifest -----------------------------------------------------------------
xargs -d '\n' rm <"$E2E_TMP/manifest" || fail "cannot remove the files of the manifest"
left=$(find "$PREFIX" ! -type d)
[ -z "$left" ] || fail "files left behind after uninstalling: $(echo "$left" | head -5)"
note "the manifest takes every installed file away"

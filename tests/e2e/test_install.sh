#!/usr/bin/env bash
# The installed game: `cmake --install` into a prefix of its own lays out the command, the game, every
# file it loads (and none of the build's tools or review sheets), the menu entry, the icons and the
# manual; the command answers --help and --version without a window, refuses anything else, and
# started from an unrelated folder runs the installed game in its data folder; the install manifest
# takes every installed file away again.
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
note "the six icons are there and the menu entry validates"

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
# Each case: the arguments, then the one the error names.
for case in "--scale 2|--scale" "--bogus|--bogus" "--help --version|--version" "-h|-h"; do
    args=${case%|*} named=${case#*|}
    # shellcheck disable=SC2086  # the words are the arguments
    run_command $args
    [ "$STATUS" -eq 2 ] && [ -z "$OUT" ] && [ "$(echo "$ERR" | wc -l)" -eq 1 ] && [[ "$ERR" == cupclash:* ]] &&
        [[ "$ERR" == *"'$named'"* ]] ||
        fail "\"cupclash $args\" gave status $STATUS, output \"$OUT\", error \"$ERR\" (expected one line naming '$named', status 2)"
done
note "--help and --version answer without a display; a wrong argument gives one line and status 2"

# ---- the installed game, started from an unrelated folder -----------------------------------------
start_xvfb
mkdir -p "$E2E_TMP/elsewhere"
start_game "$E2E_TMP/elsewhere" "$PREFIX/bin/cupclash"
wait_window
[ "$WIN_W $WIN_H" = "256 384" ] || fail "the window is $WIN_W x $WIN_H, not 256 x 384"
[ "$(readlink "/proc/$GAME_PID/exe")" = "$PREFIX/lib/cupclash/cupclash" ] ||
    fail "the running program is $(readlink "/proc/$GAME_PID/exe"), not the installed game"
[ "$(readlink "/proc/$GAME_PID/cwd")" = "$DATA" ] || fail "the game runs in $(readlink "/proc/$GAME_PID/cwd"), not in $DATA"
sleep 1
game_running || fail "the installed game ended on its own"
"$PROBE" close "$WINDOW" || fail "cannot send the close message"
wait_exit 3 || fail "the installed game still runs 3 s after its window was asked to close"
[ "$GAME_STATUS" -eq 0 ] || fail "the installed game ended with status $GAME_STATUS"
note "the installed game opens its 256 x 384 window from $DATA and closes with status 0"

# ---- uninstall with the manifest -----------------------------------------------------------------
xargs -d '\n' rm <"$E2E_TMP/manifest" || fail "cannot remove the files of the manifest"
left=$(find "$PREFIX" ! -type d)
[ -z "$left" ] || fail "files left behind after uninstalling: $(echo "$left" | head -5)"
note "the manifest takes every installed file away"

#!/usr/bin/env bash
# Damages, one at a time, every file the game loads, in a copy of the game folder, and checks that the
# game then refuses to start: within 2 s, status 1, and one line on standard error that starts with
# "cupclash:" and names the file.
#
#   tools/damage_files.sh GAME_DIR      (DISPLAY must name a running X server)
#
# The files are found in the folder, so that a file added later is damaged too: every file that is
# not executable, except the generator's contact sheets (*.png), which only people look at. Each
# is, in turn: removed; cut to half its size (one byte less when the cut falls on a line's end,
# where a text file would still be whole to any reader); filled with random bytes; made unreadable
# (as root, who reads anything, a folder takes its place). Prints one line per case, with the
# game's message or what went wrong, and a summary; exit status 0 when every case failed as it should, 1 otherwise, 2 on bad usage.
set -uo pipefail

game_dir=$(cd "${1:?usage: tools/damage_files.sh GAME_DIR}" && pwd) || exit 2
[ -x "$game_dir/cupclash" ] || { echo "damage_files: no cupclash in $game_dir" >&2; exit 2; }
[ -n "${DISPLAY:-}" ] || { echo "damage_files: DISPLAY must name a running X server" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/cupclash-damage.XXXXXX")
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    chmod -R u+rwX "$work" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

copy="$work/game"
cp -a "$game_dir" "$copy"
# A HOME whose ALSA device takes the sound and drops it: the game has sound, so it says nothing about
# its absence, and the only line expected is the damage's.
mkdir -p "$work/home"
echo 'pcm.!default { type null }' >"$work/home/.asoundrc"
limit_ms=2000

mapfile -t files < <(cd "$copy" && find . -type f ! -perm /111 ! -name '*.png' -printf '%P\n' | sort)
[ ${#files[@]} -gt 0 ] || { echo "damage_files: no data files in $game_dir" >&2; exit 2; }

damage() {
    local how=$1 file=$2 size
    size=$(stat -c %s "$file")
    case "$how" in
    removed) rm -f "$file" ;;
    halved)
        size=$((size / 2))
        [ "$size" -gt 0 ] && [ "$(tail -c +"$size" "$file" | head -c 1 | od -An -tx1 | tr -d ' ')" = 0a ] &&
            size=$((size - 1))
        truncate -s "$size" "$file"
        ;;
    randomised) head -c "$size" /dev/urandom >"$file" ;;
    unreadable)
        if [ "$(id -u)" -eq 0 ]; then
            rm -f "$file" && mkdir "$file"
        else
            chmod a-r "$file"
        fi
        ;;
    esac
}

# Runs the game in the copy; sets status, elapsed_ms and lines (its standard error).
run_game() {
    local start now
    start=$(date +%s%N)
    (cd "$copy" && HOME="$work/home" exec ./cupclash >"$work/out" 2>"$work/err") &
    game_pid=$!
    while kill -0 "$game_pid" 2>/dev/null; do
        now=$(date +%s%N)
        if [ $(((now - start) / 1000000)) -ge "$limit_ms" ]; then
            kill -KILL "$game_pid" 2>/dev/null
            break
        fi
        sleep 0.02
    done
    status=0
    wait "$game_pid" 2>/dev/null || status=$?
    game_pid=""
    elapsed_ms=$((($(date +%s%N) - start) / 1000000))
    lines=$(cat "$work/err")
}

failures=0 cases=0
for file in "${files[@]}"; do
    for how in removed halved randomised unreadable; do
        cases=$((cases + 1))
        damage "$how" "$copy/$file"
        run_game
        rm -rf "${copy:?}/$file"
        cp -a "$game_dir/$file" "$copy/$file"
        problem=""
        if [ "$elapsed_ms" -ge "$limit_ms" ]; then
            problem="still running after $limit_ms ms"
        elif [ "$status" -ne 1 ]; then
            problem="status $status, not 1"
        elif [ "$(printf '%s\n' "$lines" | wc -l)" -ne 1 ] || [ -z "$lines" ]; then
            problem="$(printf '%s\n' "$lines" | grep -c .) lines on standard error, not one"
        elif [[ "$lines" != cupclash:* ]]; then
            problem="the line does not start with \"cupclash:\""
        elif ! grep -qF -- "$(basename "$file")" <<<"$lines"; then
            problem="the line does not name the file"
        fi
        if [ -n "$problem" ]; then
            failures=$((failures + 1))
            echo "FAIL $file $how: $problem: $(head -c 300 <<<"$lines" | tr '\n' '|')"
        else
            echo "ok   $file $how ($elapsed_ms ms): $lines"
        fi
    done
done
echo "damage_files: $cases cases on ${#files[@]} files, $failures failed"
[ "$failures" -eq 0 ]

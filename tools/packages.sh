# shellcheck shell=bash
# Shared by play.sh and test.sh (sourced, not run): the Debian packages the game and its tests need,
# and two helpers.

# To build and run the game.
GAME_PACKAGES=(build-essential cmake pkg-config liballegro4-dev libfreetype-dev fonts-dejavu-core zlib1g-dev)
# The music is rendered at build time by FluidSynth with a General MIDI sound font.
GAME_PACKAGES+=(libfluidsynth-dev timgm6mb-soundfont)
# Online play runs over ENet.
GAME_PACKAGES+=(libenet-dev)
# On top, to build and run the unit tests, the benchmarks and the end-to-end tests (a virtual X
# server, a key presser, screenshots, and Xlib for the little window-closing helper).
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev xvfb xdotool imagemagick libx11-dev)
# The install test checks the menu entry with desktop-file-validate,
TEST_PACKAGES+=(desktop-file-utils)
# ... the AppStream metainfo with appstreamcli, and the manual with mandoc's lint.
TEST_PACKAGES+=(appstream mandoc)
# The fuzz test of the character file readers: clang with libFuzzer and its sanitizers.
TEST_PACKAGES+=(clang libclang-rt-14-dev)

# Installs the named Debian packages that are not installed yet; says nothing when none is missing.
install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Runs a command with its output held back; the output is shown only when the command fails.
quietly() {
    local log status=0
    log=$(mktemp)
    "$@" >"$log" 2>&1 || status=$?
    [ "$status" -ne 0 ] && cat "$log" >&2
    rm -f "$log"
    return "$status"
}

#!/usr/bin/env bash
# Builds cupclash (installing the Debian packages it needs when some are missing) and starts it.
# Safe to run again: it installs nothing and rebuilds nothing that is already there.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh

install_missing "${GAME_PACKAGES[@]}"

# One build folder for the game and the tests. A first configuration here leaves the tests out
# (their packages are test.sh's business); test.sh turns them on in the same folder, and a later
# run of this script keeps whatever the folder was configured with.
first_time=()
[ -f build/CMakeCache.txt ] || first_time=(-DCUPCLASH_TESTS=OFF)
quietly cmake -S . -B build "${first_time[@]}"
quietly cmake --build build --target cupclash -j "$(nproc)"

cd build/game
exec ./cupclash

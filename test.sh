#!/usr/bin/env bash
# Builds cupclash with its tests and benchmarks (installing the Debian packages they need when some
# are missing) and runs every test: unit tests and end-to-end runs of the game in a virtual X server.
# Arguments go to ctest, e.g. `./test.sh -L e2e` or `./test.sh -LE e2e`. Exit status: the tests'.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh

install_missing "${GAME_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

quietly cmake -S . -B build -DCUPCLASH_TESTS=ON
quietly cmake --build build -j "$(nproc)"

cd build
exec ctest --output-on-failure -j "$(nproc)" "$@"

#!/usr/bin/env bash
# Runs the replay reader's fuzz target for 5 seconds (usage: fuzz_replay.sh GAME_DIR FUZZ_DIR). Its
# seeds are made once by the simulator: the replay of a round left after 60 frames, and that
# replay's body unpacked, so that the fuzzer starts from both shapes it reads.
set -euo pipefail
game=$1 fuzz=$2
seeds="$fuzz/replay_seeds"
mkdir -p "$seeds" "$fuzz/replay_corpus"
if [ ! -s "$seeds/round.body" ]; then
    status=0
    (cd "$game" && ./cupclash-sim 1 7 --cap 60 --record "$seeds/round.replay" >/dev/null) || status=$?
    [ "$status" -eq 1 ] && [ -s "$seeds/round.replay" ] || { echo "fuzz_replay: the simulator made no seed" >&2; exit 1; }
    perl -MCompress::Zlib -e 'local $/; my $b = <STDIN>; print uncompress(substr($b, 20))' \
        <"$seeds/round.replay" >"$seeds/round.body"
fi
exec "$fuzz/fuzz_replay" -max_total_time=5 -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$fuzz/" -print_final_stats=1 "$fuzz/replay_corpus" "$seeds"

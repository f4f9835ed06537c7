#!/usr/bin/env bash
# Online play over spoiled links: for each delay (ms, each way) and loss (%, each way), two headless
# sides (cupclash-sim --host and --join, each board played by its own side's computer, at the game's
# 25 frames a second) play ROUNDS rounds through cupclash-relay, and a line gives the joiner's
# rollbacks per second, frames rolled back per second, bytes sent and received per second (ENet's
# headers included), the host's input packets that never reached the joiner, its CPU share (user + system
# time over wall time, 100 % being one core) and whether both sides ended at the same checksum (or
# why not).
#
#   tools/perf/online_links.sh GAME_DIR [ROUNDS] [DELAYS] [LOSSES]
#       DELAYS and LOSSES: lists such as "0 50 150" and "0 2 10" (the defaults)
set -euo pipefail
cd "${1:?usage: online_links.sh GAME_DIR [ROUNDS] [DELAYS] [LOSSES]}"
rounds=${2:-1}
delays=${3:-0 50 150}
losses=${4:-0 2 10}
tmp=$(mktemp -d)
relay=""
trap '[ -n "$relay" ] && kill "$relay" 2>/dev/null; rm -rf "$tmp"' EXIT
port=$((40000 + $$ % 10000))

printf '%-8s %-6s %-12s %-14s %-10s %-10s %-6s %-6s %s\n' delay loss rollbacks/s rolled-back/s sent/s received/s lost cpu agree
for delay in $delays; do
    for loss in $losses; do
        port=$((port + 2))
        ./cupclash-relay $((port + 1)) 127.0.0.1:$port --delay "$delay" --jitter $((delay / 10)) --loss "$loss" \
            --for 900 >/dev/null &
        relay=$!
        ./cupclash-sim "$rounds" 0 --host $port >"$tmp/host.out" 2>&1 &
        host=$!
        /usr/bin/time -f '%U %S %e' -o "$tmp/time" ./cupclash-sim "$rounds" 0 --join 127.0.0.1:$((port + 1)) \
            >"$tmp/join.out" 2>&1 || true
        wait "$host" || true
        kill "$relay" 2>/dev/null || true
        wait "$relay" 2>/dev/null || true
        relay=""
        read -r user system wall < <(tail -n1 "$tmp/time")  # after "Command exited with ..." when it failed
        line=$(grep rollbacks "$tmp/join.out" || echo "")
        seconds=$(sed -n 's/^frames [0-9]* in \([0-9.]*\) s.*/\1/p' <<<"$line")
        rollbacks=$(sed -n 's/.*rollbacks [0-9]* (\([0-9.]*\)\/s).*/\1/p' <<<"$line")
        rolled=$(sed -n 's/.*frames rolled back \([0-9]*\).*/\1/p' <<<"$line")
        sent=$(sed -n 's/^bytes sent [0-9]* (\([0-9]*\)\/s).*/\1/p' "$tmp/join.out")
        received=$(sed -n 's/.*received [0-9]* (\([0-9]*\)\/s).*/\1/p' "$tmp/join.out")
        agree=no
        [ -s "$tmp/join.out" ] && ! grep -q '^final checksum' "$tmp/join.out" && agree="no: $(grep -h 'cupclash-sim:' "$tmp/join.out" "$tmp/host.out" | head -n1)"
        [ -n "$(sed -n 's/^final checksum: //p' "$tmp/host.out")" ] &&
            [ "$(sed -n 's/^final checksum: //p' "$tmp/host.out")" = "$(sed -n 's/^final checksum: //p' "$tmp/join.out")" ] &&
            agree=yes
        lost=$(sed -n 's/.*input packets lost \([0-9]*\).*/\1/p' <<<"$line")
        printf '%-8s %-6s %-12s %-14s %-10s %-10s %-6s %-6s %s\n' "${delay}ms" "${loss}%" "${rollbacks:-?}" \
            "$(awk -v r="${rolled:-0}" -v s="${seconds:-0}" 'BEGIN { printf "%.1f", (s > 0 ? r / s : 0) }')" \
            "${sent:-?}" "${received:-?}" "${lost:-?}" \
            "$(awk -v u="$user" -v s="$system" -v w="$wall" 'BEGIN { printf "%.1f%%", 100 * (u + s) / w }')" "$agree"
    done
done

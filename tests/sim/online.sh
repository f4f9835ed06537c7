#!/usr/bin/env bash
# Two headless sides play a whole round online through the relay, which delays, jitters, loses,
# duplicates and reorders their datagrams, while random datagrams from a stranger hit the host's port
# (usage: online.sh GAME_DIR). Both must end with the same final checksum, and each side's replay
# must play back to that checksum too. Then a match in which the joiner spoils its own state on
# purpose: both sides must stop with the desync message, the host's replay playing back clean and
# the joiner's showing where it parted. Last, straight over the loopback, a match played out, a
# rematch both sides want and the title: the rematch starts from the host's new seed on both sides
# and is recorded as a replay of its own.
set -euo pipefail
cd "$1"
tmp=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$tmp"' EXIT
fail() {
    echo "online: FAIL: $*" >&2
    exit 1
}

port=$((20000 + $$ % 20000))
./cupclash-relay $((port + 1)) 127.0.0.1:$port --delay 20 --jitter 10 --loss 5 --duplicate 3 --reorder 3 --for 60 \
    >"$tmp/relay.out" &
pids+=($!)
./cupclash-sim 1 0 --host $port --frame-ms 4 --record "$tmp/host.replay" >"$tmp/host.out" 2>&1 &
host=$!
pids+=($host)
(   # a stranger's 300 random datagrams of 1 to 64 bytes at the host's port
    for k in $(seq 300); do
        head -c $((1 + RANDOM % 64)) /dev/urandom >/dev/udp/127.0.0.1/$port 2>/dev/null || true
        sleep 0.01
    done
) &
pids+=($!)
./cupclash-sim 1 0 --join 127.0.0.1:$((port + 1)) --frame-ms 4 --record "$tmp/join.replay" >"$tmp/join.out" 2>&1 ||
    fail "the joining side: $(cat "$tmp/join.out")"
wait "$host" || fail "the hosting side: $(cat "$tmp/host.out")"

sum() { sed -n 's/^final checksum: //p' "$1"; }
host_sum=$(sum "$tmp/host.out")
join_sum=$(sum "$tmp/join.out")
[ -n "$host_sum" ] && [ "$host_sum" = "$join_sum" ] || fail "the sides end apart: host $host_sum, joiner $join_sum"
for side in host join; do
    ./cupclash-sim --replay "$tmp/$side.replay" >"$tmp/$side.play" || fail "the $side's replay: $(tail -n2 "$tmp/$side.play")"
    [ "$(sum "$tmp/$side.play")" = "$host_sum" ] || fail "the $side's replay ends elsewhere: $(cat "$tmp/$side.play")"
done
echo "online: both sides and both replays end at $host_sum; $(grep rollbacks "$tmp/join.out")"

./cupclash-sim 1 0 --host $((port + 2)) --frame-ms 4 --record "$tmp/host2.replay" >"$tmp/host2.out" 2>&1 &
host=$!
pids+=($host)
./cupclash-sim 1 0 --join 127.0.0.1:$((port + 2)) --frame-ms 4 --desync-at 100 --record "$tmp/join2.replay" \
    >"$tmp/join2.out" 2>&1 && fail "the spoilt joiner played on: $(cat "$tmp/join2.out")"
wait "$host" && fail "the host played on with a spoilt joiner: $(cat "$tmp/host2.out")"
for side in host2 join2; do
    grep -q 'no longer agree (desync at frame' "$tmp/$side.out" || fail "no desync message: $(cat "$tmp/$side.out")"
done
./cupclash-sim --replay "$tmp/host2.replay" >"$tmp/host2.play" || fail "the host's replay of the desync: $(cat "$tmp/host2.play")"
./cupclash-sim --replay "$tmp/join2.replay" >"$tmp/join2.play" && fail "the spoilt joiner's replay agrees with itself"
grep -q 'drifted at frame' "$tmp/join2.play" || fail "the spoilt joiner's replay: $(cat "$tmp/join2.play")"
echo "online: a spoilt side stops both: $(grep -h 'desync at' "$tmp/join2.out")"

./cupclash-sim 9 0 --host $((port + 3)) --frame-ms 0 --rematch >"$tmp/host3.out" 2>&1 &
host=$!
pids+=($host)
./cupclash-sim 9 0 --join 127.0.0.1:$((port + 3)) --frame-ms 0 --rematch --record "$tmp/join3.replay" \
    >"$tmp/join3.out" 2>&1 || fail "the joining side of the rematch: $(cat "$tmp/join3.out")"
wait "$host" || fail "the hosting side of the rematch: $(cat "$tmp/host3.out")"
for side in host3 join3; do
    grep -qx 'matches played: 2' "$tmp/$side.out" || fail "the $side side did not play a rematch: $(cat "$tmp/$side.out")"
done
[ "$(sum "$tmp/host3.out")" = "$(sum "$tmp/join3.out")" ] ||
    fail "the rematch ends apart: host $(sum "$tmp/host3.out"), joiner $(sum "$tmp/join3.out")"
./cupclash-sim --replay "$tmp/join3.replay" >"$tmp/join3.play" || fail "the rematch's replay: $(tail -n2 "$tmp/join3.play")"
[ "$(sum "$tmp/join3.play")" = "$(sum "$tmp/join3.out")" ] || fail "the rematch's replay ends elsewhere"
echo "online: a rematch ends at $(sum "$tmp/join3.out") on both sides and in its replay"

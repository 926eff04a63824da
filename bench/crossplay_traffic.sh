#!/usr/bin/env bash
# What a relayed session carries each way, over UDP and over a WebSocket: one lobby on the
# loopback, then the same recorded fight played through its relay three times (UDP host and UDP
# joiner; UDP host and WebSocket joiner; WebSocket host and UDP joiner). Each side prints what
# it sent and received; this prints those lines side by side.
#   bench/crossplay_traffic.sh BUILD_DIR [TICKS]
# BUILD_DIR holds brawler-lobby and tools/replay/brawler-replay; the fight is
# tests/replays/stage3.replay, played inside data/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "$1" && pwd)"
ticks="${2:-1800}"
fight="$here/tests/replays/stage3.replay"
work="$(mktemp -d)"
lobby_pid=""
cleanup() {
  [ -n "$lobby_pid" ] && kill "$lobby_pid" 2>/dev/null && wait "$lobby_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

"$build/brawler-lobby" --bind 127.0.0.1 --port 0 --ws-port 0 > "$work/lobby.out" 2>&1 &
lobby_pid=$!
for _ in $(seq 100); do grep -q "websocket port" "$work/lobby.out" && break; sleep 0.1; done
udp="127.0.0.1:$(sed -n 's/^lobby listening on port \([0-9]*\).*/\1/p' "$work/lobby.out")"
ws="ws://127.0.0.1:$(sed -n 's/.*websocket port \([0-9]*\).*/\1/p' "$work/lobby.out")"

replay() { (cd "$here/data" && "$build/tools/replay/brawler-replay" netplay "$@"); }

# One relayed fight: the host through $1, the joiner through $2; prints both sides' traffic.
session() {
  local name="$1" host_lobby="$2" joiner_lobby="$3"
  replay --lobby "$host_lobby" --host-room --relay --ticks "$ticks" --inputs "$fight" > "$work/host.out" 2>&1 &
  local host_pid=$!
  for _ in $(seq 300); do grep -q "netplay room" "$work/host.out" && break; sleep 0.1; done
  local code
  code="$(sed -n 's/^netplay room \([A-Z]*\).*/\1/p' "$work/host.out")"
  replay --lobby "$joiner_lobby" --join-room "$code" --relay --ticks "$ticks" --inputs "$fight" > "$work/joiner.out" 2>&1
  wait "$host_pid"
  echo "== $name ($ticks ticks)"
  for side in host joiner; do
    echo "  $side: $(grep '^netplay sent' "$work/$side.out")"
    echo "  $side: $(grep '^netplay out per second' "$work/$side.out")"
  done
  grep -h '^end ' "$work/host.out" "$work/joiner.out" | uniq -c | sed 's/^/  /'
}

session "UDP host, UDP joiner" "$udp" "$udp"
session "UDP host, WebSocket joiner" "$udp" "$ws"
session "WebSocket host, UDP joiner" "$ws" "$udp"
kill "$lobby_pid"
wait "$lobby_pid" || true
lobby_pid=""
grep '^lobby counts' "$work/lobby.out"

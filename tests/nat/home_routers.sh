#!/usr/bin/env bash
# Two players behind real home routers: network namespaces joined by veth pairs, each home
# behind a router namespace that masquerades with nftables and drops whatever nobody inside
# asked for, and a "public" namespace between them holding the lobby. Everything lives on the
# documentation ranges and has no way out of this machine: no namespace has a link to the
# machine's own network, and none has a default route but the homes' (towards their router).
#
#   home_routers.sh LOBBY_PROGRAM REPLAY_PROGRAM CONTENT_DIR FIGHT
#
# Exits 0 when every pairing took the path its routers allow and both sides agreed, 1 when one
# did not, 77 (skipped) when this machine cannot make namespaces (not root, no ip or nft).
#
#   public 198.51.100.0/24: the lobby at .1 on a bridge, each router's WAN side on it
#   cone1 (WAN .11)  home 192.0.2.0/26:    a1 .2, a2 .3   port-preserving masquerade
#   cone2 (WAN .12)  home 192.0.2.64/26:   b1 .66         port-preserving masquerade
#   sym   (WAN .13)  home 192.0.2.128/26:  c1 .130        a random port for every destination
set -uo pipefail

lobby_program="$(realpath "$1")"
replay_program="$(realpath "$2")"
content_dir="$(realpath "$3")"
fight="$(realpath "$4")"
here="$(cd "$(dirname "$0")" && pwd)"
probe="$here/udp_probe.py"

kSkipped=77
kLobbyPort=7708
kReflectA=9000
kReflectB=9001
kProbePort=40000
kFightTicks=300
kProgramSeconds=60

skip() {
  echo "home routers test skipped: $1"
  exit "$kSkipped"
}
[ "$(id -u)" -eq 0 ] || skip "network namespaces need root"
for tool in ip nft python3 timeout; do
  command -v "$tool" >/dev/null || skip "no $tool on this machine"
done

# Names of this run only, so that two runs side by side never touch each other's.
tag="brn$$"
# A run killed outright (a test timeout's SIGKILL) could not clean up: its namespaces carry the
# number of a process that is gone, and go now.
for ns in $(ip netns list 2>/dev/null | sed -n 's/^\(brn[0-9]*[a-z][a-z0-9]*\).*/\1/p'); do
  owner="${ns#brn}"
  owner="${owner%%[a-z]*}"
  [ -d "/proc/$owner" ] && continue
  for pid in $(ip netns pids "$ns" 2>/dev/null); do kill -9 "$pid" 2>/dev/null; done
  ip netns delete "$ns" 2>/dev/null
done
namespaces=()
children=()
work="$(mktemp -d)"
cleanup() {
  for pid in "${children[@]}"; do kill "$pid" 2>/dev/null; done
  for ns in "${namespaces[@]}"; do
    # Whatever still runs in a namespace of ours was started here.
    for pid in $(ip netns pids "$ns" 2>/dev/null); do kill -9 "$pid" 2>/dev/null; done
    ip netns delete "$ns" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

failures=0
fail() {
  echo "FAILED: $1"
  failures=$((failures + 1))
}

in_ns() {
  local ns="$tag$1"
  shift
  ip netns exec "$ns" "$@"
}

make_ns() {
  ip netns add "$tag$1" || return 1
  namespaces+=("$tag$1")
  ip -n "$tag$1" link set lo up
}

if ! make_ns public; then
  skip "this machine cannot make network namespaces"
fi

# public: one bridge, the lobby's address on it.
ip -n "${tag}public" link add net type bridge
ip -n "${tag}public" addr add 198.51.100.1/24 dev net
ip -n "${tag}public" link set net up

# A cable from namespace NAME's interface IFACE (given ADDRESS) to a port, named NAME, of
# BRIDGE in namespace OTHER: plug NAME IFACE ADDRESS OTHER BRIDGE
plug() {
  local name="$1" iface="$2" address="$3" other="$4" bridge="$5"
  ip -n "$tag$name" link add "$iface" type veth peer name "$name" netns "$tag$other" &&
    ip -n "$tag$other" link set "$name" master "$bridge" up &&
    ip -n "$tag$name" addr add "$address" dev "$iface" &&
    ip -n "$tag$name" link set "$iface" up
}

# A router: its WAN side on the public bridge, a bridge for its home, and the rules.
#   make_router NAME WAN_ADDRESS LAN_ADDRESS/PREFIX MASQUERADE_FLAGS
make_router() {
  local name="$1" wan="$2" lan="$3" flags="$4"
  make_ns "$name" || return 1
  plug "$name" wan "$wan/24" public net || return 1
  ip -n "$tag$name" link add lan type bridge
  ip -n "$tag$name" addr add "$lan" dev lan
  ip -n "$tag$name" link set lan up
  in_ns "$name" sysctl -qw net.ipv4.ip_forward=1
  # What a home router does: out goes anything from inside, in comes only what answers it.
  # (Where the kernel hands bridged frames to these chains too, the home's own traffic between
  # two machines comes in on a port of the home's bridge: "not the WAN side" covers it.)
  # The input chain matters as much as the forward one: a punch that reaches the router before
  # anyone inside sent the other way must die here, or connection tracking keeps it as a flow
  # of its own and the inside's own packets get another port.
  in_ns "$name" nft -f - <<EOF || return 1
table ip home {
  chain input {
    type filter hook input priority filter; policy drop;
    ct state established,related accept
    iifname != "wan" accept
  }
  chain forward {
    type filter hook forward priority filter; policy drop;
    ct state established,related accept
    iifname != "wan" accept
  }
  chain outside {
    type nat hook postrouting priority srcnat;
    oifname "wan" masquerade $flags
  }
}
EOF
}

# A machine at home: NAME ROUTER ADDRESS/PREFIX GATEWAY
make_machine() {
  local name="$1" router="$2" address="$3" gateway="$4"
  make_ns "$name" || return 1
  plug "$name" eth0 "$address" "$router" lan || return 1
  ip -n "$tag$name" route add default via "$gateway"
}

build_network() {
  make_router cone1 198.51.100.11 192.0.2.1/26 "" &&
    make_router cone2 198.51.100.12 192.0.2.65/26 "" &&
    make_router sym 198.51.100.13 192.0.2.129/26 "fully-random" &&
    make_machine a1 cone1 192.0.2.2/26 192.0.2.1 &&
    make_machine a2 cone1 192.0.2.3/26 192.0.2.1 &&
    make_machine b1 cone2 192.0.2.66/26 192.0.2.65 &&
    make_machine c1 sym 192.0.2.130/26 192.0.2.129
}
if ! build_network 2>"$work/setup.err"; then
  cat "$work/setup.err"
  grep -qi "nat\|masquerade\|netlink\|not supported\|No such file" "$work/setup.err" &&
    skip "this machine cannot make the routers (nftables NAT or veth missing)"
  echo "FAILED: the namespaces could not be set up"
  exit 1
fi

# Waits until FILE holds TEXT or SECONDS pass (or the process PID, when given, is gone).
wait_for() {
  local file="$1" text="$2" tenths=$(($3 * 10)) pid="${4:-}"
  for _ in $(seq 1 "$tenths"); do
    grep -q "$text" "$file" 2>/dev/null && return 0
    [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null && return 1
    sleep 0.1
  done
  return 1
}

# ---- the routers are the homes they stand for -------------------------------------------------
ip netns exec "${tag}public" timeout 60 python3 "$probe" reflect 198.51.100.1 "$kReflectA" "$kReflectB" 60 >"$work/reflect.out" &
children+=($!)
wait_for "$work/reflect.out" reflecting 10 || fail "the public reflector did not start"

# One table of cases: MACHINE, what the router's mapping must look like, and why.
#   preserved: both reflector ports see the machine at its WAN address and its own port
#   per-destination: each reflector port sees another port
while read -r machine wan mapping why; do
  seen="$(in_ns "$machine" timeout 15 python3 "$probe" map "$kProbePort" 198.51.100.1 "$kReflectA" "$kReflectB")"
  read -r seen_a seen_b <<<"$seen"
  case "$mapping" in
  preserved)
    [ "$seen_a" = "$wan:$kProbePort" ] && [ "$seen_b" = "$seen_a" ] ||
      fail "$why: seen as $seen" ;;
  per-destination)
    [ "${seen_a%:*}" = "$wan" ] && [ "$seen_a" != "$seen_b" ] && [ "$seen_b" != none ] ||
      fail "$why: seen as $seen" ;;
  esac
  echo "router probe $machine: $seen ($mapping)"
done <<'EOF'
a1 198.51.100.11 preserved a cone router keeps the machine's port for every destination
b1 198.51.100.12 preserved the second cone router does the same
c1 198.51.100.13 per-destination the symmetric router gives each destination a port of its own
EOF

# Nobody inside asked for a datagram from the reflector's other port: every router drops it.
for machine in a1 b1 c1; do
  said="$(in_ns "$machine" timeout 15 python3 "$probe" poke $((kProbePort + 1)) 198.51.100.1 "$kReflectA")"
  [ "$said" = dropped ] || fail "the router in front of $machine let in what nobody asked for ($said)"
done

# Two machines behind one router reach each other on their home network; another home's
# machine is out of reach except through the routers.
ip netns exec "${tag}a2" timeout 30 python3 "$probe" echo 192.0.2.3 "$kProbePort" 30 >"$work/echo.out" &
children+=($!)
wait_for "$work/echo.out" echoing 10 || fail "the echo on a2 did not start"
[ "$(in_ns a1 timeout 15 python3 "$probe" ask 192.0.2.3 "$kProbePort")" = answered ] ||
  fail "a1 cannot reach a2 on their home network"
[ "$(in_ns b1 timeout 15 python3 "$probe" ask 192.0.2.3 "$kProbePort")" = silent ] ||
  fail "b1 reached a home address of another home"

# ---- the lobby in public ----------------------------------------------------------------------
ip netns exec "${tag}public" "$lobby_program" --bind 198.51.100.1 --port "$kLobbyPort" \
  >"$work/lobby.out" 2>&1 &
lobby_pid=$!
children+=("$lobby_pid")
wait_for "$work/lobby.out" "lobby listening on port $kLobbyPort" 30 || fail "the lobby did not start: $(cat "$work/lobby.out")"

# ---- players through the lobby ----------------------------------------------------------------
# A fight through the lobby: HOST_MACHINE JOIN_MACHINE EXPECTED_PATH NAME.
play_pairing() {
  local host="$1" joiner="$2" expected="$3" name="$4"
  local dir="$work/$host-$joiner"
  mkdir -p "$dir"
  (cd "$content_dir" && in_ns "$host" timeout "$kProgramSeconds" "$replay_program" netplay \
    --lobby "198.51.100.1:$kLobbyPort" --host-room --inputs "$fight" --ticks "$kFightTicks" \
    --out "$dir/host.replay" >"$dir/host.out" 2>&1) &
  local host_pid=$!
  if ! wait_for "$dir/host.out" "netplay room " 30 "$host_pid"; then
    wait "$host_pid"
    fail "$name: the host got no room: $(cat "$dir/host.out")"
    return
  fi
  local code
  code="$(sed -n 's/^netplay room \([A-Z]*\).*/\1/p' "$dir/host.out" | head -n 1)"
  (cd "$content_dir" && in_ns "$joiner" timeout "$kProgramSeconds" "$replay_program" netplay \
    --lobby "198.51.100.1:$kLobbyPort" --join-room "$code" --inputs "$fight" \
    --out "$dir/joiner.replay" >"$dir/joiner.out" 2>&1)
  local joiner_status=$?
  wait "$host_pid"
  local host_status=$?
  local host_path joiner_path host_end joiner_end
  host_path="$(sed -n 's/^netplay path //p' "$dir/host.out")"
  joiner_path="$(sed -n 's/^netplay path //p' "$dir/joiner.out")"
  host_end="$(grep '^end ' "$dir/host.out")"
  joiner_end="$(grep '^end ' "$dir/joiner.out")"
  echo "pairing $name: host $host_path, joiner $joiner_path (expected $expected)"
  if [ "$host_status" -ne 0 ] || [ "$joiner_status" -ne 0 ]; then
    fail "$name: host status $host_status, joiner status $joiner_status"
    sed 's/^/  host: /' "$dir/host.out"
    sed 's/^/  joiner: /' "$dir/joiner.out"
    return
  fi
  [ "$host_path" = "$expected" ] && [ "$joiner_path" = "$expected" ] ||
    fail "$name: went $host_path/$joiner_path, not $expected"
  [ -n "$host_end" ] && [ "$host_end" = "$joiner_end" ] ||
    fail "$name: the sides ended apart: '$host_end' and '$joiner_end'"
  cmp -s "$dir/host.replay" "$dir/joiner.replay" || fail "$name: the two recordings differ"
}

# One table of cases: the host's machine, the joiner's, the path the routers allow, and why.
while read -r host joiner expected name; do
  play_pairing "$host" "$joiner" "$expected" "$name"
done <<'EOF'
a1 b1 DIRECT two cone routers let the punches through
a1 c1 RELAY a symmetric router on the joiner's side moves the port the punches need
c1 b1 RELAY a symmetric router on the host's side does the same
a1 a2 DIRECT two machines behind one router meet on their home addresses
EOF

kill -TERM "$lobby_pid" 2>/dev/null
wait "$lobby_pid"
lobby_status=$?
[ "$lobby_status" -eq 0 ] || fail "the lobby stopped with status $lobby_status"
grep '^lobby counts' "$work/lobby.out"

if [ "$failures" -gt 0 ]; then
  echo "home routers test: $failures failed"
  exit 1
fi
echo "home routers test: every router and pairing as expected"

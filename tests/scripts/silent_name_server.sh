#!/usr/bin/env bash
# Starts build/bowlyn with a release address whose host name only a silent
# name server could resolve: a UDP socket that reads queries and never
# answers, put in place of the resolver configuration inside a mount
# namespace. The window must appear, answer Ctrl+Q and end at once although
# the release check is still waiting for the name (which the resolver would
# wait 30 seconds for).
# Usage: silent_name_server.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

source "$(dirname "$0")/window_prelude.bash" "$1" "$2" "${3:-}" python3 unshare mount
unshare -m true 2>/dev/null || { echo "skipped: no permission for a mount namespace (unshare -m)"; exit 77; }
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null
  rm -rf "$work"
}

# A proxy would be asked instead of the name server.
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY all_proxy ALL_PROXY no_proxy NO_PROXY
export BOWLYN_RELEASE_URL="http://bowlyn-release.example/formulae/bowlyn_files/version"

# The silent server takes the first free loopback address on port 53 (a
# resolver configuration names no port) and notes every query it reads.
python3 - "$work" <<'EOF' &
import random, socket, sys
work = sys.argv[1]
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
for _ in range(200):
    address = "127.0.%d.%d" % (random.randint(1, 254), random.randint(1, 254))
    try:
        s.bind((address, 53))
        break
    except OSError:
        continue
else:
    sys.exit("no loopback address with a free port 53")
with open(work + "/resolv.conf", "w") as f:
    f.write("nameserver %s\noptions timeout:30 attempts:1\n" % address)
while True:
    s.recvfrom(4096)
    with open(work + "/queries", "a") as f:
        f.write("query\n")
EOF
server=$!
for _ in $(seq 50); do
  [ -s "$work/resolv.conf" ] && break
  kill -0 "$server" 2>/dev/null || fail "the silent name server did not start"
  sleep 0.1
done
[ -s "$work/resolv.conf" ] || fail "the silent name server did not start"
# Only where host names go to the name servers of the resolver configuration,
# and a mount namespace may cover that file, does the silent server stand in.
grep -Eq '^hosts:.*\bdns\b' /etc/nsswitch.conf 2>/dev/null ||
  { echo "skipped: host names are not looked up through DNS here"; exit 77; }
unshare -m sh -c 'mount --bind "$1" /etc/resolv.conf' sh "$work/resolv.conf" 2>/dev/null ||
  { echo "skipped: cannot mount over /etc/resolv.conf in a mount namespace"; exit 77; }

# $1: seconds to wait after the name server got the query before Ctrl+Q.
run_and_quit() {
  rm -f "$work/queries"
  unshare -m sh -c 'mount --bind "$1" /etc/resolv.conf && exec "$2"' sh \
    "$work/resolv.conf" "$build/bowlyn" 2>"$work/stderr" &
  pid=$!
  main=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name ' - Bowlyn$' | head -1) ||
    fail "the main window did not appear: $(cat "$work/stderr")"

  # The check must really be waiting for the silent server, or this proves nothing.
  for _ in $(seq 50); do
    [ -s "$work/queries" ] && break
    sleep 0.1
  done
  [ -s "$work/queries" ] || fail "the release check never asked the name server"
  sleep "$1"

  xdotool mousemove --window "$main" 700 300
  sleep 0.3
  local start elapsed status=0
  start=$(date +%s%N)
  xdotool key ctrl+q
  while kill -0 "$pid" 2>/dev/null; do
    [ $(($(date +%s%N) - start)) -lt 40000000000 ] || { kill "$pid"; fail "the program did not end"; }
    sleep 0.02
  done
  elapsed=$((($(date +%s%N) - start) / 1000000))
  wait "$pid" || status=$?
  [ "$status" -eq 0 ] || fail "ended with status $status: $(cat "$work/stderr")"
  # Waiting for the name would take the resolver's 30 s; a slow (sanitizer)
  # build ends in well under 10.
  [ "$elapsed" -lt 10000 ] || fail "Ctrl+Q took $elapsed ms to end the program"
  echo "Ctrl+Q ended the program after $elapsed ms (quit $1 s after the query)"
}

# While the check waits for the name, and after its own time limit (5 s)
# gave up on it: neither may hold the window.
run_and_quit 0
run_and_quit 6
echo "PASS: the window appeared and quit at once while the name server stayed silent"

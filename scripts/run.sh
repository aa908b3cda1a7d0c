#!/usr/bin/env bash
# Sets everything up and runs the Quenlap viewer.
#   scripts/run.sh                  a live race: the race server emulator plays a generated race
#                                   on loopback and the viewer follows it ("-c localhost:PORT")
#   scripts/run.sh FILE FILE...     those race data files
#   scripts/run.sh -c HOST:PORT     a fixed live display of a race server
# Without a display (no DISPLAY nor WAYLAND_DISPLAY) it runs offscreen. It runs until the main
# window is closed; QUENLAP_QUIT_AFTER_MS=N makes it close by itself after N milliseconds.
# QUENLAP_DEMO_RACE=COMPETITORS,MINUTES,SEED chooses the live race (default 8,10,<random>).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(scripts/setup.sh release | tail -n 1)

if [[ -z ${QT_QPA_PLATFORM:-} && -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "run: no display found, running offscreen" >&2
    export QT_QPA_PLATFORM=offscreen
fi

if (($# > 0)); then
    exec "$build_dir/bin/quenlap" "$@"
fi

# The live demo. The emulator takes a free port of its own (port 0) and says which.
race=${QUENLAP_DEMO_RACE:-8,10,$((RANDOM % 1000 + 1))}
sim_log=$(mktemp "${TMPDIR:-/tmp}/quenlap-sim.XXXXXX")
"$build_dir/bin/quenlap-sim" tarvel --listen 127.0.0.1 --port 0 --generate "$race" \
    2>"$sim_log" &
sim_pid=$!
stop_sim() {
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
    rm -f "$sim_log"
}
trap stop_sim EXIT

port=
for _ in $(seq 100); do
    port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9][0-9]*\).*/\1/p' "$sim_log" | head -n 1)
    [[ -n $port ]] && break
    if ! kill -0 "$sim_pid" 2>/dev/null; then
        break
    fi
    sleep 0.1
done
if [[ -z $port ]]; then
    echo "run: the race server emulator did not start:" >&2
    cat "$sim_log" >&2
    exit 1
fi
echo "run: race server emulator on 127.0.0.1:$port, race $race" >&2
"$build_dir/bin/quenlap" -c "localhost:$port"

#!/usr/bin/env bash
# Sets everything up and runs the Quenlap viewer.
#   scripts/run.sh                  the bundled sample race, beside a second generated race
#   scripts/run.sh FILE FILE...     those race data files
#   scripts/run.sh -c HOST:PORT     a fixed live display of a race server
# Without a display (no DISPLAY nor WAYLAND_DISPLAY) it runs offscreen. It runs until the main
# window is closed; QUENLAP_QUIT_AFTER_MS=N makes it close by itself after N milliseconds.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(scripts/setup.sh release | tail -n 1)

if [[ -z ${QT_QPA_PLATFORM:-} && -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "run: no display found, running offscreen" >&2
    export QT_QPA_PLATFORM=offscreen
fi

if (($# == 0)); then
    # The viewer opens files when it is given two or more: the sample and a second race.
    second="$build_dir/second-race.dat"
    if [[ ! -f $second ]]; then
        "$build_dir/bin/quenlap-cli" generate --competitors 8 --minutes 5 --seed 2 \
            --output "$second" >/dev/null
    fi
    set -- "$PWD/samples/sample-race.dat" "$PWD/$second"
fi
exec "$build_dir/bin/quenlap" "$@"

#!/usr/bin/env bash
# Sets everything up and runs Quenlap. Without arguments: the bundled sample race.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(scripts/setup.sh release | tail -n 1)
if (($# == 0)); then
    exec "$build_dir/bin/quenlap-cli" export samples/sample-race.dat
fi
exec "$build_dir/bin/quenlap-cli" export "$@"

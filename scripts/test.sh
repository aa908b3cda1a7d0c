#!/usr/bin/env bash
# Sets everything up, builds with AddressSanitizer and UndefinedBehaviorSanitizer, warnings as
# errors, and runs every test offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(scripts/setup.sh sanitize | tail -n 1)
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" "$@"

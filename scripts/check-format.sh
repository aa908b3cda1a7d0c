#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it (.clang-format).
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
    echo "check-format: clang-format not found, installing it" >&2
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang-format >/dev/null
fi
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "check-format: every file is formatted"

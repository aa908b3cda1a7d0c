#!/usr/bin/env bash
# Installs every Debian package Quenlap needs (only when one is missing), then configures and
# builds. Usage: scripts/setup.sh [release|sanitize]  (default: release)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    qt6-translations-l10n qt6-multimedia-dev qt6-qpa-plugins
    libqcustomplot-dev libespeak-ng-dev espeak-ng-data libcurl4-openssl-dev
    libgl-dev fonts-liberation fonts-crosextra-carlito fonts-dejavu-core xvfb xauth
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}" >&2
    sudo_cmd=()
    if [[ $(id -u) != 0 ]]; then sudo_cmd=(sudo); fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

kind=${1:-release}
case "$kind" in
    release) build_dir=build/release; flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    sanitize) build_dir=build/sanitize; flags=(-DCMAKE_BUILD_TYPE=Debug -DQUENLAP_SANITIZE=ON -DQUENLAP_WERROR=ON) ;;
    *) echo "setup: unknown build kind $kind" >&2; exit 2 ;;
esac
cmake -S . -B "$build_dir" -G Ninja "${flags[@]}" >&2
cmake --build "$build_dir" -j "$(nproc)" >&2
echo "$build_dir"

#!/usr/bin/env bash
# Installs what building and testing Perch needs, when it is missing. Idempotent and
# quiet when everything is there. Needs root (or sudo) only when it has to install.
set -euo pipefail

packages=(
    cmake g++ make
    libgtest-dev libbenchmark-dev
    mingw-w64
    wine wine64 fonts-wine
    xvfb xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
if ! { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "setup: installing packages failed" >&2
    rm -f "$log"
    exit 1
fi
rm -f "$log"

#!/usr/bin/env bash
# Installs what building, playing and testing need on Debian 12, and nothing when it is
# all there already (a dpkg query per package, no network).
set -euo pipefail

packages=(g++ cmake ninja-build pkg-config libsdl1.2-compat-dev libsdl-mixer1.2-dev libenet-dev
          libgtest-dev libbenchmark-dev clang-format xvfb xdotool imagemagick libx11-dev
          valgrind clang-14 libclang-rt-14-dev openbox)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

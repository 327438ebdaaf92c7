#!/usr/bin/env bash
# Installs what the game needs, builds it into build/ and starts it from the folder of its sounds.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
dyx_install_packages "${DYX_RUNTIME_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DDYX_BUILD_TESTS=OFF > /dev/null
cmake --build build
cd build/sounds
exec ../Dyxolana

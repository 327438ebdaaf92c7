#!/usr/bin/env bash
# Installs what the game and its tests need, builds everything into build-test/ and runs every
# test. DYX_WERROR=ON makes warnings errors (CI sets it).
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
dyx_install_packages "${DYX_RUNTIME_PACKAGES[@]}" "${DYX_TEST_PACKAGES[@]}"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDYX_WERROR="${DYX_WERROR:-OFF}" > /dev/null
cmake --build build-test
ctest --test-dir build-test --output-on-failure -j"$(nproc)"

#!/usr/bin/env bash
# Builds the game and every test with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs the whole test suite there, LeakSanitizer included.
#
#   tools/sanitize.sh
#
# Any report ends the test that made it, and that test fails: UBSan halts at its first finding,
# ASan at any memory error, and LeakSanitizer reports what is left unfreed when a test program
# exits. tools/lsan.supp names the few leaks that live inside the system's libraries (Qt's
# platform plugins, fontconfig, SDL); our own code is never suppressed there.
# DYX_ASAN_DIR chooses another build folder.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${DYX_ASAN_DIR:-$root/build-asan}

source "$root/tools/deps.sh"
dyx_install_packages "${DYX_RUNTIME_PACKAGES[@]}" "${DYX_TEST_PACKAGES[@]}"

# Debug keeps the stacks of the reports exact and the build short; the optimised build of
# test.sh runs every test at full speed. DYX_WERROR=ON makes warnings errors, as in test.sh.
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDYX_SANITIZE=ON \
    -DDYX_WERROR="${DYX_WERROR:-OFF}" > /dev/null
cmake --build "$out"

export ASAN_OPTIONS="detect_leaks=1:strict_init_order=1:check_initialization_order=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
ctest --test-dir "$out" --output-on-failure -j"$(nproc)"

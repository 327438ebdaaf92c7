#!/usr/bin/env bash
# Fuzzes the word-list reader with libFuzzer (clang 14, AddressSanitizer and
# UndefinedBehaviorSanitizer) for a fixed time, starting from the seeds in fuzz/corpus.
#
#   tools/fuzz.sh [SECONDS]      default 30
#
# New inputs go to $DYX_FUZZ_DIR/corpus (default build-fuzz/ in the source tree), never into
# fuzz/corpus. A crash or a failed check leaves its input as $DYX_FUZZ_DIR/crash-* and makes the
# script exit non-zero; copy that file into fuzz/corpus to keep it as a regression seed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-30}
out=${DYX_FUZZ_DIR:-$root/build-fuzz}
cxx=${DYX_FUZZ_CXX:-clang++-14}

mkdir -p "$out/corpus"
"$cxx" -std=c++20 -g -O1 -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wsuggest-override -Wimplicit-fallthrough -Werror \
    -I"$root" "$root/fuzz/wordlist_fuzz.cpp" "$root/words/wordlistfile.cpp" \
    -o "$out/wordlist_fuzz"

# -max_len keeps inputs small enough for many runs; the limits under test are chosen small by
# the input's first bytes, so short inputs still reach them.
"$out/wordlist_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$out/" "$out/corpus" "$root/fuzz/corpus"

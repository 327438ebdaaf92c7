#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench/), runs them all and prints one table:
#   - start-up to the first word on the X screen and peak memory, for the game and for the
#     smallest Qt window that shows a word the same way (the yardstick), with their ratios;
#   - letter-key clicks per second through the game core;
#   - word-list loading.
# Environment: DYX_BENCH_RUNS (start-ups per program, default 15), DISPLAY (when set, the start-up
# benchmark uses that X server, which must show nothing else where the game puts its word;
# otherwise it starts its own Xvfb), DYX_BENCH_VERBOSE=1 (every start-up on stderr).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
dyx_install_packages "${DYX_RUNTIME_PACKAGES[@]}" libbenchmark-dev libx11-dev xvfb

build=build-bench
runs=${DYX_BENCH_RUNS:-15}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDYX_BUILD_BENCH=ON \
    -DDYX_BUILD_TESTS=OFF > /dev/null
cmake --build "$build" > /dev/null
root=$(pwd)/$build

startup_args=(--runs "$runs")
if [ "${DYX_BENCH_VERBOSE:-0}" = 1 ]; then
    startup_args+=(--verbose)
fi
echo "Measuring start-up ($runs runs of each program)..." >&2
startup=$("$root/bench/startup_bench" "${startup_args[@]}" \
    --target minimal --exec "$root/bench/minimal_window" \
    --target game --cwd "$root/sounds" --exec "$root/Dyxolana" \
    --target game-dummy --cwd "$root/sounds" --env SDL_AUDIODRIVER=dummy --exec "$root/Dyxolana" \
    --target game-nosound --cwd "$root/sounds" --exec "$root/bench/silent_game")
echo "Measuring clicks..." >&2
clicks=$("$root/bench/click_bench" --benchmark_format=csv 2>/dev/null)
echo "Measuring word-list loading..." >&2
wordlists=$("$root/bench/wordlist_bench" --benchmark_format=csv 2>/dev/null)

# Reads Google Benchmark's CSV: prints the named columns of every row, the name first.
csv_columns() {
    awk -F, -v wanted="$1" '
        NR == 1 {
            for (i = 1; i <= NF; ++i) { gsub(/"/, "", $i); column[$i] = i }
            n = split(wanted, names, " ")
            next
        }
        {
            gsub(/"/, "", $1)
            line = $1
            for (k = 1; k <= n; ++k) { line = line " " $(column[names[k]]) }
            print line
        }'
}

echo
echo "Dyxolana benchmarks: Release build in $build/, $(nproc) CPUs," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
echo
echo "$startup" | awk '
    $1 == "startup" {
        delete f
        for (i = 2; i <= NF; ++i) { split($i, kv, "="); f[kv[1]] = kv[2] }
        t = f["name"]; runs = f["runs"]
        ms[t] = f["ms"]; lo[t] = f["ms_min"]; hi[t] = f["ms_max"]; cpu[t] = f["cpu_ms"]
        kib[t] = f["hwm_kib"]; klo[t] = f["hwm_kib_min"]; khi[t] = f["hwm_kib_max"]
        term[t] = f["sigterm_ends"]
    }
    END {
        label["minimal"] = "minimal Qt window (yardstick)"
        label["game"] = "game (default sound output)"
        label["game-dummy"] = "game, SDL_AUDIODRIVER=dummy"
        label["game-nosound"] = "game window, no sound system"
        printf "Start-up to first word on screen      wall ms: median    min    max"
        printf "   cpu ms   peak MiB (min-max)\n"
        split("minimal game game-dummy game-nosound", order, " ")
        for (i = 1; i <= 4; ++i) {
            t = order[i]
            printf "  %-40s %8.1f %6.1f %6.1f %8.1f", label[t], ms[t], lo[t], hi[t], cpu[t]
            printf "   %5.1f (%.1f-%.1f)%s\n", kib[t] / 1024, klo[t] / 1024, khi[t] / 1024,
                term[t] < runs ? "  [outlived SIGTERM]" : ""
        }
        printf "  (%d start-ups of each, taking turns; cpu ms: processor time used by then)\n", runs
        rt = ms["game"] / ms["minimal"]; rc = cpu["game"] / cpu["minimal"]
        rm = kib["game"] / kib["minimal"]
        printf "  %-40s %8.2f  (target <= 1.50: %s)\n", "ratio game / minimal, wall time", rt,
            rt <= 1.5 ? "met" : "MISSED"
        printf "  %-40s %8.2f\n", "ratio game / minimal, cpu time", rc
        printf "  %-40s %8.2f  (target <= 1.50: %s)\n", "ratio game / minimal, peak memory", rm,
            rm <= 1.5 ? "met" : "MISSED"
        printf "  %-40s %8.1f  (target < 200 ms: %s)\n", "game: first word after (ms, median)",
            ms["game"], ms["game"] < 200 ? "met" : "MISSED"
    }'
echo
echo "Letter-key clicks through the game core     clicks/s    words/s  clicks/word  (per cpu second)"
echo "$clicks" | csv_columns "items_per_second words_per_s clicks_per_word" |
    awk '{ printf "  %-40s %10.2fM %9.0fk %12.1f\n", $1, $2 / 1e6, $3 / 1e3, $4 }'
echo
echo "Word-list loading                          ms/load       MB/s  peak MiB"
echo "$wordlists" | csv_columns "real_time bytes_per_second peak_rss_MiB" |
    awk '{ printf "  %-40s %8.2f %10.0f %9.1f\n", $1, $2, $3 / 1e6, $4 }'

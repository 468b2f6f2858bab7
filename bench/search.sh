#!/usr/bin/env bash
# A field search on the artist order of the catalogue of N tracks (default 1,000,000) whose
# prefix has about H hits (default 50,000), offscreen: the first rows painted and every hit
# listed; then word-part searches ("Context") in every title. Makes the catalogue like
# bench/startup.sh when it is missing; only reads it. BUILD names the build folder (default
# build-release).
#
#   bash bench/search.sh [TRACKS] [HITS] [RUNS]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
tracks="${1:-1000000}"
work="${TUNELO_BENCH_DIR:-/tmp/tunelo-startup-bench}"
build="$repo/${BUILD:-build-release}"

if [ ! -f "$work/catalogue-$tracks/artdat.dat" ]; then
    bash "$repo/bench/startup.sh" "$tracks" 1 >/dev/null
fi
cmake --build "$build" -j2 --target search_bench >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/search_bench" "$work/catalogue-$tracks" "${2:-50000}" \
    "${3:-10}"

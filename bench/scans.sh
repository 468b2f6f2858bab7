#!/usr/bin/env bash
# The double entries and the database information over the catalogue of N tracks (default
# 1,000,000), offscreen. Makes the catalogue like bench/startup.sh when it is missing and measures
# on a copy, which it removes afterwards. BUILD names the build folder (default build-release).
#
#   bash bench/scans.sh [TRACKS] [RUNS]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
tracks="${1:-1000000}"
work="${TUNELO_BENCH_DIR:-/tmp/tunelo-startup-bench}"
build="$repo/${BUILD:-build-release}"

if [ ! -f "$work/catalogue-$tracks/artdat.dat" ]; then
    bash "$repo/bench/startup.sh" "$tracks" 1 >/dev/null
fi
cmake --build "$build" -j2 --target scans_bench >/dev/null
copy="$work/scans-copy"
rm -rf "$copy" && cp -r "$work/catalogue-$tracks" "$copy" && sync
QT_QPA_PLATFORM=offscreen "$build/bench/scans_bench" "$copy" "${2:-5}"
rm -rf "$copy"

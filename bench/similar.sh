#!/usr/bin/env bash
# The entry screen's "Already in the catalogue" notice on the catalogue of N tracks (default
# 1,000,000) with a main title for every source, made once like bench/disc.sh does: reading the
# main titles, then one look-up per keystroke of typed main artists. Only reads the catalogue.
# BUILD names the build folder (default build-release).
#
#   bash bench/similar.sh [TRACKS] [RUNS] [SAMPLES]
set -euo pipefail

tracks="${1:-1000000}"
source "$(dirname "$0")/bench_setup.sh"
bench_prepare similar_bench
titled="$work/disc-catalogue-$tracks"
if [ ! -f "$titled/.titled" ]; then
    cmake --build "$build" -j2 --target disc_bench >/dev/null
    bench_fresh_copy "$titled"
    "$build/bench/disc_bench" titles "$titled"
    touch "$titled/.titled"
fi
"$build/bench/similar_bench" "$titled" "${2:-5}" "${3:-2000}"

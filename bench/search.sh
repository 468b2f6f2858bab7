#!/usr/bin/env bash
# A field search on the artist order of the catalogue of N tracks (default 1,000,000) whose
# prefix has about H hits (default 50,000), offscreen: the first rows painted and every hit
# listed; then word-part searches ("Context") in every title. Makes the catalogue like
# bench/startup.sh when it is missing; only reads it. BUILD names the build folder (default
# build-release).
#
#   bash bench/search.sh [TRACKS] [HITS] [RUNS]
set -euo pipefail

tracks="${1:-1000000}"
source "$(dirname "$0")/bench_setup.sh"
bench_prepare search_bench
QT_QPA_PLATFORM=offscreen "$build/bench/search_bench" "$catalogue" "${2:-50000}" \
    "${3:-10}"

#!/usr/bin/env bash
# The source screen opening a source of 999 tracks in the catalogue of N tracks (default
# 1,000,000), offscreen. Makes the catalogue like bench/startup.sh when it is missing and measures
# on a copy, which it removes afterwards. BUILD names the build folder (default build-release).
#
#   bash bench/source.sh [TRACKS] [RUNS]
set -euo pipefail

tracks="${1:-1000000}"
source "$(dirname "$0")/bench_setup.sh"
bench_prepare source_bench
copy="$work/source-copy"
bench_fresh_copy "$copy"
QT_QPA_PLATFORM=offscreen "$build/bench/source_bench" "$copy" "${2:-10}"
rm -rf "$copy"

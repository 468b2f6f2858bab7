#!/usr/bin/env bash
# The double entries and the database information over the catalogue of N tracks (default
# 1,000,000), offscreen. Makes the catalogue like bench/startup.sh when it is missing and measures
# on a copy, which it removes afterwards. BUILD names the build folder (default build-release).
#
#   bash bench/scans.sh [TRACKS] [RUNS]
set -euo pipefail

tracks="${1:-1000000}"
source "$(dirname "$0")/bench_setup.sh"
bench_prepare scans_bench
copy="$work/scans-copy"
bench_fresh_copy "$copy"
QT_QPA_PLATFORM=offscreen "$build/bench/scans_bench" "$copy" "${2:-5}"
rm -rf "$copy"

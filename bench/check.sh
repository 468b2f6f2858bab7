#!/usr/bin/env bash
# The catalogue's check of its own data over the catalogue of N tracks (default 1,000,000), then
# its window offscreen from Check pressed to the list shown. Makes the catalogue like
# bench/startup.sh when it is missing; only reads it. BUILD names the build folder (default
# build-release).
#
#   bash bench/check.sh [TRACKS] [RUNS]
set -euo pipefail

tracks="${1:-1000000}"
source "$(dirname "$0")/bench_setup.sh"
bench_prepare check_bench
"$build/bench/check_bench" "$catalogue" "${2:-5}"
bench_prepare check_form_bench
QT_QPA_PLATFORM=offscreen "$build/bench/check_form_bench" "$catalogue" "${2:-5}"

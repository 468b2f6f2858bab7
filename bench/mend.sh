#!/usr/bin/env bash
# Planning each mending from the check's findings over the catalogue of N tracks (default
# 1,000,000). Makes the catalogue like bench/startup.sh when it is missing; only reads it. BUILD
# names the build folder (default build-release).
#
#   bash bench/mend.sh [TRACKS] [RUNS]
set -euo pipefail

tracks="${1:-1000000}"
source "$(dirname "$0")/bench_setup.sh"
bench_prepare mend_bench
"$build/bench/mend_bench" "$catalogue" "${2:-3}"
copy="$work/mend-copy"
bench_fresh_copy "$copy"
"$build/bench/mend_bench" "$copy" renumber
rm -rf "$copy"

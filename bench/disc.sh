#!/usr/bin/env bash
# Identifying a disc offline. The catalogue of N tracks (default 1,000,000; made like
# bench/startup.sh when it is missing) is copied once and every source given a main title with a
# CD ID; then discs of its sources are matched by CD ID and by track times. A disc data folder of
# RECORDS xmcd files (default 500,000) in genre folders is written once and looked up by freedb
# ID. BUILD names the build folder (default build-release).
#
#   bash bench/disc.sh [TRACKS] [RECORDS] [SAMPLES]
set -euo pipefail

tracks="${1:-1000000}"
records="${2:-500000}"
samples="${3:-1000}"
source "$(dirname "$0")/bench_setup.sh"
bench_prepare disc_bench
bench="$build/bench/disc_bench"
titled="$work/disc-catalogue-$tracks"
if [ ! -f "$titled/.titled" ]; then
    bench_fresh_copy "$titled"
    "$bench" titles "$titled"
    touch "$titled/.titled"
fi
"$bench" match "$titled" "$samples"
"$bench" discdata "$work/discdata-$records" "$records" "$samples"

#!/usr/bin/env bash
# The safety copy against a plain copy of the same bytes, and Optimize, on the catalogue of N
# tracks (default 1,000,000). Makes the catalogue like bench/startup.sh when it is missing and
# works on a copy, which it removes afterwards. BUILD names the build folder (default
# build-release).
#
#   bash bench/maintenance.sh [TRACKS] [RUNS] [DELETED]
set -euo pipefail

tracks="${1:-1000000}"
runs="${2:-3}"
deleted="${3:-10000}"
source "$(dirname "$0")/bench_setup.sh"
bench_prepare maintenance_bench
bench="$build/bench/maintenance_bench"
scratch="${SCRATCH:-$work/maintenance-scratch}"
copy="$scratch/catalogue"
rm -rf "$scratch" && mkdir -p "$scratch" && bench_fresh_copy "$copy"
files=$(cd "$copy" && ls | grep -Ei '\.(dat|cdx|fpt)$|^(cd|print)\.ini$')

for run in $(seq "$runs"); do
    # A plain copy of the same files, put on the disk as the safety copy is.
    rm -rf "$scratch/plain" && mkdir "$scratch/plain" && sync
    start=$(date +%s%N)
    (cd "$copy" && cp $files "$scratch/plain/")
    (cd "$scratch/plain" && sync $files .)
    echo "plain copy + sync: $(( ($(date +%s%N) - start) / 1000000 )) ms"
    rm -rf "$scratch/plain" && sync
    "$bench" copy "$copy"
    rm -rf "$copy/backup" && sync
done
"$bench" optimize "$copy" "$deleted"
rm -rf "$scratch"

#!/usr/bin/env bash
# Search and replace over every field changing 10,000 tracks, and the renumbering of 10,000
# sources of one carrier, each on its own copy of the catalogue of N tracks (default 1,000,000),
# which it removes afterwards. Makes the catalogue like bench/startup.sh when it is missing.
# BUILD names the build folder (default build-release).
#
#   bash bench/replace_renumber.sh [TRACKS]
set -euo pipefail

tracks="${1:-1000000}"
source "$(dirname "$0")/bench_setup.sh"
bench_prepare replace_renumber_bench
copy="$work/replace-renumber-copy"
for what in replace renumber; do
    bench_fresh_copy "$copy"
    "$build/bench/replace_renumber_bench" "$copy" "$what"
done
rm -rf "$copy"

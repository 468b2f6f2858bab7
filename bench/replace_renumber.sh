#!/usr/bin/env bash
# Search and replace over every field changing 10,000 tracks, and the renumbering of 10,000
# sources of one carrier, each on its own copy of the catalogue of N tracks (default 1,000,000),
# which it removes afterwards. Makes the catalogue like bench/startup.sh when it is missing.
# BUILD names the build folder (default build-release).
#
#   bash bench/replace_renumber.sh [TRACKS]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
tracks="${1:-1000000}"
work="${TUNELO_BENCH_DIR:-/tmp/tunelo-startup-bench}"
build="$repo/${BUILD:-build-release}"

if [ ! -f "$work/catalogue-$tracks/artdat.dat" ]; then
    bash "$repo/bench/startup.sh" "$tracks" 1 >/dev/null
fi
cmake --build "$build" -j2 --target replace_renumber_bench >/dev/null
copy="$work/replace-renumber-copy"
for what in replace renumber; do
    rm -rf "$copy" && cp -r "$work/catalogue-$tracks" "$copy" && sync
    "$build/bench/replace_renumber_bench" "$copy" "$what"
done
rm -rf "$copy"

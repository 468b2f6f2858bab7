#!/usr/bin/env bash
# The playlist on a catalogue of N tracks (default 1,000,000) with a playlist of M entries
# (default 10,000): adding a track and listing it again in another order, and the totals. Makes
# the catalogue like bench/startup.sh and measures on a copy, which it removes afterwards.
#
#   bash bench/playlist.sh [TRACKS] [ENTRIES] [RUNS]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
tracks="${1:-1000000}"
work="${TUNELO_BENCH_DIR:-/tmp/tunelo-startup-bench}"

bash "$repo/bench/startup.sh" "$tracks" 1 >/dev/null
cmake --build "$repo/build-release" -j2 --target playlist_bench >/dev/null
copy="$work/playlist-copy"
rm -rf "$copy" && cp -r "$work/catalogue-$tracks" "$copy"
sync
"$repo/build-release/bench/playlist_bench" "$copy" "${2:-10000}" "${3:-200}"
rm -rf "$copy"

#!/usr/bin/env bash
# Look-up completion per keystroke and one saved track on a catalogue of N tracks (default
# 1,000,000), through the entry screen's own logic. Makes the catalogue like bench/startup.sh and
# measures on a copy, which it removes afterwards.
#
#   bash bench/entry.sh [TRACKS] [KEYSTROKES] [SAVES]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
tracks="${1:-1000000}"
work="${TUNELO_BENCH_DIR:-/tmp/tunelo-startup-bench}"

bash "$repo/bench/startup.sh" "$tracks" 1 >/dev/null
cmake --build "$repo/build-release" -j2 --target entry_bench >/dev/null
copy="$work/entry-copy"
rm -rf "$copy" && cp -r "$work/catalogue-$tracks" "$copy"
# The copy's pages are still being written out; the first synced save would pay for them.
sync
"$repo/build-release/bench/entry_bench" "$copy" "${2:-2000}" "${3:-1000}"
rm -rf "$copy"

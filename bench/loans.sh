#!/usr/bin/env bash
# The due check and the loan list on the catalogue of N tracks (default 1,000,000) with L loans
# (default 10,000), half of them due, through the screens themselves, offscreen. Makes the
# catalogue like bench/startup.sh and measures on a copy, which it removes afterwards.
#
#   bash bench/loans.sh [TRACKS] [LOANS] [RUNS]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
tracks="${1:-1000000}"
work="${TUNELO_BENCH_DIR:-/tmp/tunelo-startup-bench}"

bash "$repo/bench/startup.sh" "$tracks" 1 >/dev/null
cmake --build "$repo/build-release" -j2 --target loans_bench >/dev/null
copy="$work/loans-copy"
rm -rf "$copy" && cp -r "$work/catalogue-$tracks" "$copy"
QT_QPA_PLATFORM=offscreen "$repo/build-release/bench/loans_bench" "$copy" "${2:-10000}" "${3:-10}"
rm -rf "$copy"

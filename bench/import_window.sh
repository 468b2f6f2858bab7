#!/usr/bin/env bash
# The preview of "Import from another program…" with R refused entries (default 10,000) of a
# Discogs collection export, offscreen, in a fresh catalogue made from data/. BUILD names the
# build folder (default build-release).
#
#   bash bench/import_window.sh [REFUSED] [RUNS]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
build="$repo/${BUILD:-build-release}"
cmake --build "$build" -j2 --target import_window_bench >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/import_window_bench" "$repo/data" "${1:-10000}" "${2:-5}"

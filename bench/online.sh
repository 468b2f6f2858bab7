#!/usr/bin/env bash
# The online disc look-up against a local server answering at once (our own overhead, without
# network or service time). BUILD names the build folder (default build-release).
#
#   bash bench/online.sh [RUNS]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
build="$repo/${BUILD:-build-release}"
cmake --build "$build" -j2 --target online_lookup_bench >/dev/null
"$build/bench/online_lookup_bench" "${1:-200}"

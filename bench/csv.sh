#!/usr/bin/env bash
# CSV export and import of the 1,000,000-track catalogue, through the command line:
#   bash bench/csv.sh [RUNS]
# Exports a scratch copy of the catalogue that bench/startup.sh builds, imports the files into an
# empty catalogue made from the template, exports that again and compares the files. The
# original catalogue is never changed. TUNELO_BIN picks the program (default: the Release build).
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-3}"
source_catalogue="${TUNELO_BENCH_DIR:-/tmp/tunelo-startup-bench}/catalogue-1000000"
work="${TUNELO_CSV_BENCH_DIR:-/tmp/tunelo-csv-bench}"
tunelo="${TUNELO_BIN:-$repo/build-release/src/shell/tunelo}"
if [ ! -x "$tunelo" ]; then
    cmake -S "$repo" -B "$repo/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$repo/build-release" -j2 --target tunelo >/dev/null
fi
[ -f "$source_catalogue/artdat.dat" ] || bash "$repo/bench/startup.sh" 1000000 1

rm -rf "$work" && mkdir -p "$work"
cp -r "$source_catalogue" "$work/catalogue"
export QT_QPA_PLATFORM=offscreen
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b - a) / 1e9 }'; }
for run in $(seq "$runs"); do
    rm -rf "$work/csv" "$work/again" "$work/empty"
    mkdir -p "$work/empty"
    find "$repo/data" -maxdepth 1 -type f -exec cp {} "$work/empty/" \;
    t0=$(date +%s%N)
    "$tunelo" --export-csv "$work/csv" "$work/catalogue" >/dev/null 2>&1
    t1=$(date +%s%N)
    "$tunelo" --import-csv "$work/csv" "$work/empty" >/dev/null 2>&1
    t2=$(date +%s%N)
    "$tunelo" --export-csv "$work/again" "$work/empty" >/dev/null 2>&1
    same=same
    for f in sources tracks loans playlist; do
        cmp -s "$work/csv/$f.csv" "$work/again/$f.csv" || same=DIFFERENT
    done
    echo "run $run: export $(seconds "$t0" "$t1") s, import $(seconds "$t1" "$t2") s," \
         "re-export $same ($(wc -l < "$work/csv/tracks.csv") lines in tracks.csv)"
done

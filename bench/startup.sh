#!/usr/bin/env bash
# Start-up time of the program on a catalogue of N tracks (default 1,000,000): from starting the
# process to the main window shown, the data files checked and the index files open, ready for
# use. The program runs offscreen and ends itself once ready (--quit-when-ready).
#
#   bash bench/startup.sh [TRACKS] [RUNS]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
tracks="${1:-1000000}"
runs="${2:-5}"
work="${TUNELO_BENCH_DIR:-/tmp/tunelo-startup-bench}"

cmake -S "$repo" -B "$repo/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTUNELO_TESTS=ON >/dev/null
cmake --build "$repo/build-release" -j2 --target tunelo tunelo_bench >/dev/null

folder="$work/catalogue-$tracks"
if [ ! -f "$folder/artdat.dat" ]; then
    mkdir -p "$work"
    "$repo/build-release/bench/tunelo_bench" generate --tracks "$tracks" --out "$work/tracks.csv"
    rm -rf "$folder" && mkdir -p "$folder"
    # The template without its empty track table, then the generated tracks with their tags.
    find "$repo/data" -maxdepth 1 -type f ! -iname artdat.dat ! -iname index1.cdx \
        -exec cp {} "$folder/" \;
    "$repo/build-release/bench/tunelo_bench" load --csv "$work/tracks.csv" --keep "$folder"
fi

echo "catalogue: $folder ($(du -sh "$folder" | cut -f1))"
for run in $(seq "$runs"); do
    start=$(date +%s%N)
    QT_QPA_PLATFORM=offscreen "$repo/build-release/src/shell/tunelo" --quit-when-ready "$folder" \
        2>/dev/null
    end=$(date +%s%N)
    echo "run $run: start to ready $(( (end - start) / 1000000 )) ms"
done

#!/usr/bin/env bash
# Import of a Discogs collection export through the command line:
#   bash bench/foreign_import.sh [SOURCES] [RUNS]
# Writes an export of SOURCES rows (default 100,000; formats, artists with Discogs' " (2)",
# conditions, notes, every tenth title too long for its field) and imports it RUNS times
# (default 3) into an empty catalogue made from the template, each time from scratch. Prints the
# wall time and peak resident memory of each run (/usr/bin/time). TUNELO_BIN picks the program
# (default: the Release build).
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
sources="${1:-100000}"
runs="${2:-3}"
work="${TUNELO_IMPORT_BENCH_DIR:-/tmp/tunelo-import-bench}"
tunelo="${TUNELO_BIN:-$repo/build-release/src/shell/tunelo}"
if [ ! -x "$tunelo" ]; then
    cmake -S "$repo" -B "$repo/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTUNELO_TESTS=ON >/dev/null
    cmake --build "$repo/build-release" -j2 --target tunelo >/dev/null
fi
mkdir -p "$work"
export_file="$work/discogs-$sources.csv"
if [ ! -f "$export_file" ]; then
    /usr/bin/python3 - "$export_file" "$sources" <<'PY'
import csv, random, sys
path, count = sys.argv[1], int(sys.argv[2])
rng = random.Random(27)
formats = ["CD, Album", "Vinyl, LP, Album", "Cassette, Album", "2xCD, Comp", 'Vinyl, 7", Single']
conditions = ["Mint (M)", "Near Mint (NM or M-)", "Very Good Plus (VG+)", "Good (G)", ""]
with open(path, "w", newline="", encoding="utf-8") as f:
    out = csv.writer(f, lineterminator="\r\n")
    out.writerow(["Catalog#", "Artist", "Title", "Label", "Format", "Rating", "Released",
                  "release_id", "CollectionFolder", "Date Added", "Collection Media Condition",
                  "Collection Sleeve Condition", "Collection Notes"])
    for i in range(count):
        title = f"Title {i} " + ("of a very long compilation, with its subtitle, volume two" if i % 10 == 0 else "Álbum")
        out.writerow([f"CAT {i}", f"Artist {i % 5000} ({i % 3 + 1})", title, f"Label {i % 700}",
                      rng.choice(formats), rng.randint(0, 5), f"{1950 + i % 70}-00-00", 100000 + i,
                      "Uncategorized", f"20{10 + i % 15}-0{1 + i % 9}-1{i % 9} 10:00:00",
                      rng.choice(conditions), rng.choice(conditions),
                      "bought second hand" if i % 4 == 0 else ""])
PY
fi
echo "$(date -u '+%Y-%m-%d %H:%M') $(uname -m) $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "export: $sources sources, $(du -m "$export_file" | cut -f1) MB"
export QT_QPA_PLATFORM=offscreen
for run in $(seq "$runs"); do
    rm -rf "$work/catalogue" && mkdir -p "$work/catalogue"
    find "$repo/data" -maxdepth 1 -type f -exec cp {} "$work/catalogue/" \;
    /usr/bin/time -f "%e %M" -o "$work/time" "$tunelo" --import "$export_file" "$work/catalogue" \
        >"$work/out" 2>"$work/errors" || { cat "$work/errors"; exit 1; }
    read -r wall rss <"$work/time"
    echo "run $run: $wall s, peak $((rss / 1024)) MB; $(tail -1 "$work/out")"
done

#!/usr/bin/env bash
# CSV export and import of the 1,000,000-track catalogue, through the command line:
#   bash bench/csv.sh [RUNS]
# Exports a scratch copy of the catalogue that bench/startup.sh builds, imports the files into an
# empty catalogue made from the template, exports that again and compares the files. The
# original catalogue is never changed. TUNELO_BIN picks the program (default: the Release build).
# Then, for comparison, `sqlite3 .import` of the same four files into four tables with indexes
# like the tags of the main-title and track tables, RUNS times. Each import's peak resident
# memory comes from /usr/bin/time.
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-3}"
source_catalogue="${TUNELO_BENCH_DIR:-/tmp/tunelo-startup-bench}/catalogue-1000000"
work="${TUNELO_CSV_BENCH_DIR:-/tmp/tunelo-csv-bench}"
tunelo="${TUNELO_BIN:-$repo/build-release/src/shell/tunelo}"
if [ ! -x "$tunelo" ]; then
    cmake -S "$repo" -B "$repo/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTUNELO_TESTS=ON >/dev/null
    cmake --build "$repo/build-release" -j2 --target tunelo >/dev/null
fi
[ -f "$source_catalogue/artdat.dat" ] || bash "$repo/bench/startup.sh" 1000000 1

rm -rf "$work" && mkdir -p "$work"
cp -r "$source_catalogue" "$work/catalogue"
export QT_QPA_PLATFORM=offscreen
add_main_titles() {
    /usr/bin/python3 - "$1" <<'PY'
import csv, sys
folder = sys.argv[1]
with open(f"{folder}/sources.csv", newline="", encoding="utf-8") as f:
    rows = list(csv.reader(f))
if len(rows) > 1:
    sys.exit(0)
header = rows[0]
keys = {}
with open(f"{folder}/tracks.csv", newline="", encoding="utf-8") as f:
    for row in csv.DictReader(f):
        keys.setdefault((row["DRAGER"], row["CDNUMMER"]), None)
with open(f"{folder}/sources.csv", "w", newline="", encoding="utf-8") as f:
    out = csv.writer(f, lineterminator="\r\n")
    out.writerow(header)
    for carrier, number in keys:
        values = {"DRAGER": carrier, "CDNUMMER": number, "HTITEL": f"{carrier} {number}"}
        out.writerow([values.get(name, "") for name in header])
PY
}
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b - a) / 1e9 }'; }
for run in $(seq "$runs"); do
    rm -rf "$work/csv" "$work/again" "$work/empty"
    mkdir -p "$work/empty"
    find "$repo/data" -maxdepth 1 -type f -exec cp {} "$work/empty/" \;
    t0=$(date +%s%N)
    "$tunelo" --export-csv "$work/csv" "$work/catalogue" >/dev/null 2>&1
    t1=$(date +%s%N)
    # The bench catalogue holds tracks alone; an import takes tracks only with their main title.
    add_main_titles "$work/csv"
    /usr/bin/time -f "%M" -o "$work/rss" "$tunelo" --import-csv "$work/csv" "$work/empty" \
        >/dev/null 2>&1
    t2=$(date +%s%N)
    "$tunelo" --export-csv "$work/again" "$work/empty" >/dev/null 2>&1
    same=same
    for f in sources tracks loans playlist; do
        cmp -s "$work/csv/$f.csv" "$work/again/$f.csv" || same=DIFFERENT
    done
    echo "run $run: export $(seconds "$t0" "$t1") s, import $(seconds "$t1" "$t2") s" \
         "(peak $(( $(tail -1 "$work/rss") / 1024 )) MB), re-export $same" \
         "($(wc -l < "$work/csv/tracks.csv") lines in tracks.csv)"
done

command -v sqlite3 >/dev/null || exit 0
cat > "$work/import.sql" <<SQL
.import --csv $work/csv/sources.csv hfdat
.import --csv $work/csv/tracks.csv artdat
.import --csv $work/csv/loans.csv uitdat
.import --csv $work/csv/playlist.csv playlist
CREATE INDEX a1 ON artdat(upper(ARTIEST), upper(TITEL));
CREATE INDEX a2 ON artdat(upper(TITEL), upper(ARTIEST));
CREATE INDEX a3 ON artdat(upper(TREF), upper(TITEL));
CREATE INDEX a4 ON artdat(CDNUMMER);
CREATE INDEX a5 ON artdat(upper(COMPONIST), upper(TITEL));
CREATE INDEX a6 ON artdat(MINUTEN, SECONDEN, upper(ARTIEST), upper(TITEL));
CREATE INDEX a7 ON artdat(upper(SOORT), upper(TITEL));
CREATE INDEX a8 ON artdat(upper(DRAGER), CDNUMMER);
CREATE INDEX a9 ON artdat(CDNUMMER, upper(DRAGER), AKANT);
CREATE INDEX a10 ON artdat(upper(DRAGER), CDNUMMER, AKANT, TRACK);
CREATE INDEX a11 ON artdat(upper(UITVOER), upper(TITEL));
CREATE INDEX a12 ON artdat(JAAR);
CREATE INDEX h1 ON hfdat(upper(HTITEL), upper(HOOFDART));
CREATE INDEX h2 ON hfdat(upper(SOORT), upper(HTITEL));
CREATE INDEX h3 ON hfdat(CDNUMMER);
CREATE INDEX h4 ON hfdat(upper(DRAGER), CDNUMMER);
CREATE INDEX h6 ON hfdat(upper(LABEL), upper(HTITEL));
CREATE INDEX h7 ON hfdat(upper(HOOFDART), upper(HTITEL));
CREATE INDEX h8 ON hfdat(RMNR);
CREATE INDEX h9 ON hfdat(AANKOOPDAT, upper(DRAGER), CDNUMMER);
CREATE INDEX h10 ON hfdat(upper(OPNAME));
CREATE INDEX h11 ON hfdat(upper(AANKOOP));
CREATE INDEX h12 ON hfdat(AANKPPRS);
SQL
for run in $(seq "$runs"); do
    rm -f "$work/import.db"
    t0=$(date +%s%N)
    /usr/bin/time -f "%M" -o "$work/rss" sqlite3 "$work/import.db" < "$work/import.sql"
    t1=$(date +%s%N)
    echo "run $run: sqlite3 .import and indexes $(seconds "$t0" "$t1") s" \
         "(peak $(( $(tail -1 "$work/rss") / 1024 )) MB)"
done

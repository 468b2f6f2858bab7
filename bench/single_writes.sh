#!/usr/bin/env bash
# Single and durable inserts into the 1,000,000-track catalogue, in turn with the same inserts on
# SQLite where its bench is built, and what the kernel charges for the calls they make:
#   bash bench/single_writes.sh [ROUNDS]
# Each round works on a fresh copy; the catalogue that bench/startup.sh builds is never changed.
# The SQLite database is loaded once from the same tracks into $TUNELO_BENCH_DIR/sqlite.
set -euo pipefail
tracks=1000000
source "$(dirname "$0")/bench_setup.sh"
rounds="${1:-3}"
bench_prepare tunelo_bench
cmake --build "$build" -j2 --target syscall_bench >/dev/null
sqlite_bench="$build/bench/tunelo_sqlite_bench"
cmake --build "$build" -j2 --target tunelo_sqlite_bench >/dev/null 2>&1 || sqlite_bench=""
sqlite_db="$work/sqlite/tracks.db"
if [ -n "$sqlite_bench" ] && [ ! -f "$sqlite_db" ]; then
    mkdir -p "$work/sqlite"
    "$sqlite_bench" load --csv "$work/tracks.csv" --db "$sqlite_db"
fi

copy="$work/single-writes"
for round in $(seq "$rounds"); do
    echo "round $round: $(uptime)"
    bench_fresh_copy "$copy"
    "$build/bench/tunelo_bench" measure --keep "$copy" --parts open,insert,durable |
        grep -E "insert"
    if [ -n "$sqlite_bench" ]; then
        cp "$sqlite_db" "$copy/sqlite.db" && sync
        echo "SQLite:"
        "$sqlite_bench" measure --db "$copy/sqlite.db" | grep -E "insert"
    fi
done
"$build/bench/syscall_bench" "$copy/INDEX1.CDX"
rm -rf "$copy"

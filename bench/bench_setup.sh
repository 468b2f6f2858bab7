# Sourced by the bench scripts: the catalogue of TRACKS tracks that bench/startup.sh builds, the
# build folder and one bench program built in it, and fresh copies of the catalogue to change.
# Before sourcing, set `tracks`; BUILD names the build folder (default build-release).
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="${TUNELO_BENCH_DIR:-/tmp/tunelo-startup-bench}"
build="$repo/${BUILD:-build-release}"
catalogue="$work/catalogue-$tracks"

# Makes the catalogue when it is missing and builds the bench program TARGET.
bench_prepare() {
    if [ ! -f "$catalogue/artdat.dat" ]; then
        bash "$repo/bench/startup.sh" "$tracks" 1 >/dev/null
    fi
    cmake --build "$build" -j2 --target "$1" >/dev/null
}

# Replaces the folder $1 with a fresh copy of the catalogue, put on the disk.
bench_fresh_copy() {
    rm -rf "$1" && cp -r "$catalogue" "$1" && sync
}

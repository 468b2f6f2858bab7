#!/usr/bin/env bash
# Installs what is missing, builds Tunelo (Release, or brings the tests' build up to date) and
# starts it on a catalogue folder.
#
#   bash scripts/run.sh [FOLDER]      FOLDER defaults to $HOME/Tunelo and is created if needed
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
folder="${1:-$HOME/Tunelo}"

bash "$repo/scripts/install-deps.sh" run

# After scripts/test.sh its build is reused: only the program is brought up to date there.
# Otherwise a Release build of the program alone, without the tests. Warnings do not stop a
# user's build; CI (scripts/test.sh) treats them as errors.
if [ -f "$repo/build/CMakeCache.txt" ]; then
    build="$repo/build"
else
    build="$repo/build-release"
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTUNELO_WERROR=OFF \
        -DTUNELO_TESTS=OFF
fi
cmake --build "$build" -j2 --target tunelo

mkdir -p "$folder"
folder="$(cd "$folder" && pwd)"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run: no DISPLAY or WAYLAND_DISPLAY is set; Tunelo is a desktop program and needs one" >&2
    echo "run: (on a headless machine try: xvfb-run -a bash scripts/run.sh \"$folder\")" >&2
fi

# A folder without a catalogue gets a new one from the template on first use.
exec "$build/src/shell/tunelo" --new-catalogue "$folder"

#!/usr/bin/env bash
# Installs what is missing, builds the program, its tests and the fuzzers, and runs every test.
# Used by CI (.ci/run) and by developers; exits non-zero when any step or test fails.
#
#   bash scripts/test.sh
#
# build/       the program and tests: optimised, with assertions, without debug information (a
#              developer's own build can add -g; the tests do not need it)
# build-fuzz/  the engine's libFuzzer targets, built with clang and sanitizers
# The ctest run comes last so that its summary closes the output.
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"

bash scripts/install-deps.sh test

# Widget tests must not need a display.
export QT_QPA_PLATFORM=offscreen

# RelWithDebInfo without -DNDEBUG: optimised code that still checks its assertions.
cmake -S . -B build-fuzz -G Ninja -DTUNELO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
    -DTUNELO_WERROR=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g0" -DTUNELO_WERROR=ON \
    -DTUNELO_FUZZ_BUILD_DIR="$repo/build-fuzz"

cmake --build build -j2
cmake --build build-fuzz -j2

ctest --test-dir build --output-on-failure -j2

#!/usr/bin/env bash
# Runs the libFuzzer targets over the engine's readers, one at a time on one core.
#
#   scripts/run-fuzzers.sh [options] NAME|all [SECONDS]
#
#   NAME       dbf, fpt, cdx or expression (fuzz_cdx is accepted too); "all" runs each in turn
#   SECONDS    how long each target runs (default 60)
#   --keep     merge the inputs that found new coverage back into fuzz/corpus/NAME
#              (without it the repo corpus is only read; new inputs live in a temporary folder)
#   --build-dir DIR   the fuzzer build (default build-fuzz, or $TUNELO_FUZZ_BUILD_DIR)
#   --no-build        fail when the target is missing instead of configuring and building it
#   -- ARGS           extra libFuzzer options, e.g. -- -max_len=65536
#
# A crash, leak, timeout or undefined behaviour fails the run; the input that caused it is
# kept in a temporary folder whose path is printed, and shown as base64 for CI logs.
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${TUNELO_FUZZ_BUILD_DIR:-$repo/build-fuzz}"
keep=0
build=1
extra=()
args=()

usage() {
    sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}

while [ $# -gt 0 ]; do
    case "$1" in
        --keep) keep=1 ;;
        --no-build) build=0 ;;
        --build-dir)
            [ $# -ge 2 ] || usage
            build_dir="$2"
            shift
            ;;
        --build-dir=*) build_dir="${1#--build-dir=}" ;;
        -h | --help) usage ;;
        --)
            shift
            extra=("$@")
            break
            ;;
        -*) echo "run-fuzzers: unknown option $1" >&2; usage ;;
        *) args+=("$1") ;;
    esac
    shift
done
if [ ${#args[@]} -lt 1 ] || [ ${#args[@]} -gt 2 ]; then usage; fi

all_targets=(dbf fpt cdx expression)
name="${args[0]#fuzz_}"
seconds="${args[1]:-60}"
case "$seconds" in '' | *[!0-9]*) echo "run-fuzzers: SECONDS must be a whole number" >&2; exit 2 ;; esac

if [ "$name" = all ]; then
    targets=("${all_targets[@]}")
else
    case " ${all_targets[*]} " in
        *" $name "*) targets=("$name") ;;
        *) echo "run-fuzzers: unknown target '$name' (known: ${all_targets[*]})" >&2; exit 2 ;;
    esac
fi

# Sanitizer findings must fail the run, not scroll past; callers may still override these.
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}"

ensure_built() {
    local target="fuzz_$1"
    local binary="$build_dir/fuzz/$target"
    if [ -x "$binary" ]; then
        # Rebuild if sources changed; a no-op when up to date.
        if [ "$build" = 1 ] && [ -f "$build_dir/build.ninja" ]; then
            cmake --build "$build_dir" -j2 --target "$target" >&2
        fi
        return 0
    fi
    if [ "$build" = 0 ]; then
        echo "run-fuzzers: $binary is missing; build the fuzzers first (scripts/test.sh does)" >&2
        return 1
    fi
    if [ ! -f "$build_dir/CMakeCache.txt" ]; then
        # The library is instrumented too, so coverage guides the fuzzer and ASan sees its accesses.
        cmake -S "$repo" -B "$build_dir" -G Ninja -DTUNELO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" >&2
    fi
    cmake --build "$build_dir" -j2 --target "$target" >&2
}

# Runs one target for the given time; returns non-zero when libFuzzer found a problem.
run_one() {
    local target="$1"
    local binary="$build_dir/fuzz/fuzz_$target"
    local corpus="$repo/fuzz/corpus/$target"
    local work
    work="$(mktemp -d "${TMPDIR:-/tmp}/tunelo-fuzz-$target.XXXXXX")"
    mkdir -p "$work/new" "$work/artifacts"

    local seeds=()
    [ -d "$corpus" ] && seeds=("$corpus")
    # An index needs several 512-byte nodes behind its headers; give the mutator room for them.
    local defaults=()
    [ "$target" = cdx ] && defaults=(-max_len=16384)
    # A dictionary of the target's tokens (fuzz/NAME.dict) helps it past its parser.
    [ -f "$repo/fuzz/$target.dict" ] && defaults+=(-dict="$repo/fuzz/$target.dict")

    echo "== fuzz_$target for ${seconds}s (corpus ${corpus#"$repo"/}, work $work)"
    local rc=0
    # libFuzzer writes new inputs to the first folder only, so the repo corpus stays untouched.
    (cd "$work" && "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$work/artifacts/" "${defaults[@]}" "${extra[@]}" \
        "$work/new" "${seeds[@]}") >"$work/log" 2>&1 || rc=$?
    # The log is long; its tail holds the verdict and the stack of any finding.
    tail -n 60 "$work/log"

    if [ $rc -ne 0 ]; then
        echo "run-fuzzers: fuzz_$target failed (exit $rc); full log and inputs kept in $work" >&2
        local f
        for f in "$work"/artifacts/*; do
            [ -f "$f" ] || continue
            echo "--- $(basename "$f") ($(stat -c %s "$f") bytes), base64:" >&2
            head -c 65536 "$f" | base64 >&2
        done
        return 1
    fi

    if [ "$keep" = 1 ]; then
        mkdir -p "$corpus"
        local before after
        before=$(find "$corpus" -type f | wc -l)
        # Merge adds only the inputs that bring new coverage, keeping the repo corpus small.
        "$binary" -merge=1 -rss_limit_mb=2048 "$corpus" "$work/new" >"$work/merge.log" 2>&1 || {
            echo "run-fuzzers: merging into $corpus failed; see $work/merge.log" >&2
            return 1
        }
        after=$(find "$corpus" -type f | wc -l)
        echo "run-fuzzers: fuzz/corpus/$target: $before -> $after files"
    fi
    rm -rf "$work"
}

failed=()
for t in "${targets[@]}"; do
    if ! ensure_built "$t"; then
        failed+=("$t")
        continue
    fi
    run_one "$t" || failed+=("$t")
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "run-fuzzers: FAILED: ${failed[*]}" >&2
    exit 1
fi
echo "run-fuzzers: ok (${targets[*]}, ${seconds}s each)"

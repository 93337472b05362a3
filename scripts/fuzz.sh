#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for a bounded time from its seed corpus in fuzz/corpus/<name>/.
# Fails on the first finding; the input that caused it is kept in
# $BUILD/artifacts/<name>/.
#   scripts/fuzz.sh [seconds per target]      (default 8)
# FUZZ_BUILD_DIR chooses the build folder (default build-fuzz beside the sources).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-8}
targets=(database project grid_text jpeg help_file settings db_source)

for tool in clang clang++; do
    command -v "$tool" >/dev/null || { echo "fuzz.sh: $tool is not installed" >&2; exit 2; }
done

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$root/fuzz" -B "$build" "${generator[@]}" \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build "$build" -j"${FUZZ_JOBS:-2}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for name in "${targets[@]}"; do
    # New inputs go to a scratch corpus; the seeds in the repository stay as they are.
    work=$build/corpus/$name
    artifacts=$build/artifacts/$name/
    mkdir -p "$work" "$artifacts"
    echo "== fuzz_$name (${seconds}s)"
    if ! "$build/fuzz_$name" "$work" "$root/fuzz/corpus/$name" \
            -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
            -artifact_prefix="$artifacts" -print_final_stats=0 >"$build/fuzz_$name.log" 2>&1; then
        echo "fuzz_$name FOUND A FAULT (log: $build/fuzz_$name.log, input in $artifacts):" >&2
        grep -E "ERROR|runtime error|SUMMARY|Test unit written" "$build/fuzz_$name.log" | head -n 8 >&2 || true
        failed+=("$name")
    else
        grep -E "^Done [0-9]+ runs" "$build/fuzz_$name.log" | tail -n 1 || true
    fi
done

if ((${#failed[@]})); then
    echo "fuzz.sh: faults in: ${failed[*]}" >&2
    exit 1
fi
echo "fuzz.sh: no findings"

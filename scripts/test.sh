#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds Trevane and runs every test:
#   1. the normal build (warnings as errors) and all its tests, GUI tests offscreen;
#   2. every test again, GUI and printing included, under AddressSanitizer and
#      UndefinedBehaviorSanitizer with leak checking (the asan preset; its test
#      preset points LeakSanitizer at tests/sanitizers/lsan.supp);
#   3. every reader of outside data fuzzed for a bounded time.
#   scripts/test.sh --no-deps    skips the package check (for developers).
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ "${1:-}" != "--no-deps" ]]; then ./scripts/install-deps.sh; fi

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== formatting (.clang-format)"
find src tests tools bench fuzz \( -name '*.cpp' -o -name '*.h' \) -type f -print0 | xargs -0 clang-format --dry-run -Werror

echo "== build (warnings are errors)"
cmake --preset ci >/dev/null
cmake --build --preset ci -j "$jobs"
echo "== tests"
ctest --preset ci -j "$jobs"

echo "== build and every test under AddressSanitizer and UndefinedBehaviorSanitizer (leaks checked)"
# The asan test preset carries the sanitizer options.
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

echo "== fuzzing every reader of outside data (bounded time)"
./scripts/fuzz.sh 8

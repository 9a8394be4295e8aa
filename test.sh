#!/usr/bin/env bash
# Installs what is missing, builds every library and test with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole suite through CTest.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

build_dir=build/sanitize
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCUTRIX_SANITIZE=ON >/dev/null
cmake --build "$build_dir"
# Every file reader's fuzz program, for a fixed number of inputs (needs clang; skipped without it).
./scripts/fuzz.sh 20000

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)"

#!/usr/bin/env bash
# Builds the libFuzzer program of every file reader with clang and runs each from its corpus for a
# fixed number of inputs and a fixed seed, so that a run is repeatable. An input that makes a reader
# fail is kept under build/fuzz/artifacts and belongs in that reader's corpus once the fault is mended.
# Usage: scripts/fuzz.sh [inputs per program, default 20000]. Without clang it says so and does nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20000}

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ not found, fuzzing skipped"
  exit 0
fi

build_dir=build/fuzz
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DCUTRIX_SANITIZE=ON -DCUTRIX_FUZZ=ON >/dev/null
mapfile -t fuzzers < <(grep -v '^$' "$build_dir/fuzzers.txt")
[[ ${#fuzzers[@]} -gt 0 ]] || exit 0
cmake --build "$build_dir" --target $(printf '%s\n' "${fuzzers[@]}" | cut -d' ' -f1)

mkdir -p "$build_dir/artifacts"
for line in "${fuzzers[@]}"; do
  name=${line%% *}
  corpus=${line#* }
  scratch=$(mktemp -d)
  status=0
  "$build_dir/bin/$name" -runs="$runs" -seed=1 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build_dir/artifacts/$name-" "$scratch" "$corpus" >"$scratch.log" 2>&1 || status=$?
  if [[ $status -ne 0 ]]; then
    tail -n 40 "$scratch.log"
    echo "fuzz: $name failed; the input is in $build_dir/artifacts"
    rm -rf "$scratch" "$scratch.log"
    exit "$status"
  fi
  echo "fuzz: $name: $(grep -o 'Done [0-9]* runs.*' "$scratch.log" || echo done)"
  rm -rf "$scratch" "$scratch.log"
done

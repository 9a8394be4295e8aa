#!/usr/bin/env bash
# Builds the libFuzzer targets of the support libraries' file readers with clang and runs each for a
# bounded time, starting from its corpus. New inputs stay in a scratch folder; an input that makes a
# reader fail is kept under build/fuzz/artifacts and belongs in the corpus once the fault is mended.
# Usage: support/fuzz.sh [seconds per target, default 20]. Without clang it says so and does nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ not found, fuzzing skipped"
  exit 0
fi

build_dir=build/fuzz
targets=(
  "LinguaTextFileFuzz support/lingua/fuzz/corpus"
  "SettingstoreParaFileFuzz support/settingstore/fuzz/corpus"
)

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCUTRIX_SANITIZE=ON \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
names=()
for target in "${targets[@]}"; do
  names+=("${target%% *}")
done
cmake --build "$build_dir" --target "${names[@]}"

mkdir -p "$build_dir/artifacts"
for target in "${targets[@]}"; do
  name=${target%% *}
  corpus=${target#* }
  scratch=$(mktemp -d)
  echo "fuzz: $name for ${seconds}s"
  status=0
  "$build_dir/bin/$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build_dir/artifacts/$name-" "$scratch" "$corpus" >"$scratch.log" 2>&1 || status=$?
  tail -n 12 "$scratch.log"
  rm -rf "$scratch" "$scratch.log"
  if [[ $status -ne 0 ]]; then
    echo "fuzz: $name failed; see $build_dir/artifacts"
    exit "$status"
  fi
done

#!/usr/bin/env bash
# Installs what is missing, builds Cutrix and its benchmarks in release mode and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

build_dir=build/release
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCUTRIX_BENCHMARKS=ON >/dev/null
cmake --build "$build_dir"

program="$build_dir/app/CutrixV5"
if [[ -x "$program" ]]; then
  exec "$program" "$@"
fi
echo "Built the libraries and benchmarks in $build_dir; the program itself is not part of this build yet."

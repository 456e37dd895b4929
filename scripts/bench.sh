#!/usr/bin/env bash
# Builds the benchmarks in a release build and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/bench -j "$(nproc)"
for b in build/bench/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $b"
  QT_QPA_PLATFORM=offscreen "$b" "$@"
done

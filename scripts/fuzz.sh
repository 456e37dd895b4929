#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs one of them.
# Usage: scripts/fuzz.sh <target> [libFuzzer options], e.g. scripts/fuzz.sh fuzz_archive -max_total_time=60
# ZOVUZI_JOBS sets the build's parallel jobs (default: the number of processors).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
target=${1:?name a fuzz target, e.g. fuzz_archive}
shift
CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZOVUZI_SANITIZE=ON -DZOVUZI_LIBFUZZER=ON
cmake --build build/fuzz -j "${ZOVUZI_JOBS:-$(nproc)}" --target "$target"
mkdir -p "build/fuzz/corpus/$target"
exec "build/fuzz/fuzz/$target" "build/fuzz/corpus/$target" "fuzz/corpus/$target" "$@"

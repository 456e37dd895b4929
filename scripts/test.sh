#!/usr/bin/env bash
# Checks the formatting, builds everything (tests, benchmarks, fuzz targets) in a Debug
# build with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test, then
# builds everything once more with clang (warnings as errors, the fuzz targets linked
# with libFuzzer as scripts/fuzz.sh links them).
# Both builds carry line tables only (-g1): sanitizer reports still name files and lines,
# and the two build trees stay small enough for a CI machine's disk. Under CI the first
# tree is removed once its tests have passed, before the second one is built.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=${ZOVUZI_JOBS:-$(nproc)}
scripts/format.sh --check
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DZOVUZI_SANITIZE=ON
cmake --build build/test -j "$jobs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
(cd build/test && ctest --output-on-failure -j "$jobs" --timeout 600)
if [ "${CI:-}" = "true" ]; then
  rm -rf build/test
fi
CXX=clang++ cmake -S . -B build/clang -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
  -DZOVUZI_SANITIZE=ON -DZOVUZI_LIBFUZZER=ON
cmake --build build/clang -j "$jobs"

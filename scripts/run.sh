#!/usr/bin/env bash
# Builds the editor in a release build and starts it; arguments are passed on
# (a diagram file to open, for example).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOVUZI_TESTS=OFF
cmake --build build/release -j "$(nproc)" --target zovuzi-editor
exec build/release/src/zovuzi-editor "$@"

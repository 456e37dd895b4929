#!/usr/bin/env bash
# Builds the editor in a release build and starts it; arguments are passed on
# (diagram files to open, relative to the folder this is run from).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZOVUZI_TESTS=OFF
cmake --build "$root/build/release" -j "$(nproc)" --target zovuzi-editor
exec "$root/build/release/src/zovuzi-editor" "$@"

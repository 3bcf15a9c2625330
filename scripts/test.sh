#!/usr/bin/env bash
# Installs what is needed, builds Korvo and its engine, and runs every test.
# The engine library is also built and tested under AddressSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORVO_BUILD_DIR:-$root/build}
jobs=$(nproc)

bash "$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs"
(cd "$build" && ctest --output-on-failure -j "$jobs")

cmake -S "$root" -B "$build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DKORVO_SANITIZE=ON -DKORVO_BUILD_PROGRAM=OFF >/dev/null
cmake --build "$build-asan" -j "$jobs"
(cd "$build-asan" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$jobs")

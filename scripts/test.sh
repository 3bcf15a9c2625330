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

# --- Program parser fuzzing (settings file, macro text and includes) ---------------
# libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer, a bounded time
# each. The corpus folders hold the seeds and every input that once failed (keep
# those: they are the regression cases). KORVO_FUZZ_SECONDS changes the time.
fuzz_seconds=${KORVO_FUZZ_SECONDS:-30}
CXX=clang++ cmake -S "$root/tests/fuzz" -B "$build-progfuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build-progfuzz" -j "$jobs"
for fuzzer in settings macro; do
    work=$(mktemp -d)
    "$build-progfuzz/${fuzzer}_fuzz" -max_total_time="$fuzz_seconds" -max_len=4096 -timeout=10 \
        -rss_limit_mb=2048 -artifact_prefix="$work/" "$work" "$root/tests/fuzz/$fuzzer-corpus"
    rm -rf "$work"
done
# --- end of program parser fuzzing --------------------------------------------------

#!/usr/bin/env bash
# Installs what is needed, builds Korvo and its engine, and runs every test.
# The engine library is also built and tested under AddressSanitizer, and its audio-file reader fuzzed for a
# bounded time (KORVO_FUZZ_SECONDS, default 60).
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

# The audio-file reader under libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer (clang). The kept
# inputs in pskcore/tests/fuzz-corpus seed it; an input that fails is written to build-fuzz/ and belongs in
# that folder, where the engine's tests read it again.
cmake -S "$root" -B "$build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DKORVO_SANITIZE=ON -DKORVO_FUZZ=ON -DKORVO_BUILD_PROGRAM=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build-fuzz" -j "$jobs" --target pskcore_audio_fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! "$build-fuzz/pskcore/pskcore_audio_fuzz" -max_total_time="${KORVO_FUZZ_SECONDS:-60}" -max_len=65536 \
       -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$build-fuzz/" "$work" "$root/pskcore/tests/fuzz-corpus" \
       >"$build-fuzz/fuzz.log" 2>&1; then
  tail -n 40 "$build-fuzz/fuzz.log"
  echo "The audio-file fuzzer found a failing input (in $build-fuzz/): keep it in pskcore/tests/fuzz-corpus/." >&2
  exit 1
fi

# --- Program parser fuzzing (settings file, macro text and includes) ---------------
# libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer, a bounded time
# each. The corpus folders hold the seeds and every input that once failed (keep
# those: they are the regression cases). KORVO_FUZZ_SECONDS changes the time.
fuzz_seconds=${KORVO_FUZZ_SECONDS:-30}
CXX=clang++ cmake -S "$root/tests/fuzz" -B "$build-progfuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build-progfuzz" -j "$jobs"
for fuzzer in settings macro; do
    corpus=$(mktemp -d)
    "$build-progfuzz/${fuzzer}_fuzz" -max_total_time="$fuzz_seconds" -max_len=4096 -timeout=10 \
        -rss_limit_mb=2048 -artifact_prefix="$corpus/" "$corpus" "$root/tests/fuzz/$fuzzer-corpus"
    rm -rf "$corpus"
done
# --- end of program parser fuzzing --------------------------------------------------

#!/usr/bin/env bash
# Builds everything and runs every test: a release build with warnings as errors, a debug build
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzzers for a bounded time.
#
#   GORB_JOBS=N        build and test with N jobs (default: one per processor)
#   GORB_SKIP_SLOW=1   leave out the tests labelled "slow" (the bot's play-throughs)
#   FUZZ_SECONDS=N     how long each fuzzer runs (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

JOBS=${GORB_JOBS:-$(nproc)}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
CTEST_ARGS=(--output-on-failure -j "$JOBS")
if [[ "${GORB_SKIP_SLOW:-}" == 1 ]]; then CTEST_ARGS+=(-LE slow); fi

echo "== Release build (warnings are errors)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DGORB_WERROR=ON \
  -DGORB_TESTS=ON -DGORB_BENCH=ON -DGORB_SANITIZE=OFF -DGORB_FUZZ=OFF >/dev/null
cmake --build build/release -j "$JOBS"
(cd build/release && ctest "${CTEST_ARGS[@]}" --timeout 600)

echo "== Debug build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGORB_WERROR=ON \
  -DGORB_TESTS=ON -DGORB_BENCH=OFF -DGORB_SANITIZE=ON -DGORB_FUZZ=OFF >/dev/null
cmake --build build/asan -j "$JOBS"
(cd build/asan && ASAN_OPTIONS=detect_leaks=1 ctest "${CTEST_ARGS[@]}" --timeout 900)

echo "== Fuzzers (${FUZZ_SECONDS} s each)"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DGORB_FUZZ=ON -DGORB_TESTS=OFF -DGORB_BENCH=OFF >/dev/null
cmake --build build/fuzz -j "$JOBS"
shopt -s nullglob
for f in build/fuzz/tests/fuzz/fuzz_*; do
  [[ -x "$f" && -f "$f" ]] || continue
  name=$(basename "$f")
  corpus="build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="tests/fuzz/seeds/$name"
  args=("$corpus")
  [[ -d "$seeds" ]] && args+=("$seeds")
  echo "-- $name"
  log="build/fuzz/$name.out"
  if ! SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$f" -max_total_time="$FUZZ_SECONDS" \
      -print_final_stats=1 "${args[@]}" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzzer $name failed"
    exit 1
  fi
  tail -n 6 "$log"
done
echo "All builds and tests passed."

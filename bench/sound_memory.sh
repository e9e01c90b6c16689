#!/usr/bin/env bash
# Resident memory of the program with sound off and on: builds the game and starts it twice on
# SDL's dummy video and audio drivers (in a folder of its own, with and without "SOUND=1" in its
# settings file), reads its VmRSS 5 s in (the sound set-up is done, the intro runs), ends it.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/bench}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGORB_TESTS=OFF -DGORB_BENCH=ON >/dev/null
cmake --build "$BUILD" -j 4 --target gorbulant >/dev/null
for sound in 0 1; do
  for run in 1 2; do
    dir=$(mktemp -d)
    cp "$BUILD/gorbulant" "$dir/"
    if [[ $sound == 1 ]]; then printf '"SOUND=1"\r\n' > "$dir/ZORBELS.INI"; fi
    (cd "$dir"; SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy SDL_RENDER_DRIVER=software \
      exec ./gorbulant >/dev/null 2>&1) &
    pid=$!
    sleep 5
    echo "sound $sound, run $run: $(grep VmRSS "/proc/$pid/status" | tr -s ' ')"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    rm -rf "$dir"
  done
done

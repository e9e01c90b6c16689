#!/usr/bin/env bash
# Records what the player hears and prints the measures: builds the program with its benchmarks
# and runs the recording scene (about two minutes of real time: the intro, the title, the menu
# and a minute of play with a boss) on SDL's dummy video and disk audio drivers.
#   bash bench/sound_recording.sh            # the device at whatever the program asks for
#   bash bench/sound_recording.sh --force-44k # a device that only takes 44.1 kHz stereo
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build/bench}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGORB_TESTS=OFF -DGORB_BENCH=ON >/dev/null
cmake --build "$BUILD" -j 4 --target sound-scene >/dev/null
OUT="$BUILD/recording${1:+-${1#--}}"
rm -rf "$OUT"
"$BUILD/bench/sound-scene" "$OUT" "$@" 2> "$OUT.stderr.txt" | tee "$OUT.txt"

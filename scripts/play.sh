#!/usr/bin/env bash
# Builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

cmake -S . -B build/play -G Ninja -DCMAKE_BUILD_TYPE=Release -DGORB_TESTS=OFF -DGORB_BENCH=OFF \
  -DGORB_SANITIZE=OFF -DGORB_WERROR=OFF >/dev/null
cmake --build build/play --target gorbulant

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "There is no display here (DISPLAY is not set), so the game cannot open its screen." >&2
  echo "To run it on a virtual X screen, use:" >&2
  echo "  xvfb-run -s '-screen 0 1024x768x24' $PWD/build/play/gorbulant" >&2
  exit 2
fi
# The settings file and the error log live beside the program.
cd build/play
exec ./gorbulant

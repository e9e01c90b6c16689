#!/usr/bin/env bash
# Builds the game and starts it. With SOUND=1 in the environment, sound is switched on in the
# settings file first; with SOUND=0 it is switched off again.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

cmake -S . -B build/play -G Ninja -DCMAKE_BUILD_TYPE=Release -DGORB_TESTS=OFF -DGORB_BENCH=OFF \
  -DGORB_SANITIZE=OFF -DGORB_WERROR=OFF >/dev/null
cmake --build build/play --target gorbulant

# The settings file lives beside the program; the game reads "SOUND=1" from it at start-up.
ini=build/play/ZORBELS.INI
if [[ "${SOUND:-}" == 1 ]] && ! grep -qi '^[[:space:]]*"\?[[:space:]]*SOUND=1[[:space:]]*"\?[[:space:]]*$' "$ini" 2>/dev/null; then
  if [[ -s "$ini" && -n "$(tail -c 1 "$ini")" ]]; then printf '\r\n' >>"$ini"; fi
  printf '"SOUND=1"\r\n' >>"$ini"
  echo "Sound switched on in $ini"
fi
# The game only ever switches sound on from the file, so switching it off takes the entry out
# (through a linked settings file to its target, as the game itself writes it).
if [[ "${SOUND:-}" == 0 ]] && grep -qi '^[[:space:]]*"\?[[:space:]]*SOUND' "$ini" 2>/dev/null; then
  sed -i --follow-symlinks '/^[[:space:]]*"\?[[:space:]]*[Ss][Oo][Uu][Nn][Dd]/d' "$ini"
  echo "Sound switched off in $ini"
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "There is no display here (DISPLAY is not set), so the game cannot open its screen." >&2
  echo "To run it on a virtual X screen, use:" >&2
  echo "  cd $PWD/build/play && xvfb-run -a -s '-screen 0 1024x768x24' ./gorbulant" >&2
  exit 2
fi
# The error log is written in the folder the game starts from: keep it beside the program.
cd build/play
exec ./gorbulant

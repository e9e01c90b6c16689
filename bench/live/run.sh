#!/usr/bin/env bash
# Measures the real game on virtual X screens of 1024 x 768, 1920 x 1080 and 3840 x 2160, and
# the peer game starfighter beside it: frame intervals from the presents themselves, the first
# intro push, CPU of the game and of the X server from /proc, resident memory, launch to menu;
# then a run on a desktop made too slow for the game, whose screenshot must show the overload
# sign. Every figure three times; the table gives min / median (the machine is shared).
#
#   bash bench/live/run.sh [--game PATH] [any option of measure.py, e.g. --runs 1 --sizes 1024x768]
#
# Without --game it builds the game (release) into build/bench-live. Results, screenshots and the
# JSON of every run go to build/bench-live/results/.
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/deps.sh

# Tools only this measurement needs (not the build's or the tests').
need=()
command -v xdotool >/dev/null || need+=(xdotool)
command -v import >/dev/null || need+=(imagemagick)
[[ -x /usr/games/starfighter ]] || need+=(starfighter)
if ((${#need[@]})); then
  echo "Installing for the measurement: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

out=build/bench-live
mkdir -p "$out/results"
game=""
args=()
while (($#)); do
  case "$1" in
    --game) game="$2"; shift 2 ;;
    *) args+=("$1"); shift ;;
  esac
done
if [[ -z "$game" ]]; then
  cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGORB_TESTS=OFF -DGORB_BENCH=OFF \
    -DGORB_SANITIZE=OFF -DGORB_WERROR=OFF >/dev/null
  cmake --build "$out" --target gorbulant -j 4
  game="$out/gorbulant"
fi
cc -O2 -Wall -shared -fPIC -o "$out/present_stamp.so" bench/live/present_stamp.c $(pkg-config --cflags sdl2) -ldl

python3 bench/live/measure.py --game "$game" --shim "$out/present_stamp.so" --peer --sound \
  --shots "$out/results" --overload-shot "$out/results/overload.png" --json "$out/results/runs.json" \
  "${args[@]}"

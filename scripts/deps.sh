#!/usr/bin/env bash
# Installs, as root, the Debian packages the build and the tests need that are missing.
# Quick and silent when everything is there already.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-ttf-dev libfontconfig-dev libx11-dev fontconfig fonts-comic-neue
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  python3
  xvfb xauth
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Run this command as root (or install them with apt-get) and try again." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Another apt run (an unattended upgrade, a second build) may hold the package lock: wait for
  # it rather than fail.
  apt=(apt-get -o DPkg::Lock::Timeout=600)
  for try in 1 2 3 4 5 6; do
    "${apt[@]}" update -qq && break
    ((try < 6)) || exit 1
    echo "apt-get update failed (the package lists may be locked); trying again in 10 s" >&2
    sleep 10
  done
  "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

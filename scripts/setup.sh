#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when any of them is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-multimedia-dev qt6-websockets-dev libqt6sql6-sqlite libqt6sql6-psql postgresql qt6-translations-l10n
  fonts-noto-cjk fonts-dejavu-core
  espeak-ng sox
  xvfb xauth gnugo
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  echo "installing: ${missing[*]}"
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -q
  "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

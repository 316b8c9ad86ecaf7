#!/usr/bin/env bash
# Installs the Debian packages Laminar builds with, when any is missing.
# As root it runs apt-get itself; otherwise it prints the exact command to run.
#   scripts/setup.sh          what building and testing need
#   scripts/setup.sh judge    KiCad, whose pcbnew Python module judges the KiCad
#                             boards the example host writes (a large package:
#                             only the test stage that uses it installs it)
set -euo pipefail

case "${1:-build}" in
  build) packages=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                   nlohmann-json3-dev qt6-base-dev qt6-svg-dev libboost-dev libeigen3-dev dpkg-dev xvfb
                   clang-14 libclang-rt-14-dev) ;; # clang and libFuzzer: the fuzz targets
  judge) packages=(kicad) ;;
  *) echo "usage: scripts/setup.sh [build|judge]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "setup: missing packages; run as root:" >&2
  echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

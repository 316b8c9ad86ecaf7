#!/usr/bin/env bash
# Sets everything up, builds, and runs the example host's editor on a sample
# stackup: in a window when a display is reachable, else drawn into a picture.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  build/bin/laminar examples/8-layer.json
else
  build/bin/laminar examples/8-layer.json --screenshot build/laminar-8-layer.png
  echo "No display: the editor window on examples/8-layer.json was drawn into $(pwd)/build/laminar-8-layer.png"
fi

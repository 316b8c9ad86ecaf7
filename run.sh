#!/usr/bin/env bash
# Sets everything up, builds, and runs the example host on a sample stackup.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build
build/bin/laminar check examples/8-layer.json

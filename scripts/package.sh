#!/usr/bin/env bash
# Builds the Debian package build-deb/laminar_VERSION_ARCH.deb: a tree without
# tests, installed under /usr (so the library lands in the multiarch folder),
# packed by CPack with its dependencies read off the shared libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build-deb -DCMAKE_INSTALL_PREFIX=/usr -DLAMINAR_TESTS=OFF
(cd build-deb && cpack -G DEB)

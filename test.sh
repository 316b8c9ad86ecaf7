#!/usr/bin/env bash
# Sets everything up, then builds and runs every test twice: a normal build and
# one under the address and undefined-behaviour sanitizers; the Qt and window
# tests of the normal build run once more on a real X server (Xvfb, the xcb
# platform), where keys, focus and windows arrive as a desktop sends them; then
# each fuzz target (clang, same sanitizers) runs for a short budget on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
export LC_ALL=C QT_QPA_PLATFORM=offscreen

scripts/build.sh build -DLAMINAR_BENCHMARKS=ON
scripts/setup.sh judge # KiCad's reader for the KiCad round-trip test
ctest --test-dir build --output-on-failure --timeout 120 -j "$(nproc)"
scripts/xvfb-tests.sh build

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DLAMINAR_SANITIZE=ON
ctest --test-dir build-asan --output-on-failure --timeout 300 -j "$(nproc)"

scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DLAMINAR_SANITIZE=ON -DLAMINAR_FUZZ=ON
ctest --test-dir build-fuzz --output-on-failure -j "$(nproc)"

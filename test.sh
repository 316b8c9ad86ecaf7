#!/usr/bin/env bash
# Sets everything up, then builds and runs every test twice: a normal build and
# one under the address and undefined-behaviour sanitizers; the Qt and window
# tests of the normal build run once more on a real X server (Xvfb, the xcb
# platform), where keys, focus and windows arrive as a desktop sends them; then
# each fuzz target (clang, same sanitizers) runs for a short budget on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")"

# Each stage's seconds, printed at the end however the run ends.
stages=()
stage_start=$SECONDS
stage() {
  stages+=("$(printf '%5ds  %s' $((SECONDS - stage_start)) "$1")")
  stage_start=$SECONDS
}
report() { printf 'test.sh: %s\n' "${stages[@]}" "total ${SECONDS}s"; }
trap report EXIT

# Line tables are enough for the sanitizers' and debuggers' traces here, and
# cost far less to compile and link than full debug information.
lines_only=-g1

scripts/setup.sh
stage setup
export LC_ALL=C QT_QPA_PLATFORM=offscreen

scripts/build.sh build -DLAMINAR_BENCHMARKS=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 $lines_only -DNDEBUG"
stage "normal build"
scripts/setup.sh judge # KiCad's reader for the KiCad round-trip test
stage "KiCad setup"
ctest --test-dir build --output-on-failure --timeout 120 -j "$(nproc)"
scripts/xvfb-tests.sh build
stage "normal tests, offscreen and on Xvfb"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DLAMINAR_SANITIZE=ON -DCMAKE_CXX_FLAGS_DEBUG=$lines_only
stage "sanitizer build"
ctest --test-dir build-asan --output-on-failure --timeout 300 -j "$(nproc)"
stage "sanitizer tests"

scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DLAMINAR_SANITIZE=ON -DLAMINAR_FUZZ=ON \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 $lines_only -DNDEBUG" -DLAMINAR_FUZZ_SECONDS=15
stage "fuzz build"
ctest --test-dir build-fuzz --output-on-failure -j "$(nproc)"
stage "fuzzing"

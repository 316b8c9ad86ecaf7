#!/usr/bin/env bash
# A long fuzzing campaign on one target: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
# TARGET is stackup_reader, api_calls or preferences. Builds the fuzz tree with
# clang when needed, starts from the seed corpus in tests/fuzz/corpus/TARGET and
# keeps what it finds in build-fuzz/campaign/TARGET; a crash is written there as
# crash-* (add it to the seed corpus once fixed, so it stays a regression input).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
[ $# -ge 2 ] || { echo "usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]" >&2; exit 2; }
target=$1 seconds=$2; shift 2
[ -d "tests/fuzz/corpus/$target" ] || { echo "fuzz: no target named $target" >&2; exit 2; }

scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DLAMINAR_SANITIZE=ON -DLAMINAR_FUZZ=ON >/dev/null
work=build-fuzz/campaign/$target
mkdir -p "$work/corpus"
dictionary=()
[ -f "tests/fuzz/$target.dict" ] && dictionary=(-dict="$root/tests/fuzz/$target.dict")
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$work"
exec "$root/build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  "${dictionary[@]}" "$@" corpus "$root/tests/fuzz/corpus/$target"

#!/usr/bin/env bash
# Runs the Qt and window tests of a build tree on a private Xvfb server with
# the xcb platform: scripts/xvfb-tests.sh BUILD_DIR
# The server picks a free display itself (-displayfd), so that several runs on
# one machine never meet, and is stopped by its pid however the run ends.
set -euo pipefail
build=$1
tests=(bin/laminar_qt_tests bin/laminar_window_tests)

work=$(mktemp -d)
xvfb_pid=
stop() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT

Xvfb -displayfd 3 -screen 0 1920x1080x24 -noreset -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
# The display number arrives on the descriptor, followed by a newline, once the server is ready.
for _ in $(seq 100); do
  [ -s "$work/display" ] && [ "$(wc -l <"$work/display")" -ge 1 ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; echo "xvfb-tests: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
display=":$(head -n1 "$work/display")"
[ "$display" != ":" ] || { echo "xvfb-tests: Xvfb gave no display" >&2; exit 1; }

for test in "${tests[@]}"; do
  echo "xvfb-tests: $test on $display (xcb)"
  env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" LC_ALL=C \
    "$build/$test" --gtest_brief=1
done

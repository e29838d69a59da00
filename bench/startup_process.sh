#!/usr/bin/env bash
# Start-up of the whole program, launch to main bar less the splash, against a
# bare Qt program's 200-item tree window, on a private X display; prints the
# ratios. Usage: bench/startup_process.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target murmex bare_tree_window startup_process >/dev/null
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 50); do
  [ -S "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
DISPLAY=$display ./build/bench/startup_process build/src/app/murmex build/bench/bare_tree_window "${1:-11}" \
  2> >(grep -v "propagateSizeHints\|XDG_RUNTIME_DIR" >&2)

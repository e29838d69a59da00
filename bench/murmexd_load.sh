#!/usr/bin/env bash
# Builds and runs the murmexd load benchmark (about 2 minutes, loopback only):
# 500 logged-in connections under the client's fetch/sync pattern, compressed
# 20x, 60x and 200x in time, on SQLite, on PostgreSQL and on two servers sharing
# one PostgreSQL; prints exchanges per second and latency percentiles.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target murmexd_load_bench >/dev/null
"./$build/bench/murmexd_load_bench" --benchmark_format=console "$@"

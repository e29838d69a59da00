#!/usr/bin/env bash
# Builds the Debian package murmex_<version>_<arch>.deb in build-deb/:
# both programs for the prefix /usr, without the tests and benchmarks.
#   scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-deb}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DMURMEX_BUILD_TESTS=OFF -DMURMEX_BUILD_BENCH=OFF -DMURMEX_BUILD_FUZZ=OFF
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && cpack -G DEB)
ls "$build"/murmex_*.deb

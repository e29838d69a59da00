#!/usr/bin/env bash
# Builds the core's and the server's tests with ThreadSanitizer in build-tsan/
# and runs them; any data race, lock-order inversion or misuse of a mutex
# fails the run. Qt is left out (the window tests are not built).
#
#   scripts/tsan.sh [gtest options...]      e.g. scripts/tsan.sh --gtest_filter='RequestEngine*'
#
# clang by default (CC/CXX choose another compiler, e.g. CC=gcc CXX=g++).
# libstdc++'s timed mutexes lock through a call neither compiler's TSan runtime
# watches; scripts/tsan_clocklock.c, linked into every test, routes it through
# one it does (see that file).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

cc=${CC:-clang}
cxx=${CXX:-clang++}
build=${MURMEX_TSAN_BUILD:-build-tsan}
tests=(test_platform test_protocol test_storage test_model test_model_e2e test_session test_counter
       test_channels test_server)

mkdir -p "$build"
"$cc" -c -O1 -g -fPIC "scripts/tsan_clocklock.c" -o "$build/tsan_clocklock.o"
flags="-fsanitize=thread -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread $root/$build/tsan_clocklock.o" \
  -DMURMEX_BUILD_GUI=OFF -DMURMEX_BUILD_BENCH=OFF -DMURMEX_BUILD_FUZZ=OFF \
  > "$build/configure.log" || { cat "$build/configure.log"; exit 1; }

present=()
for t in "${tests[@]}"; do
  if [ -d "tests/${t#test_}" ]; then present+=("$t"); fi
done
cmake --build "$build" --parallel "${MURMEX_JOBS:-2}" --target "${present[@]}"

export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1}
failed=()
for t in "${present[@]}"; do
  echo "=== $t"
  exe=$(find "$build/tests" -maxdepth 2 -type f -name "$t" | head -n 1)
  "$exe" --gtest_brief=1 "$@" 2>&1 | tee "$build/$t.log" || failed+=("$t")
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "failed under ThreadSanitizer: ${failed[*]} (logs in $build/)"
  exit 1
fi
echo "all ${#present[@]} test programs passed under ThreadSanitizer"

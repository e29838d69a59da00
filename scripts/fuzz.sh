#!/usr/bin/env bash
# Fuzzes one target for real: builds it with clang, libFuzzer, AddressSanitizer
# and UBSan in build-fuzz/, then runs it for SECONDS on a scratch copy of its
# seed corpus (the committed seeds are never changed; new inputs the fuzzer
# finds stay in the scratch folder). A finding is saved as
# build-fuzz/findings/TARGET/crash-* (or leak-*, timeout-*) and the run fails.
#
#   scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
#   scripts/fuzz.sh list
#
# Needs clang and its runtime (Debian: clang libclang-rt-14-dev).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

targets=$(ls fuzz/corpus)
if [ $# -lt 1 ] || [ "$1" = "list" ] || [ "$1" = "-h" ] || [ "$1" = "--help" ]; then
  echo "usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]"
  echo "targets:" $targets
  [ $# -ge 1 ] && [ "$1" = "list" ] && exit 0
  exit 2
fi
target=$1
seconds=${2:-60}
shift $(( $# >= 2 ? 2 : 1 ))
if [ ! -d "fuzz/corpus/$target" ]; then
  echo "unknown target '$target'; targets:" $targets >&2
  exit 2
fi

cc=${CC:-clang}
cxx=${CXX:-clang++}
build=${MURMEX_FUZZ_BUILD:-build-fuzz}
mkdir -p "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" \
  -DMURMEX_LIBFUZZER=ON -DMURMEX_BUILD_TESTS=OFF -DMURMEX_BUILD_BENCH=OFF -DMURMEX_BUILD_GUI=OFF \
  > "$build/configure.log" || { cat "$build/configure.log"; exit 1; }
cmake --build "$build" --parallel "${MURMEX_JOBS:-2}" --target "fuzz_$target"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/murmex-fuzz-$target.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
cp -r "fuzz/corpus/$target/." "$scratch/"
findings="$root/$build/findings/$target"
mkdir -p "$findings"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
echo "fuzzing $target for $seconds s on a copy of fuzz/corpus/$target (findings go to $findings/)"
status=0
"$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$findings/" -print_final_stats=1 "$@" "$scratch" || status=$?
echo "corpus grew from $(ls "fuzz/corpus/$target" | wc -l) to $(ls "$scratch" | wc -l) inputs"
exit $status

#!/usr/bin/env bash
# Builds the benchmarks and prints the figures, with the engine/raw exchange ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target engine_bench param_record_bench >/dev/null
mkdir -p bench/results
./build/bench/param_record_bench --benchmark_format=console
# Both ends on one core: otherwise every exchange pays for waking a thread on
# the other core, whose cost swings with whatever else the machine runs.
taskset -c 0 ./build/bench/engine_bench --benchmark_format=console --benchmark_out=bench/results/engine.json \
  --benchmark_out_format=json --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
python3 - <<'PY'
import json
runs = json.load(open("bench/results/engine.json"))["benchmarks"]
rate = {b["run_name"].split("/")[0]: b["items_per_second"]
        for b in runs if b.get("aggregate_name") == "median"}
engine, raw = rate["BM_EngineExchange"], rate["BM_RawPingPong"]
print(f"engine {engine:,.0f} exchanges/s, raw ping-pong {raw:,.0f}/s, ratio engine/raw {engine/raw:.3f}")
PY

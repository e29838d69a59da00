#!/usr/bin/env bash
# Opens the message list over 10,000 stored messages beside a bare list widget
# with the same lines, and marks one message read beside one save; prints both ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target message_list_bench >/dev/null
mkdir -p bench/results
QT_QPA_PLATFORM=offscreen ./build/bench/message_list_bench --benchmark_out=bench/results/message_list.json \
  --benchmark_out_format=json --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true
python3 - <<'PY'
import json
runs = json.load(open("bench/results/message_list.json"))["benchmarks"]
t = {b["run_name"]: b["real_time"] for b in runs if b.get("aggregate_name") == "median"}
print(f"list open {t['BM_MessageListOpen']:.2f} ms, bare list widget {t['BM_BareListWidgetOpen']:.2f} ms, "
      f"ratio {t['BM_MessageListOpen'] / t['BM_BareListWidgetOpen']:.2f} (target <= 1.5)")
print(f"mark one read {t['BM_MarkOneRead']:.2f} ms, one save {t['BM_SaveOnce']:.2f} ms, "
      f"ratio {t['BM_MarkOneRead'] / t['BM_SaveOnce']:.2f} (about 1: one save)")
PY

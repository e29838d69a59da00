#!/usr/bin/env bash
# A search whose 100 results are all unknown, from "Szukaj >>" to the results
# shown, beside the same 101 exchanges over a bare socket; prints the ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target user_search_bench >/dev/null
mkdir -p bench/results
QT_QPA_PLATFORM=offscreen ./build/bench/user_search_bench --benchmark_out=bench/results/user_search.json \
  --benchmark_out_format=json --benchmark_repetitions=7 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true
python3 - <<'PY'
import json
runs = json.load(open("bench/results/user_search.json"))["benchmarks"]
median = {b["run_name"]: b for b in runs if b.get("aggregate_name") == "median"}
t = {name: b["real_time"] for name, b in median.items()}
paired = median["BM_SearchPairedWithRaw/manual_time"]
raw = t["BM_RawExchanges"]
print(f"search with 100 unknown users {paired['search_ms']:.2f} ms, the same 101 exchanges on a "
      f"bare socket {paired['raw_ms']:.2f} ms, each timed after the same preparation: "
      f"ratio {paired['ratio']:.2f} (median of the pairs' ratios; target <= 1.5)")
print(f"in loops of their own: search {t['BM_SearchHundredUnknownUsers']:.2f} ms, "
      f"bare socket {raw:.2f} ms ({t['BM_SearchHundredUnknownUsers'] / raw:.2f}); "
      f"the data manager's part alone {t['BM_SearchInTheDataManager']:.2f} ms "
      f"({t['BM_SearchInTheDataManager'] / raw:.2f}), "
      f"the windows' part alone {t['BM_ResultsWindowShown']:.2f} ms "
      f"({t['BM_ResultsWindowShown'] / raw:.2f}), "
      f"right after the exchanges {t['BM_ResultsWindowShownAfterExchanges']:.2f} ms "
      f"({t['BM_ResultsWindowShownAfterExchanges'] / raw:.2f})")
PY

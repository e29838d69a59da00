// counter.cfg, the call log: the input is the whole file. Loading must keep
// every well-formed line in start order, totals and list rows of any period
// must be computable, and what is saved must load back as the same calls
// (the price per impulse is stored with two decimals).

#include "counter/call_log.h"
#include "fuzz_support.h"
#include "platform/paths.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace {

using murmex::CallLog;

void SelectAndList(CallLog& log, std::int64_t from, std::int64_t to) {
    log.Select(from, to);
    const auto rows = log.ListRows();
    if (!log.HasSelection()) {
        FUZZ_CHECK(rows.empty());
        return;
    }
    FUZZ_CHECK(log.FirstSelected() >= 0 && log.FirstSelected() <= log.LastSelected());
    FUZZ_CHECK(log.LastSelected() < log.Count());
    FUZZ_CHECK(rows.size() ==
               static_cast<std::size_t>(log.LastSelected() - log.FirstSelected() + 1));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    murmex::CPaths::SetDataDirectory(murmex::fuzz::ScratchFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    murmex::fuzz::WriteWholeFile(murmex::CPaths::DataFile(CallLog::kFileName), data, size);

    CallLog log;
    FUZZ_CHECK(log.Load());
    for (int i = 1; i < log.Count(); ++i)
        FUZZ_CHECK(log.Record(i - 1).start <= log.Record(i).start);

    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    SelectAndList(log, kMin, kMax);
    if (log.Count() > 0) {
        const auto first = log.Record(0).start;
        const auto last = log.Record(log.Count() - 1).start;
        SelectAndList(log, first, last);
        SelectAndList(log, last, first);
        SelectAndList(log, kMin, first);
    }

    FUZZ_CHECK(log.Save());
    CallLog again;
    FUZZ_CHECK(again.Load());
    FUZZ_CHECK(again.Count() == log.Count());
    for (int i = 0; i < log.Count(); ++i) {
        const auto& a = log.Record(i);
        const auto& b = again.Record(i);
        FUZZ_CHECK(a.start == b.start && a.duration == b.duration && a.impulses == b.impulses);
        FUZZ_CHECK(std::fabs(a.pricePerImpulse - b.pricePerImpulse) <=
                   0.005 + 1e-12 * std::fabs(a.pricePerImpulse));
    }
    return 0;
}

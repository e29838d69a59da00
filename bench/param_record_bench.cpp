// Parse and serialize throughput of the record format on a typical stored user line.
#include <benchmark/benchmark.h>

#include "protocol/param_record.h"

namespace {

using murmex::CParamRecord;

std::string SampleLine() {
    CParamRecord r;
    r.AddInt("QID", 123456);
    r.AddText("Nick", "Ma\xB3gorzata");
    r.AddText("Email", "malgorzata@example.pl");
    r.AddText("Name", "Ma\xB3gorzata");
    r.AddText("Surname", "Kowalska-Wi\x9Cniewska");
    r.AddInt("HasRemoteCellPhone", 1);
    r.AddText("LocalCellPhone", "0601234567");
    r.AddText("Display", "Gosia");
    r.AddText("Note", "Pozna\xB3\x61\xB6my si\xEA na kanale ~ wiosna\r\nDruga linia notatki");
    r.AddInt("OnEnterSMS", 0);
    r.AddInt("OnEnterEmail", 1);
    r.AddText("RemoteCellPhonePrefix", "601");
    return r.Serialize();
}

void BM_ParamRecordParse(benchmark::State& state) {
    const std::string line = SampleLine();
    for (auto _ : state) {
        CParamRecord r;
        r.Parse(line, 0);
        benchmark::DoNotOptimize(r.Size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}

void BM_ParamRecordSerialize(benchmark::State& state) {
    CParamRecord r;
    r.Parse(SampleLine(), 0);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = r.Serialize();
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}

BENCHMARK(BM_ParamRecordParse);
BENCHMARK(BM_ParamRecordSerialize);

} // namespace

// CParamRecord: the form of every request and response and of every record
// line of murmex.cfg.
//
// 1. Any bytes, read as a stored line (from the start) and as a response
//    (from the blank after a four-digit code): no field may come out longer
//    than the reader promises, and every lookup and number conversion on what
//    was read must be safe.
// 2. The writer's promise: a record written by the program reads back entry
//    for entry, each value unchanged apart from the documented losses. The
//    input, split at its NUL bytes, gives the values.

#include "fuzz_support.h"
#include "protocol/param_record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using murmex::CParamRecord;

void Exercise(const CParamRecord& record) {
    for (const auto& [name, value] : record.Entries()) {
        FUZZ_CHECK(name.size() <= CParamRecord::kMaxField);
        FUZZ_CHECK(value.size() <= CParamRecord::kMaxField);
        FUZZ_CHECK(record.Has(name));
        (void)record.GetInt(name);
        std::vector<int> numbers;
        record.GetIntList(name, numbers);
        // Lookups find the first entry of a name.
        FUZZ_CHECK(numbers.size() <= record.Get(name).size() + 1);
    }
    // A missing name goes to the handler and reads as empty (no name read holds a blank).
    FUZZ_CHECK(!record.Has("no such"));
    FUZZ_CHECK(record.Get("no such").empty());
}

// What a value written by Serialize reads back as.
std::string ReadBackValue(std::string_view value) {
    const bool breaks =
        value.find('\n') != std::string_view::npos || value.find('~') != std::string_view::npos;
    std::string out;
    for (char c : value) {
        if (breaks && c == '\r')
            continue;
        if (breaks && c == '\n') {
            // A backslash cannot stand before an encoded break.
            while (!out.empty() && out.back() == '\\')
                out.pop_back();
            out += "\r\n";
            continue;
        }
        out += c;
    }
    // Nor before the closing quote.
    while (!out.empty() && out.back() == '\\')
        out.pop_back();
    if (out.size() > CParamRecord::kMaxField)
        out.resize(CParamRecord::kMaxField);
    return out;
}

void CheckRoundTrip(std::string_view text) {
    CParamRecord written;
    std::vector<std::string> values;
    std::size_t from = 0;
    while (from <= text.size() && values.size() < 64) {
        std::size_t nul = text.find('\0', from);
        if (nul == std::string_view::npos)
            nul = text.size();
        values.emplace_back(text.substr(from, nul - from));
        from = nul + 1;
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        written.AddText("v" + std::to_string(i), values[i]);
    written.AddInt("last", -2147483647 - 1);

    const std::string line = written.Serialize();
    CParamRecord read;
    read.Parse(line, 0);
    FUZZ_CHECK(read.Size() == written.Size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        FUZZ_CHECK(read.Entries()[i].first == written.Entries()[i].first);
        FUZZ_CHECK(read.Entries()[i].second == ReadBackValue(values[i]));
    }
    FUZZ_CHECK(read.GetInt("last") == -2147483647 - 1);

    // The same line as a response: "2000 " and the record.
    CParamRecord response;
    response.Parse("2000 " + line, 4);
    FUZZ_CHECK(response.Entries() == read.Entries());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CParamRecord::SetMissingEntryHandler([](const std::string&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    CParamRecord stored;
    stored.Parse(text, 0);
    Exercise(stored);
    (void)stored.Serialize();

    if (size > 0) {
        CParamRecord response;
        response.Parse(text, size < 4 ? size : 4);
        Exercise(response);
    }

    std::vector<int> list;
    CParamRecord single;
    single.AddText("n", text);
    single.GetIntList("n", list);
    (void)CParamRecord::ToInt(text);

    CheckRoundTrip(text);
    return 0;
}

// CConfigStore over a murmex.cfg made of the input's bytes.
//
// Every section the file names is read in each of the three ways (values,
// records, raw lines). Then one pass rewrites two sections, and the file must
// keep its promises: the rewritten sections read back exactly as written,
// and every other section reads back exactly as before.

#include "fuzz_support.h"
#include "platform/paths.h"
#include "protocol/param_record.h"
#include "storage/config_store.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using murmex::CConfigStore;
using murmex::CParamRecord;

std::vector<std::string> ReadSection(const std::string& section) {
    CConfigStore store;
    std::vector<std::string> lines;
    if (!store.Open(section, CConfigStore::Read))
        return lines;
    std::string line;
    while (store.ReadLine(line))
        lines.push_back(line);
    store.Close();
    return lines;
}

void ReadEveryWay(const std::string& section) {
    CConfigStore store;
    if (store.Open(section, CConfigStore::Read)) {
        std::string name, value;
        while (!store.AtEnd())
            (void)store.ReadValue(name, value);
    }
    store.Close();
    if (store.Open(section, CConfigStore::Read)) {
        CParamRecord record;
        while (store.ReadRecord(record)) {
        }
        for (const auto& [name, value] : record.Entries())
            FUZZ_CHECK(value.size() <= CParamRecord::kMaxField);
    }
    store.Close();
}

bool IsProgramName(std::string_view name) {
    if (name.empty())
        return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_'))
            return false;
    return true;
}

// The section names of the file's "[Name]" lines, at most a handful.
std::vector<std::string> SectionsOf(std::string_view text) {
    std::vector<std::string> sections;
    std::size_t at = 0;
    while (at < text.size() && sections.size() < 8) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
            sections.emplace_back(line.substr(1, line.size() - 2));
        at = end + 1;
    }
    return sections;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    murmex::CPaths::SetDataDirectory(murmex::fuzz::ScratchFolder());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = murmex::CPaths::DataFile(CConfigStore::kMainFile);
    murmex::fuzz::WriteWholeFile(path, data, size);
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::vector<std::string> sections = SectionsOf(text);
    std::vector<std::vector<std::string>> before;
    for (const auto& section : sections) {
        ReadEveryWay(section);
        before.push_back(ReadSection(section));
    }

    // Values and a record taken from the file itself, so that odd bytes are written too.
    CConfigStore store;
    store.Open("Options", CConfigStore::Write);
    store.WriteValue("Server", "127.0.0.1");
    store.WriteValue("Note", text.substr(0, std::min<std::size_t>(text.size(), 200)));
    store.WriteInt("Count", static_cast<int>(size));
    store.NextSection("Users");
    // A record as the program would write it: entries read from one line.
    // Its names are the program's own kind: letters, digits and underscores.
    CParamRecord parsed, user;
    parsed.Parse(text.substr(0, text.find_first_of("\r\n")), 0);
    for (const auto& [name, value] : parsed.Entries())
        if (IsProgramName(name))
            user.AddText(name, value);
    user.AddText("nick", "ala");
    store.WriteRecord(user);
    const bool rewritten = store.Close();
    FUZZ_CHECK(rewritten);

    FUZZ_CHECK(ReadSection("Users") == std::vector<std::string>{user.Serialize()});
    const std::vector<std::string> written = ReadSection("Options");
    FUZZ_CHECK(written.size() == 3);
    FUZZ_CHECK(written[0] == "Server=\"127.0.0.1\"");
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (sections[i] != "Options" && sections[i] != "Users")
            FUZZ_CHECK(ReadSection(sections[i]) == before[i]);
    return 0;
}

// misc.cfg, the code/name lists: the input is the whole file. Every lookup on
// what was loaded must be safe, every loaded entry must be what the line
// reader makes of some line of its section, and loading the same file again
// must give the same lists.

#include "fuzz_support.h"
#include "storage/dictionaries.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct SLoaded {
    std::vector<int> keys;
    std::vector<std::string> texts;
    bool operator==(const SLoaded&) const = default;
};

std::vector<SLoaded> Snapshot() {
    std::vector<SLoaded> all;
    // 0 and 9 are no dictionary: they must read as empty.
    for (int type = 0; type <= 9; ++type) {
        SLoaded loaded;
        const int count = murmex::DictCount(type);
        if (type == 0 || type == 9)
            FUZZ_CHECK(count == 0);
        for (int i = -1; i <= count; ++i) {
            const int key = murmex::DictKeyAt(type, i);
            const std::string text = murmex::DictTextAt(type, i);
            if (i < 0 || i == count) {
                FUZZ_CHECK(key == 0 && text.empty());
                continue;
            }
            loaded.keys.push_back(key);
            loaded.texts.push_back(text);
            (void)murmex::DictTextForKey(type, key);
        }
        all.push_back(std::move(loaded));
    }
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = murmex::fuzz::ScratchFolder() + "misc.cfg";
    murmex::fuzz::WriteWholeFile(path, data, size);

    murmex::LoadDictionariesFrom(path);
    const std::vector<SLoaded> first = Snapshot();

    // Every line the reader accepts, whatever its section.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t accepted = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos)
            end = text.size();
        murmex::SDictEntry entry;
        if (murmex::ParseDictionaryLine(text.substr(at, end - at), entry)) {
            ++accepted;
            FUZZ_CHECK(entry.text.size() < end - at);
        }
        at = end + 1;
    }
    std::size_t loaded = 0;
    for (const auto& dictionary : first)
        loaded += dictionary.keys.size();
    FUZZ_CHECK(loaded <= accepted);

    murmex::LoadDictionariesFrom(path);
    FUZZ_CHECK(Snapshot() == first);
    return 0;
}

#include "storage/dictionaries.h"

#include "platform/paths.h"
#include "protocol/param_record.h"
#include "storage/text_file.h"

#include <array>
#include <mutex>

namespace murmex {
namespace {

constexpr int kDictionaryCount = 8;
constexpr std::array<const char*, kDictionaryCount> kHeaders = {
    "[Interestance]", "[Language]", "[Job]",      "[Education]",
    "[CitySize]",     "[Country]",  "[Category]", "[HotTip]",
};

std::mutex g_dictMutex;
std::array<std::vector<SDictEntry>, kDictionaryCount> g_dicts;

const std::vector<SDictEntry>* Dict(int type) {
    if (type < 1 || type > kDictionaryCount)
        return nullptr;
    return &g_dicts[static_cast<std::size_t>(type - 1)];
}

} // namespace

bool ParseDictionaryLine(std::string_view line, SDictEntry& entry) {
    auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return false;
    auto open = line.find('"');
    if (open == std::string_view::npos)
        return false;
    std::size_t close = open + 1;
    for (; close < line.size(); ++close)
        if (line[close] == '"' && line[close - 1] != '\\')
            break;
    if (close >= line.size())
        return false;

    std::string text;
    bool removedBackslash = false;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (line[i] == '\\' && !removedBackslash) {
            removedBackslash = true;
            continue;
        }
        removedBackslash = false;
        text += line[i];
    }
    entry.key = CParamRecord::ToInt(line.substr(0, eq));
    entry.text = std::move(text);
    return true;
}

void LoadDictionariesFrom(const std::string& path) {
    std::array<std::vector<SDictEntry>, kDictionaryCount> dicts;
    std::vector<std::string> lines;
    if (ReadTextLines(path, lines)) {
        std::vector<SDictEntry>* current = nullptr;
        for (const auto& line : lines) {
            if (!line.empty() && line[0] == '[') {
                current = nullptr;
                for (int i = 0; i < kDictionaryCount; ++i)
                    if (line == kHeaders[static_cast<std::size_t>(i)])
                        current = &dicts[static_cast<std::size_t>(i)];
                continue;
            }
            SDictEntry entry;
            if (current && ParseDictionaryLine(line, entry))
                current->push_back(std::move(entry));
        }
    }
    std::lock_guard lock(g_dictMutex);
    g_dicts = std::move(dicts);
}

void LoadDictionaries() {
    LoadDictionariesFrom(CPaths::Resource("misc.cfg"));
}

int DictCount(int type) {
    std::lock_guard lock(g_dictMutex);
    auto* dict = Dict(type);
    return dict ? static_cast<int>(dict->size()) : 0;
}

int DictKeyAt(int type, int index) {
    std::lock_guard lock(g_dictMutex);
    auto* dict = Dict(type);
    if (!dict || index < 0 || static_cast<std::size_t>(index) >= dict->size())
        return 0;
    return (*dict)[static_cast<std::size_t>(index)].key;
}

std::string DictTextAt(int type, int index) {
    std::lock_guard lock(g_dictMutex);
    auto* dict = Dict(type);
    if (!dict || index < 0 || static_cast<std::size_t>(index) >= dict->size())
        return {};
    return (*dict)[static_cast<std::size_t>(index)].text;
}

std::string DictTextForKey(int type, int key) {
    std::lock_guard lock(g_dictMutex);
    auto* dict = Dict(type);
    if (!dict)
        return {};
    for (const auto& entry : *dict)
        if (entry.key == key)
            return entry.text;
    return {};
}

} // namespace murmex

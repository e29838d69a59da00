#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace murmex {

// The code/name lists of misc.cfg, read once at start-up. Texts are Windows-1250.
enum EDictionary {
    DictInterestance = 1,
    DictLanguage = 2,
    DictJob = 3,
    DictEducation = 4,
    DictCitySize = 5,
    DictCountry = 6,
    DictCategory = 7,
    DictHotTip = 8,
};

struct SDictEntry {
    int key = 0;
    std::string text;
};

// Parses one "key=\"text\"" line; false when the line is not an entry.
bool ParseDictionaryLine(std::string_view line, SDictEntry& entry);

// Reads misc.cfg from the resource directories (see CPaths::Resource). A missing
// file leaves every dictionary empty. Replaces whatever was loaded before.
void LoadDictionaries();
// Reads the given file instead (tests, tools).
void LoadDictionariesFrom(const std::string& path);

int DictCount(int type);
int DictKeyAt(int type, int index);
std::string DictTextAt(int type, int index);
std::string DictTextForKey(int type, int key);

} // namespace murmex

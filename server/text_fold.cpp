#include "server/text_fold.h"

#include "platform/code_page.h"

#include <array>
#include <sqlite3.h>

namespace murmex {
namespace {

// Windows-1250 upper-case letter -> its lower-case letter; other bytes map to themselves.
constexpr std::array<unsigned char, 256> MakeLowerTable() {
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c)
        table[c] = static_cast<unsigned char>(c + 32);
    // Š Ś Ť Ž Ź, Ł, Ą, Ş, Ż, Ľ
    constexpr unsigned char pairs[][2] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D}, {0x8E, 0x9E},
                                          {0x8F, 0x9F}, {0xA3, 0xB3}, {0xA5, 0xB9}, {0xAA, 0xBA},
                                          {0xAF, 0xBF}, {0xBC, 0xBE}};
    for (const auto& p : pairs)
        table[p[0]] = p[1];
    // The accented capitals 0xC0-0xDE sit 0x20 below their small letters; 0xD7 is not a letter.
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            table[c] = static_cast<unsigned char>(c + 0x20);
    return table;
}

constexpr auto kLower = MakeLowerTable();

bool IsAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

void SqlFold(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int size = sqlite3_value_bytes(argv[0]);
    std::string folded =
        FoldCase(std::string_view(text ? text : "", static_cast<std::size_t>(size)));
    sqlite3_result_text(context, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

} // namespace

std::string FoldCase(std::string_view utf8) {
    if (IsAscii(utf8)) {
        std::string out(utf8);
        for (char& c : out)
            c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
        return out;
    }
    // Through the code page and back: characters it cannot hold become '?',
    // which is acceptable for matching but never stored.
    std::string local = Utf8ToWin1250(utf8);
    for (char& c : local)
        c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
    return Win1250ToUtf8(local);
}

bool RegisterFoldFunction(sqlite3* db) {
    return sqlite3_create_function(db, "murmex_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                   nullptr, SqlFold, nullptr, nullptr) == SQLITE_OK;
}

} // namespace murmex

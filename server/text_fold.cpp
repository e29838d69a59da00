#include "server/text_fold.h"

#include "platform/utf8.h"

#include <cstdint>
#include <sqlite3.h>

namespace murmex {
namespace {

// The lower-case letter of an upper-case one in the Latin ranges that hold
// the letters of Polish and its neighbours; every other code point is kept.
std::uint32_t LowerCodePoint(std::uint32_t cp) {
    if (cp >= 'A' && cp <= 'Z')
        return cp + 32;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)
        return cp + 0x20;
    if (cp >= 0x100 && cp <= 0x137)
        return cp | 1; // pairs: even capital, odd small
    if (cp >= 0x139 && cp <= 0x148)
        return (cp & 1) ? cp + 1 : cp; // odd capital, even small
    if (cp >= 0x14A && cp <= 0x177)
        return cp | 1;
    if (cp == 0x178)
        return 0xFF;
    if (cp >= 0x179 && cp <= 0x17E)
        return (cp & 1) ? cp + 1 : cp;
    return cp;
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
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::uint32_t cp = 0;
        const std::size_t start = i;
        if (ReadUtf8(utf8, i, cp) != EUtf8Read::kOk) {
            out += utf8[start]; // not UTF-8: kept as it is
            ++i;
            continue;
        }
        AppendUtf8(out, LowerCodePoint(cp));
    }
    return out;
}

bool RegisterFoldFunction(sqlite3* db) {
    return sqlite3_create_function(db, "murmex_fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                   nullptr, SqlFold, nullptr, nullptr) == SQLITE_OK;
}

} // namespace murmex

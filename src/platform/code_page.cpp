#include "platform/code_page.h"

#include "platform/utf8.h"

#include <array>
#include <cstdint>

namespace murmex {
namespace {

struct CByteMap {
    std::array<unsigned char, 256> table{};
    constexpr CByteMap(const unsigned char (*pairs)[2], int count, bool reverse) {
        for (int i = 0; i < 256; ++i)
            table[i] = static_cast<unsigned char>(i);
        for (int i = 0; i < count; ++i)
            table[pairs[i][reverse ? 1 : 0]] = pairs[i][reverse ? 0 : 1];
    }
};

// Windows-1250 code, ISO-8859-2 code. The other Polish letters share their codes.
constexpr unsigned char kDiffering[][2] = {
    {0xB9, 0xB1}, {0xA5, 0xA1}, {0x9C, 0xB6}, {0x8C, 0xA6}, {0x9F, 0xBC}, {0x8F, 0xAC},
};
constexpr CByteMap kToWire(kDiffering, 6, false);
constexpr CByteMap kFromWire(kDiffering, 6, true);

// Unicode code points of Windows-1250 bytes 0x80..0xFF (0 = undefined).
constexpr std::array<std::uint16_t, 128> kHighHalf = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

char FromCodePoint(std::uint32_t cp) {
    if (cp < 0x80)
        return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighHalf.size(); ++i)
        if (kHighHalf[i] == cp)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

void Win1250ToWire(std::string& text) {
    for (char& c : text)
        c = static_cast<char>(kToWire.table[static_cast<unsigned char>(c)]);
}

void WireToWin1250(std::string& text) {
    for (char& c : text)
        c = static_cast<char>(kFromWire.table[static_cast<unsigned char>(c)]);
}

std::string Win1250ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (char ch : text) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
            continue;
        }
        std::uint32_t cp = kHighHalf[b - 0x80];
        AppendUtf8(out, cp ? cp : 0xFFFD);
    }
    return out;
}

std::string Utf8ToWin1250(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        std::uint32_t cp = 0;
        switch (ReadUtf8(text, i, cp)) {
        case EUtf8Read::kOk:
            out += FromCodePoint(cp);
            break;
        case EUtf8Read::kMalformed:
            out += '?';
            ++i;
            break;
        case EUtf8Read::kCutShort:
            // What is left cannot be a character any more.
            out += '?';
            return out;
        }
    }
    return out;
}

} // namespace murmex

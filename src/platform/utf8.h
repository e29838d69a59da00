#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The one UTF-8 codec of the program and its server.
namespace murmex {

enum class EUtf8Read {
    kOk,
    kMalformed, // the byte at the position starts no well-formed sequence
    kCutShort,  // a sequence begins there but the text ends inside it
};

// Reads the code point whose sequence starts at text[pos]; moves pos past it
// when it is well formed, else leaves pos where it was.
EUtf8Read ReadUtf8(std::string_view text, std::size_t& pos, std::uint32_t& codePoint);

// Appends the sequence of one code point (up to U+10FFFF).
void AppendUtf8(std::string& out, std::uint32_t codePoint);

} // namespace murmex

#pragma once

#include "protocol/param_record.h"

#include <string>
#include <string_view>
#include <vector>

// Reading a request's entries and writing a response's, converting between
// the client's code page (in the record) and UTF-8 (in the database). A
// missing entry is never an error here: each command decides what it needs.
namespace murmex {

// The entry's text as UTF-8; empty when the entry is missing.
std::string ArgText(const CParamRecord& args, std::string_view name);

// An identifier or code: an optional sign and digits, nothing else. False
// when the entry is missing or holds anything else.
bool ArgInt(const CParamRecord& args, std::string_view name, int& value);

// A profile number, read as leniently as the client reads numbers; the
// fallback when the entry is missing.
int ArgIntOr(const CParamRecord& args, std::string_view name, int fallback);

// A comma-separated list; empty when missing.
std::vector<int> ArgIntList(const CParamRecord& args, std::string_view name);

// Adds a UTF-8 text to a response in the client's code page.
void ReplyText(CParamRecord& reply, std::string_view name, std::string_view utf8);

} // namespace murmex

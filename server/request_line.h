#pragma once

#include "protocol/param_record.h"

#include <string>
#include <string_view>

namespace murmex {

struct SRequest {
    int code = 0;
    CParamRecord args; // in the client's code page
};

// Reads one request line as it came off the wire, without its line end:
// the command code, then optionally a blank and a record. False when the
// line does not start with a command code.
bool ParseRequestLine(std::string_view wireLine, SRequest& request);

// The command code at the start of a line, 0 when there is none.
int PeekCommandCode(std::string_view wireLine);

// The response line in wire bytes: four digits, a blank, the record, CR LF.
std::string FormatResponse(int code, const CParamRecord& record);

} // namespace murmex

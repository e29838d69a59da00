#include "server/request_line.h"

#include "platform/code_page.h"

#include <cstdio>

namespace murmex {
namespace {

// Length of the code at the start of the line, 0 when the line does not start
// with one: 1 to 9 digits, followed by the end or a blank.
std::size_t CodeLength(std::string_view line, int& code) {
    std::size_t i = 0;
    code = 0;
    while (i < line.size() && i < 9 && line[i] >= '0' && line[i] <= '9') {
        code = code * 10 + (line[i] - '0');
        ++i;
    }
    if (i == 0 || (i < line.size() && line[i] != ' '))
        return 0;
    return i;
}

} // namespace

int PeekCommandCode(std::string_view wireLine) {
    int code = 0;
    return CodeLength(wireLine, code) ? code : 0;
}

bool ParseRequestLine(std::string_view wireLine, SRequest& request) {
    std::string line(wireLine);
    WireToWin1250(line);
    const std::size_t length = CodeLength(line, request.code);
    if (length == 0)
        return false;
    request.args.Clear();
    if (length < line.size())
        request.args.Parse(line, length);
    return true;
}

std::string FormatResponse(int code, const CParamRecord& record) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%04d ", code);
    std::string line = prefix;
    line += record.Serialize();
    line += "\r\n";
    Win1250ToWire(line);
    return line;
}

} // namespace murmex

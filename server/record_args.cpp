#include "server/record_args.h"

#include "platform/code_page.h"

#include <climits>

namespace murmex {

std::string ArgText(const CParamRecord& args, std::string_view name) {
    if (!args.Has(name))
        return {};
    return Win1250ToUtf8(args.Get(name));
}

bool ArgInt(const CParamRecord& args, std::string_view name, int& value) {
    if (!args.Has(name))
        return false;
    std::string_view text = args.Get(name);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return false;
    long long number = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        number = number * 10 + (text[i] - '0');
        if (number > INT_MAX)
            return false;
    }
    value = static_cast<int>(negative ? -number : number);
    return true;
}

int ArgIntOr(const CParamRecord& args, std::string_view name, int fallback) {
    return args.Has(name) ? CParamRecord::ToInt(args.Get(name)) : fallback;
}

std::vector<int> ArgIntList(const CParamRecord& args, std::string_view name) {
    std::vector<int> values;
    if (args.Has(name))
        args.GetIntList(name, values);
    return values;
}

void ReplyText(CParamRecord& reply, std::string_view name, std::string_view utf8) {
    reply.AddText(name, Utf8ToWin1250(utf8));
}

} // namespace murmex

#include "protocol/param_record.h"

#include <cstdio>
#include <mutex>

namespace murmex {
namespace {

const std::string kSpare;

std::mutex g_handlerMutex;
CParamRecord::MissingEntryHandler g_missingEntryHandler;

void AppendDecimal(std::string& out, int value) {
    char buf[16];
    int n = std::snprintf(buf, sizeof buf, "%d", value);
    out.append(buf, static_cast<std::size_t>(n));
}

// Writes one value in its quoted form (without the quotes).
void EncodeValue(std::string& out, std::string_view value) {
    const bool encodeBreaks =
        value.find('\n') != std::string_view::npos || value.find('~') != std::string_view::npos;
    const std::size_t start = out.size();
    for (char c : value) {
        if (encodeBreaks && c == '\r')
            continue;
        if (encodeBreaks && c == '\n') {
            // "\~" would read back as a tilde: drop backslashes before a break.
            while (out.size() > start && out.back() == '\\')
                out.pop_back();
            out += '~';
        } else if (encodeBreaks && c == '~') {
            out += "\\~";
        } else if (c == '"') {
            out += "\\\"";
        } else {
            out += c;
        }
    }
    // A trailing backslash would escape the closing quote.
    while (out.size() > start && out.back() == '\\')
        out.pop_back();
}

} // namespace

void CParamRecord::AddText(std::string_view name, std::string_view value) {
    m_entries.emplace_back(std::string(name), std::string(value));
}

void CParamRecord::AddInt(std::string_view name, int value) {
    std::string text;
    AppendDecimal(text, value);
    m_entries.emplace_back(std::string(name), std::move(text));
}

void CParamRecord::AddIntList(std::string_view name, const std::vector<int>& values) {
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i)
            text += ',';
        AppendDecimal(text, values[i]);
    }
    m_entries.emplace_back(std::string(name), std::move(text));
}

bool CParamRecord::Has(std::string_view name) const {
    for (const auto& e : m_entries)
        if (e.first == name)
            return true;
    return false;
}

const std::string& CParamRecord::Get(std::string_view name) const {
    for (const auto& e : m_entries)
        if (e.first == name)
            return e.second;
    ReportMissingEntry(name);
    return kSpare;
}

int CParamRecord::GetInt(std::string_view name) const { return ToInt(Get(name)); }

void CParamRecord::GetIntList(std::string_view name, std::vector<int>& values) const {
    if (!Has(name)) {
        ReportMissingEntry(name);
        return;
    }
    std::string_view rest = Get(name);
    for (;;) {
        auto comma = rest.find(',');
        if (comma == std::string_view::npos)
            break;
        values.push_back(ToInt(rest.substr(0, comma)));
        rest.remove_prefix(comma + 1);
    }
    if (!rest.empty())
        values.push_back(ToInt(rest));
}

int CParamRecord::ToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        // Saturate far out of range instead of overflowing; the int cast below wraps like atoi.
        if (value < (1LL << 40))
            value = value * 10 + (text[i] - '0');
    }
    if (negative)
        value = -value;
    return static_cast<int>(static_cast<unsigned long long>(value));
}

std::string CParamRecord::Serialize() const {
    std::string out;
    for (const auto& [name, value] : m_entries) {
        out += name;
        out += "=\"";
        EncodeValue(out, value);
        out += "\" ";
    }
    return out;
}

void CParamRecord::Parse(std::string_view text, std::size_t start) {
    enum class EState { Between, Name, BeforeValue, Value };
    EState state = start == 0 ? EState::Name : EState::Between;
    std::string name;
    std::string value;

    // The text ends at its first NUL, as a C string would.
    const std::size_t end = std::min(text.size(), text.find('\0'));
    auto cut = [](std::string& field) {
        if (field.size() > kMaxField)
            field.resize(kMaxField);
    };

    for (std::size_t i = start; i < end; ++i) {
        const char c = text[i];
        const bool afterBackslash = i > 0 && text[i - 1] == '\\';
        switch (state) {
        case EState::Between:
            // Skip this byte; a non-blank after it starts the next name.
            if (i + 1 < end && text[i + 1] != ' ') {
                name.clear();
                value.clear();
                state = EState::Name;
            }
            break;
        case EState::Name: {
            // Copy the run up to the name's end in one go.
            std::size_t stop = i;
            while (stop < end && text[stop] != ' ' && text[stop] != '=')
                ++stop;
            name.append(text.data() + i, stop - i);
            i = stop;
            if (i < end)
                state = EState::BeforeValue;
            break;
        }
        case EState::BeforeValue:
            if (c == '"')
                state = EState::Value;
            break;
        case EState::Value:
            if (c != '"' && c != '~') {
                // Plain bytes up to the next quote or tilde are copied as a run.
                std::size_t stop = i;
                while (stop < end && text[stop] != '"' && text[stop] != '~')
                    ++stop;
                value.append(text.data() + i, stop - i);
                i = stop - 1;
            } else if (c == '"' && afterBackslash && !value.empty() && value.back() == '\\') {
                value.back() = '"';
            } else if (c == '"') {
                cut(name);
                cut(value);
                m_entries.emplace_back(std::move(name), std::move(value));
                name.clear();
                value.clear();
                state = EState::Between;
            } else if (afterBackslash && !value.empty() && value.back() == '\\') {
                value.back() = '~';
            } else {
                value += "\r\n";
            }
            break;
        }
    }
}

void CParamRecord::SetMissingEntryHandler(MissingEntryHandler handler) {
    std::lock_guard lock(g_handlerMutex);
    g_missingEntryHandler = std::move(handler);
}

void CParamRecord::ReportMissingEntry(std::string_view name) {
    std::string message = "Severe internal error: server didn't return expected value ";
    message += name;
    MissingEntryHandler handler;
    {
        std::lock_guard lock(g_handlerMutex);
        handler = g_missingEntryHandler;
    }
    if (handler)
        handler(message);
    else
        std::fprintf(stderr, "murmex: %s\n", message.c_str());
}

} // namespace murmex

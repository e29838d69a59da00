#include "counter/counter_format.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <locale.h>

namespace murmex {

namespace {

// Switches the calling thread to the "C" locale for one scope.
class CCLocaleScope {
public:
    CCLocaleScope() {
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
        if (cLocale != locale_t(0))
            m_previous = uselocale(cLocale);
    }
    ~CCLocaleScope() {
        if (m_previous != locale_t(0))
            uselocale(m_previous);
    }
    CCLocaleScope(const CCLocaleScope&) = delete;
    CCLocaleScope& operator=(const CCLocaleScope&) = delete;

private:
    locale_t m_previous = locale_t(0);
};

} // namespace

std::string FormatC(const char* format, ...) {
    CCLocaleScope scope;
    char buf[256];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    if (n < 0)
        return {};
    if (static_cast<std::size_t>(n) < sizeof buf)
        return std::string(buf, static_cast<std::size_t>(n));
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    va_start(args, format);
    std::vsnprintf(out.data(), out.size(), format, args);
    va_end(args);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

std::string FormatLocalTime(const char* format, std::int64_t time) {
    std::time_t t = static_cast<std::time_t>(time);
    std::tm tm{};
    if (!localtime_r(&t, &tm))
        return {};
    CCLocaleScope scope;
    char buf[128];
    std::size_t n = std::strftime(buf, sizeof buf, format, &tm);
    return std::string(buf, n);
}

std::string FormatSpan(std::int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    int hours = static_cast<int>((seconds / 3600) % 24);
    int minutes = static_cast<int>((seconds / 60) % 60);
    int secs = static_cast<int>(seconds % 60);
    return FormatC("%02d:%02d:%02d", hours, minutes, secs);
}

std::string FormatMoney(double zloty) {
    return FormatC("%.2f zł", zloty);
}

std::int64_t LeadingInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        int digit = text[i] - '0';
        if (value > (INT64_MAX - digit) / 10)
            return negative ? INT64_MIN : INT64_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

int LeadingInt32(std::string_view text) {
    std::int64_t v = LeadingInt(text);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

double LeadingDouble(std::string_view text) {
    std::string copy(text);
    CCLocaleScope scope;
    double v = std::strtod(copy.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

} // namespace murmex

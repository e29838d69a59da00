#include "counter/local_time.h"

namespace murmex {

bool LocalTm(std::int64_t time, std::tm& out) {
    std::time_t t = static_cast<std::time_t>(time);
    return localtime_r(&t, &out) != nullptr;
}

std::int64_t MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&tm));
}

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && year % 4 == 0 && (year % 100 != 0 || year % 400 == 0))
        return 29;
    return days[month - 1];
}

CPeriod MonthPeriod(int year, int month) {
    CPeriod p;
    p.start = MakeLocalTime(year, month, 1, 0, 0, 0);
    p.end = MakeLocalTime(year, month, DaysInMonth(year, month), 23, 59, 59);
    return p;
}

CPeriod MonthPeriodOf(std::int64_t time) {
    std::tm tm{};
    if (!LocalTm(time, tm))
        return {};
    return MonthPeriod(tm.tm_year + 1900, tm.tm_mon + 1);
}

std::int64_t HolidayTime(int day, int month) {
    return MakeLocalTime(2000, month, day, 0, 0, 0);
}

} // namespace murmex

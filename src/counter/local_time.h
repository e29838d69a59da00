#pragma once

#include <cstdint>
#include <ctime>

// Calendar arithmetic in local time through the C library (the TZ environment
// decides the zone), as the counter's days, months and holidays are local.
namespace murmex {

// The broken-down local time of a time value; false when it cannot be represented.
bool LocalTm(std::int64_t time, std::tm& out);

// The time value of a local date and time (month 1-12); out-of-range fields roll
// over as mktime does (31 February is 2 or 3 March).
std::int64_t MakeLocalTime(int year, int month, int day, int hour, int minute, int second);

// Days of a month (1-12) by the Gregorian rule.
int DaysInMonth(int year, int month);

// A whole month: start = day 1 00:00:00, end = its last day 23:59:59.
struct CPeriod {
    std::int64_t start = 0;
    std::int64_t end = 0;
};
CPeriod MonthPeriod(int year, int month);
// The month that holds the given time.
CPeriod MonthPeriodOf(std::int64_t time);

// A holiday is stored as local midnight of its day in the year 2000; only the day
// and the month are ever used, so it recurs every year.
std::int64_t HolidayTime(int day, int month);

} // namespace murmex

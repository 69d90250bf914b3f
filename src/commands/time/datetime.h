// Dates and times as the language counts them: days since 1899-12-30, the
// time of day as the fraction.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace yura {

// Reads "yyyy/mm/dd", "yyyy-mm-dd" or "yyyy.mm.dd" (also with one-digit month
// and day, and with full-width digits), each optionally followed by a time
// "hh:nn" or "hh:nn:ss", or a time alone (on day 0). Nothing when the text is
// no such date or names an impossible one.
std::optional<double> ParseDateTime(std::string_view text);

// Days since 1899-12-30 of a calendar date (proleptic Gregorian), and back.
long long DaysFromCivil(int year, int month, int day);
struct TCivilDate {
  int Year = 0, Month = 0, Day = 0;
};
TCivilDate CivilFromDays(long long days);

// The date part of a date-time value (the day it falls on) and the seconds
// into that day, rounded to the nearest second.
long long DayOf(double dateTime);
long long SecondsOf(double dateTime);

// "yyyy/mm/dd" and "hh:nn:ss".
std::string DateText(const TCivilDate& date);
std::string TimeText(long long secondsOfDay);

// A month added as a calendar does it: a day past the end of the new month
// becomes its last day.
TCivilDate AddMonths(const TCivilDate& date, long long months);

// 0 for Sunday .. 6 for Saturday.
int WeekdayOf(long long days);

}  // namespace yura

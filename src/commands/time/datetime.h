// Dates and times as the language counts them: days since 1899-12-30, the
// time of day as the fraction.
#pragma once

#include <optional>
#include <string_view>

namespace yura {

// Reads "yyyy/mm/dd", "yyyy-mm-dd" or "yyyy.mm.dd" (also with one-digit month
// and day, and with full-width digits), each optionally followed by a time
// "hh:nn" or "hh:nn:ss", or a time alone (on day 0). Nothing when the text is
// no such date or names an impossible one.
std::optional<double> ParseDateTime(std::string_view text);

// Days since 1899-12-30 of a calendar date (proleptic Gregorian).
long long DaysFromCivil(int year, int month, int day);

}  // namespace yura

#include "commands/time/datetime.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "source/textlines.h"
#include "textutil/widthcase.h"

namespace yura {
namespace {

class TDateReader {
 public:
  explicit TDateReader(std::string_view text) : s_(text) {}

  bool AtEnd() const { return i_ >= s_.size(); }
  char Peek() const { return AtEnd() ? '\0' : s_[i_]; }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++i_;
    return true;
  }
  // Up to `maximum` digits, at least one.
  std::optional<int> Number(std::size_t maximum) {
    int value = 0;
    std::size_t count = 0;
    while (count < maximum && Peek() >= '0' && Peek() <= '9') {
      value = value * 10 + (s_[i_++] - '0');
      ++count;
    }
    if (count == 0) return std::nullopt;
    return value;
  }
  void SkipBlanks() {
    while (Peek() == ' ' || Peek() == '\t') ++i_;
  }
  std::size_t Position() const { return i_; }
  void Rewind(std::size_t position) { i_ = position; }

 private:
  std::string_view s_;
  std::size_t i_ = 0;
};

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<double> ReadDate(TDateReader& reader) {
  const auto year = reader.Number(4);
  const char separator = reader.Peek();
  if (!year || (separator != '/' && separator != '-' && separator != '.')) return std::nullopt;
  reader.Take(separator);
  const auto month = reader.Number(2);
  if (!month || !reader.Take(separator)) return std::nullopt;
  const auto day = reader.Number(2);
  if (!day || *year < 1 || *month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month))
    return std::nullopt;
  return static_cast<double>(DaysFromCivil(*year, *month, *day));
}

std::optional<double> ReadTime(TDateReader& reader) {
  const auto hour = reader.Number(2);
  if (!hour || !reader.Take(':')) return std::nullopt;
  const auto minute = reader.Number(2);
  if (!minute) return std::nullopt;
  int second = 0;
  if (reader.Take(':')) {
    const auto value = reader.Number(2);
    if (!value) return std::nullopt;
    second = *value;
  }
  if (*hour > 23 || *minute > 59 || second > 59) return std::nullopt;
  return (*hour * 3600.0 + *minute * 60.0 + second) / 86400.0;
}

// At least `width` digits.
std::string Padded(long long value, std::size_t width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

}  // namespace

long long DaysFromCivil(int year, int month, int day) {
  // Days from 1970-01-01 by the civil calendar, then moved to 1899-12-30.
  const long long y = year - (month <= 2 ? 1 : 0);
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yearOfEra = y - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const long long unixDays = era * 146097 + dayOfEra - 719468;
  return unixDays + 25569;
}

TCivilDate CivilFromDays(long long days) {
  const long long z = days - 25569 + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long dayOfEra = z - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long monthIndex = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

long long DayOf(double dateTime) { return static_cast<long long>(std::floor(dateTime)); }

long long SecondsOf(double dateTime) {
  return static_cast<long long>(std::llround((dateTime - std::floor(dateTime)) * 86400.0));
}

std::string DateText(const TCivilDate& date) {
  return Padded(date.Year, 4) + "/" + Padded(date.Month, 2) + "/" + Padded(date.Day, 2);
}

std::string TimeText(long long secondsOfDay) {
  return Padded(secondsOfDay / 3600, 2) + ":" + Padded(secondsOfDay / 60 % 60, 2) + ":" + Padded(secondsOfDay % 60, 2);
}

TCivilDate AddMonths(const TCivilDate& date, long long months) {
  const long long index = static_cast<long long>(date.Year) * 12 + (date.Month - 1) + months;
  TCivilDate moved;
  moved.Year = static_cast<int>(index >= 0 ? index / 12 : (index - 11) / 12);
  moved.Month = static_cast<int>(index - static_cast<long long>(moved.Year) * 12 + 1);
  moved.Day = std::min(date.Day, DaysInMonth(moved.Year, moved.Month));
  return moved;
}

int WeekdayOf(long long days) {
  // Day 0, 1899-12-30, was a Saturday.
  return static_cast<int>(((days + 6) % 7 + 7) % 7);
}

std::optional<double> ParseDateTime(std::string_view text) {
  const std::string halfWidth = MapHalfWidth(Trim(text));
  TDateReader reader(halfWidth);
  double value = 0;
  if (const auto date = ReadDate(reader)) {
    value = *date;
    reader.SkipBlanks();
    if (reader.AtEnd()) return value;
  } else {
    reader.Rewind(0);
  }
  const auto time = ReadTime(reader);
  reader.SkipBlanks();
  if (!time || !reader.AtEnd()) return std::nullopt;
  return value + *time;
}

}  // namespace yura

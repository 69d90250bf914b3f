#include "commands/time/era.h"

namespace yura {
namespace {

struct TEra {
  const char* Name;
  int FirstYear;  // the year before the era's first year
  int StartYear, StartMonth, StartDay;
};

// Eras by the year they begin in; 令和 begins on 1 May 2019.
constexpr TEra kEras[] = {
    {"令和", 2018, 2019, 5, 1},
    {"平成", 1988, 1989, 1, 1},
    {"昭和", 1925, 1926, 1, 1},
    {"大正", 1911, 1912, 1, 1},
    {"明治", 1868, 1869, 1, 1},
};

bool OnOrAfter(int year, int month, int day, const TEra& era) {
  if (year != era.StartYear) return year > era.StartYear;
  if (month != era.StartMonth) return month > era.StartMonth;
  return day >= era.StartDay;
}

}  // namespace

std::string EraDate(int year, int month, int day) {
  for (const TEra& era : kEras) {
    if (!OnOrAfter(year, month, day, era)) continue;
    const int number = year - era.FirstYear;
    std::string text = era.Name;
    text += number == 1 ? std::string("元年") : std::to_string(number) + "年";
    text += std::to_string(month) + "月" + std::to_string(day) + "日";
    return text;
  }
  return {};
}

}  // namespace yura

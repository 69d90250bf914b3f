// Dates and times: 今, 今日, 曜日, 曜日を数値で得る, 日付加算, 時間加算, 日数差, 秒差,
// 和暦に変換, システム時間 and 待つ.
#include <cmath>

#include "commands/math/checked.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/time/datetime.h"
#include "commands/time/era.h"
#include "core/format.h"
#include "engine/engine.h"
#include "platform/clock.h"
#include "source/textlines.h"
#include "textutil/widthcase.h"

namespace yura {
namespace {

constexpr std::string_view kWeekdays[] = {"日", "月", "火", "水", "木", "金", "土"};
constexpr std::string_view kMsgNoDate = "\"%s\"命令の引数に誤りがあります。：年月日の取得に失敗";
constexpr std::string_view kMsgBadDateTime = "日時の指定が不正です。";
constexpr std::string_view kMsgNotDate = "日付に変換出来ません。";
constexpr std::string_view kMsgInvalidDate = "'%s' is not a valid date";
constexpr std::string_view kMsgInvalidTime = "'%s' is not a valid time";
constexpr std::uint32_t kWaitSlice = 100;

void Now(TEngine& engine, THashNode&) {
  const TLocalTime now = LocalNow();
  engine.SetSore(TimeText(now.Hour * 3600LL + now.Minute * 60LL + now.Second), kTagString);
}

void Today(TEngine& engine, THashNode&) {
  const TLocalTime now = LocalNow();
  engine.SetSore(DateText({now.Year, now.Month, now.Day}), kTagString);
}

// The weekday of a date value; the error names the value.
int PopWeekday(TEngine& engine) {
  const std::string value = engine.PopValue();
  const std::optional<double> date = ParseDateTime(value);
  if (!date) engine.Raise(kMsgNoDate, {value});
  return WeekdayOf(DayOf(*date));
}

void Weekday(TEngine& engine, THashNode&) {
  engine.SetSore(std::string(kWeekdays[PopWeekday(engine)]), kTagString);
}

void WeekdayNumber(TEngine& engine, THashNode&) {
  engine.SetSore(std::to_string(PopWeekday(engine) + 1), kTagNumber);
}

// A difference "a/b/c" (or "a:b:c"): a leading sign, then the parts, each an
// integer taken modulo 65536 (0 when it is none).
struct TDifference {
  bool Negative = false;
  long long Parts[3] = {0, 0, 0};
};

TDifference ParseDifference(std::string_view text, char separator) {
  TDifference difference;
  std::string rest = MapHalfWidth(Trim(text));
  if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
    difference.Negative = rest[0] == '-';
    rest.erase(0, 1);
  }
  std::size_t start = 0;
  for (long long& part : difference.Parts) {
    if (start > rest.size()) break;
    const std::size_t end = std::min(rest.find(separator, start), rest.size());
    const std::optional<std::int64_t> value = ParseInteger(std::string_view(rest).substr(start, end - start));
    part = value ? ((*value % 65536) + 65536) % 65536 : 0;
    start = end + 1;
  }
  return difference;
}

// 日付加算 (303): years, then months, then days.
void AddToDate(TEngine& engine, THashNode&) {
  const TDifference difference = ParseDifference(engine.PopValue(), '/');
  const std::string value(Trim(engine.PopValue()));
  const std::optional<double> date = ParseDateTime(value);
  if (!date) throw EPlainError(FormatMessage(kMsgInvalidDate, {value}));
  const long long sign = difference.Negative ? -1 : 1;
  TCivilDate moved = AddMonths(CivilFromDays(DayOf(*date)), sign * (difference.Parts[0] * 12 + difference.Parts[1]));
  const long long day = DaysFromCivil(moved.Year, moved.Month, moved.Day) + sign * difference.Parts[2];
  engine.SetSore(DateText(CivilFromDays(day)), kTagString);
}

// 時間加算 (302): the time of day after the move, wrapping round midnight
// either way.
void AddToTime(TEngine& engine, THashNode&) {
  const TDifference difference = ParseDifference(engine.PopValue(), ':');
  const std::string value(Trim(engine.PopValue()));
  const std::optional<double> time = ParseDateTime(value);
  if (!time) throw EPlainError(FormatMessage(kMsgInvalidTime, {value}));
  const long long sign = difference.Negative ? -1 : 1;
  const long long moved = SecondsOf(*time) +
                          sign * (difference.Parts[0] * 3600 + difference.Parts[1] * 60 + difference.Parts[2]);
  engine.SetSore(TimeText(((moved % 86400) + 86400) % 86400), kTagString);
}

std::pair<double, double> PopDatePair(TEngine& engine) {
  const std::optional<double> b = ParseDateTime(engine.PopValue());
  const std::optional<double> a = ParseDateTime(engine.PopValue());
  if (!a || !b) engine.Raise(kMsgBadDateTime);
  return {*a, *b};
}

// 日数差 (304): A - B in whole days, toward zero.
void DayDifference(TEngine& engine, THashNode&) {
  const auto [a, b] = PopDatePair(engine);
  engine.SetSore(std::to_string(CheckedInt32(std::trunc(static_cast<TNumber>(a) - b))), kTagNumber);
}

// 秒差 (305): A - B in seconds, halves to even; outside 32 bits the range error.
void SecondDifference(TEngine& engine, THashNode&) {
  const auto [a, b] = PopDatePair(engine);
  const TNumber seconds = std::nearbyint((static_cast<TNumber>(a) - b) * 86400.0L);
  engine.SetSore(std::to_string(CheckedInt32(seconds)), kTagNumber);
}

// 和暦に変換 (389).
void ToEra(TEngine& engine, THashNode& entry) {
  const std::optional<double> date = ParseDateTime(engine.PopValue());
  if (!date) RaiseArgumentError(engine, entry, kMsgNotDate);
  const TCivilDate civil = CivilFromDays(DayOf(*date));
  engine.SetSore(EraDate(civil.Year, civil.Month, civil.Day), kTagString);
}

void SystemTime(TEngine& engine, THashNode&) {
  engine.SetSore(std::to_string(static_cast<std::uint32_t>(MillisecondsSinceBoot())), kTagNumber);
}

// 待つ (21): windows stay responsive; a stop request ends the wait.
void Wait(TEngine& engine, THashNode&) {
  const TNumber seconds = engine.PopNumber();
  const TNumber milliseconds = std::trunc(seconds * 1000);
  if (!(milliseconds < 9.2e18L)) RaiseRangeError();
  const std::uint64_t start = MonotonicMilliseconds();
  const std::uint64_t end = milliseconds > 0 ? start + static_cast<std::uint64_t>(milliseconds) : start;
  TYuraBase& state = engine.State();
  engine.Host().ProcessEvents();
  for (std::uint64_t now = MonotonicMilliseconds(); now < end && !state.StopRequested; now = MonotonicMilliseconds()) {
    SleepMilliseconds(static_cast<std::uint32_t>(std::min<std::uint64_t>(kWaitSlice, end - now)));
    engine.Host().ProcessEvents();
  }
}

}  // namespace

void RegisterDateHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(34, Now);
  dispatcher.Register(35, Today);
  dispatcher.Register(142, Weekday);
  dispatcher.Register(376, WeekdayNumber);
  dispatcher.Register(303, AddToDate);
  dispatcher.Register(302, AddToTime);
  dispatcher.Register(304, DayDifference);
  dispatcher.Register(305, SecondDifference);
  dispatcher.Register(389, ToEra);
  dispatcher.Register(377, SystemTime);
  dispatcher.Register(21, Wait);
}

}  // namespace yura

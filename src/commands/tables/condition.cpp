#include "commands/tables/condition.h"

#include <optional>
#include <string>

#include "commands/strings/sjistext.h"
#include "commands/time/datetime.h"
#include "core/errors.h"
#include "core/format.h"
#include "engine/numbers.h"
#include "source/halfwidth.h"
#include "source/scanner.h"
#include "source/sjis.h"
#include "source/textlines.h"
#include "textutil/wildcard.h"

namespace yura {
namespace {

constexpr std::string_view kMsgParseError = "CSVデータベースの解析エラー。";
constexpr std::string_view kMsgBadOperator = "演算子の指定エラー。";
constexpr std::string_view kMsgNoField = "フィールド名\"%s\"が見つかりません。";

// A fault inside the condition; reported with the parse-error prefix.
struct EConditionError {
  std::string Message;
};

using TFlags = std::vector<bool>;

enum class TOperator { Equal, NotEqual, Greater, GreaterOrEqual, Less, LessOrEqual };

TOperator OperatorOf(std::string_view text) {
  if (text == "=") return TOperator::Equal;
  if (text == "<>" || text == "><") return TOperator::NotEqual;
  if (text == ">") return TOperator::Greater;
  if (text == ">=" || text == "=>") return TOperator::GreaterOrEqual;
  if (text == "<") return TOperator::Less;
  if (text == "<=" || text == "=<") return TOperator::LessOrEqual;
  throw EConditionError{std::string(kMsgBadOperator)};
}

template <typename T>
bool Holds(TOperator op, const T& left, const T& right) {
  switch (op) {
    case TOperator::Equal: return left == right;
    case TOperator::NotEqual: return left != right;
    case TOperator::Greater: return left > right;
    case TOperator::GreaterOrEqual: return left >= right;
    case TOperator::Less: return left < right;
    case TOperator::LessOrEqual: return left <= right;
  }
  return false;
}

bool IsOperatorChar(char c) { return c == '<' || c == '=' || c == '>'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

class TConditionEvaluator {
 public:
  explicit TConditionEvaluator(const TCsvTable& table) : table_(table) {}

  TFlags Evaluate(std::string_view text) {
    TFlags result(table_.RowCount(), false);
    std::size_t i = 0;
    for (;;) {
      while (i < text.size() && IsBlank(text[i])) ++i;
      if (i >= text.size()) break;
      const std::string_view rest = text.substr(i);
      if (rest[0] == '(') {
        const std::size_t close = MatchingParenthesis(text, i);
        Combine(result, Evaluate(text.substr(i + 1, close - i - 1)), false);
        i = close + 1;
      } else if (rest.starts_with("AND ") || rest.starts_with("and ")) {
        Combine(result, Evaluate(rest.substr(4)), true);
        break;
      } else if (rest.starts_with("OR ") || rest.starts_with("or ")) {
        Combine(result, Evaluate(rest.substr(3)), false);
        break;
      } else {
        i += Comparison(rest, result);
      }
    }
    return result;
  }

 private:
  static void Combine(TFlags& result, const TFlags& other, bool both) {
    for (std::size_t r = 0; r < result.size(); ++r) result[r] = both ? (result[r] && other[r]) : (result[r] || other[r]);
  }

  // The ")" that closes the "(" at `open`, strings and escapes skipped.
  static std::size_t MatchingParenthesis(std::string_view text, std::size_t open) {
    int depth = 0;
    char quote = '\0';
    for (std::size_t i = open; i < text.size(); i += CharLengthAt(text, i)) {
      const char c = text[i];
      if (c == '\\' && i + 1 < text.size()) {
        ++i;
        continue;
      }
      if (quote != '\0') {
        if (c == quote) quote = '\0';
      } else if (c == '"' || c == '`') {
        quote = c;
      } else if (c == '(') {
        ++depth;
      } else if (c == ')' && --depth == 0) {
        return i;
      }
    }
    throw EConditionError{std::string(kMsgParenthesisUnclosed)};
  }

  // Reads one comparison at the start of `text`, ORs its flags into the
  // result and returns the bytes read.
  std::size_t Comparison(std::string_view text, TFlags& result) {
    std::size_t i = 0;
    while (i < text.size() && !IsOperatorChar(text[i])) i += CharLengthAt(text, i);
    const std::string field(Trim(text.substr(0, i)));
    const std::size_t operatorStart = i;
    while (i < text.size() && IsOperatorChar(text[i])) ++i;
    const TOperator op = OperatorOf(text.substr(operatorStart, i - operatorStart));
    const std::size_t valueStart = i;
    while (i < text.size() && !IsBlank(text[i]) && text[i] != '\r' && text[i] != '\n') i += CharLengthAt(text, i);
    const std::string value(Trim(text.substr(valueStart, i - valueStart)));
    Compare(FieldColumn(field), op, value, result);
    return i;
  }

  std::size_t FieldColumn(const std::string& name) const {
    const TCsvCells& names = table_.Row(0);
    for (std::size_t c = 0; c < names.size(); ++c)
      if (names[c] == name) return c;
    throw EConditionError{FormatMessage(kMsgNoField, {name})};
  }

  void Compare(std::size_t column, TOperator op, const std::string& value, TFlags& result) const {
    if (!value.empty() && (value[0] == '"' || value[0] == '`')) {
      const std::string text = value.size() >= 2 ? value.substr(1, value.size() - 2) : std::string();
      for (std::size_t r = 1; r < result.size(); ++r) {
        const std::string& cell = table_.Cell(column, r);
        bool holds = false;
        if (op == TOperator::Equal || op == TOperator::NotEqual)
          holds = WildcardMatch(cell, text) == (op == TOperator::Equal);
        else
          holds = Holds(op, cell.compare(text), 0);
        if (holds) result[r] = true;
      }
      return;
    }
    if (!value.empty() && value[0] == '#') {
      const std::optional<double> date = ParseDateTime(value.substr(1));
      if (!date) return;
      for (std::size_t r = 1; r < result.size(); ++r) {
        const std::optional<double> cell = ParseDateTime(table_.Cell(column, r));
        if (cell && Holds(op, *cell, *date)) result[r] = true;
      }
      return;
    }
    const TNumber number = ToNumber(value);
    for (std::size_t r = 1; r < result.size(); ++r)
      if (Holds(op, ToNumber(table_.Cell(column, r)), number)) result[r] = true;
  }

  const TCsvTable& table_;
};

// Full-width forms made half-width, commas made spaces, the Japanese joiners
// made AND and OR.
std::string PrepareCondition(std::string_view condition) {
  std::string text = ToHalfWidth(condition);
  for (char& c : text)
    if (c == ',') c = ' ';
  text = ReplaceAllChars(text, "または ", "OR ");
  return ReplaceAllChars(text, "かつ ", "AND ");
}

}  // namespace

std::vector<bool> SelectRows(const TCsvTable& table, std::string_view condition) {
  try {
    std::vector<bool> flags = TConditionEvaluator(table).Evaluate(PrepareCondition(condition));
    if (!flags.empty()) flags[0] = true;
    return flags;
  } catch (const EConditionError& error) {
    throw EPlainError(std::string(kMsgParseError) + error.Message);
  } catch (const EWildcardError& error) {
    throw EPlainError(std::string(kMsgParseError) + error.what());
  }
}

}  // namespace yura

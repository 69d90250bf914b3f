#include "engine/calculator.h"

#include <cmath>

#include "commands/gui/properties.h"
#include "commands/registry/dispatch.h"
#include "commands/tables/csv.h"
#include "core/errors.h"
#include "core/format.h"
#include "core/platform_errors.h"
#include "engine/assign.h"
#include "engine/dll.h"
#include "engine/engine.h"
#include "engine/executor.h"
#include "engine/heldcells.h"
#include "engine/invoke.h"
#include "source/halfwidth.h"
#include "source/scanner.h"
#include "source/sjis.h"

namespace yura {
namespace {

constexpr std::string_view kMsgFormula = "計算式に誤りがあります。";
constexpr std::string_view kMsgBadResult = "計算結果が不正";
constexpr std::string_view kMsgOperatorPosition = "演算子「%s」の位置が不正。";
constexpr std::string_view kMsgUnclosedString = "\"文字列\"%s\"の最後に」がありません。\"";
constexpr std::string_view kMsgNoHashTable = "作成されていないハッシュ\"%s\"が、見つかりました。メモリが足りないか、バグの可能性があります。";
constexpr std::string_view kMsgNoDirectValue = "オブジェクト\"%s\"から、直接値を得ることは出来ません。";

// A cursor over a text that outlives the evaluation; no ownership is shared.
TCursor Borrow(const std::string& text) { return TCursor(TText(TText(), &text), 0); }

// "-" before a value: a negative value is negated, not doubly signed.
std::string Negate(std::string value) {
  if (!value.empty() && value[0] == '-') return value.substr(1);
  if (!value.empty() && value[0] == '+') value.erase(0, 1);
  return "-" + value;
}

// A formula error before it is wrapped with the formula's text.
struct EFormulaError {
  std::string Message;
};

// A value inside a formula. A computed number is written as text only when
// something reads it as text (a join, a string comparison).
struct TOperand {
  TNumber Number = 0;
  bool IsNumber = false;

  static TOperand Read(std::string text, TNumber number, bool isNumber) {
    TOperand operand;
    operand.text_ = std::move(text);
    operand.Number = number;
    operand.IsNumber = isNumber;
    operand.hasText_ = true;
    return operand;
  }
  static TOperand Computed(TNumber value) {
    TOperand operand;
    operand.Number = value;
    operand.IsNumber = true;
    return operand;
  }
  const std::string& Text() const {
    if (!hasText_) {
      text_ = NumberText(Number);
      hasText_ = true;
    }
    return text_;
  }
  void Join(const TOperand& right) {
    Text();
    text_ += right.Text();
    Number = ToNumber(text_);
    IsNumber = false;
  }

 private:
  mutable std::string text_;
  mutable bool hasText_ = false;
};

// Recursive descent over the levels && || < comparisons < + - & < * / % ^.
class TFormula {
 public:
  // A nested formula ends at its closing parenthesis.
  TFormula(TEngine& engine, TCursor& cursor, bool nested) : engine_(engine), cursor_(cursor), nested_(nested) {}

  TOperand Parse() {
    Next();
    TOperand result = Logical();
    if (kind_ == kStart || kind_ == kOperator) throw EFormulaError{std::string(kMsgBadResult)};
    return result;
  }

 private:
  enum TKind { kString = 0, kNumber = 1, kStart = 2, kOperator = 3 };

  bool IsOperator(std::string_view op) const { return kind_ == kOperator && text_ == op; }

  // Reads the next token. At the end of the text the token stays as it was.
  void Next() {
    for (;;) {
      SkipBlanks(cursor_);
      if (cursor_.Peek() != '\r' && cursor_.Peek() != '\n') break;
      engine_.Executor().SkipLineEnd(cursor_);
    }
    const unsigned char c = cursor_.Peek();
    if (c == 0 || (nested_ && c == ')')) return;
    if (c == '(') {
      text_ = engine_.Calc().CalculateParenthesized(cursor_);
      kind_ = engine_.LastType() == kTagString ? kString : kNumber;
      return;
    }
    if (kOperatorChars.Has(c)) {
      const TKind previous = kind_;
      text_.assign(1, static_cast<char>(c));
      ++cursor_.Pos;
      if (kPairingOperatorChars.Has(c) && kPairingOperatorChars.Has(cursor_.Peek())) text_ += static_cast<char>(cursor_.Peek()), ++cursor_.Pos;
      kind_ = kOperator;
      if (previous == kOperator || previous == kStart) {
        if (text_ == "-") {
          text_ = Negate(engine_.Calc().EvalTerm(cursor_));
          kind_ = kNumber;
        } else if (text_ == "+" && (cursor_.Peek() == '$' || IsDigit(cursor_.Peek()))) {
          text_ = engine_.Calc().EvalTerm(cursor_);
          kind_ = kNumber;
        }
      }
      return;
    }
    text_ = engine_.Calc().EvalTerm(cursor_);
    kind_ = engine_.LastType() == kTagNumber ? kNumber : kString;
  }

  TOperand Term() {
    if (kind_ == kOperator) throw EFormulaError{FormatMessage(kMsgOperatorPosition, {text_})};
    TOperand operand = TOperand::Read(text_, ToNumber(text_), kind_ == kNumber);
    Next();
    return operand;
  }

  TOperand Product() {
    TOperand left = Term();
    while (IsOperator("*") || IsOperator("/") || IsOperator("%") || IsOperator("^")) {
      const char op = text_[0];
      Next();
      const TOperand right = Term();
      TNumber value = 0;
      switch (op) {
        case '*':
          value = left.Number * right.Number;
          break;
        case '/':
          value = right.Number == 0 ? 0 : left.Number / right.Number;
          break;
        case '%':
          value = Remainder(left.Number, right.Number);
          break;
        default:
          value = right.Number == 0 ? 1 : std::pow(left.Number, right.Number);
          break;
      }
      left = TOperand::Computed(value);
    }
    return left;
  }

  // The remainder of the two numbers truncated to 64-bit integers, with the
  // sign of the dividend; a divisor of 0 gives 0, one that only truncates to 0
  // or a value out of range is a range error.
  TNumber Remainder(TNumber dividend, TNumber divisor) {
    if (divisor == 0) return 0;
    const auto a = TruncateToInt64(dividend), b = TruncateToInt64(divisor);
    if (!a || !b || *b == 0) throw EPlainError(std::string(kMsgRangeCheck));
    if (*b == -1) return 0;
    return static_cast<TNumber>(*a % *b);
  }

  TOperand Sum() {
    TOperand left = Product();
    while (IsOperator("+") || IsOperator("-") || IsOperator("&")) {
      const char op = text_[0];
      Next();
      const TOperand right = Product();
      if (op == '&') {
        left.Join(right);
      } else {
        left = TOperand::Computed(op == '+' ? left.Number + right.Number : left.Number - right.Number);
      }
    }
    return left;
  }

  TOperand Comparison() {
    TOperand left = Sum();
    for (;;) {
      if (kind_ != kOperator) return left;
      const std::string op = text_;
      if (op != "=" && op != "==" && op != "<>" && op != "><" && op != "<" && op != ">" && op != ">=" &&
          op != "=>" && op != "<=" && op != "=<")
        return left;
      Next();
      const TOperand right = Sum();
      int order;
      if (right.IsNumber)
        order = left.Number < right.Number ? -1 : (left.Number > right.Number ? 1 : 0);
      else
        order = left.Text().compare(right.Text()) < 0 ? -1 : (left.Text() == right.Text() ? 0 : 1);
      bool result;
      if (op == "=" || op == "==")
        result = order == 0;
      else if (op == "<>" || op == "><")
        result = order != 0;
      else if (op == "<")
        result = order < 0;
      else if (op == ">")
        result = order > 0;
      else if (op == ">=" || op == "=>")
        result = order >= 0;
      else
        result = order <= 0;
      left = TOperand::Computed(result ? 1 : 0);
    }
  }

  TOperand Logical() {
    TOperand left = Comparison();
    while (IsOperator("&&") || IsOperator("||")) {
      const bool conjunction = text_ == "&&";
      Next();
      const TOperand right = Comparison();
      const bool a = left.Number > 0, b = right.Number > 0;
      left = TOperand::Computed((conjunction ? (a && b) : (a || b)) ? 1 : 0);
    }
    return left;
  }

  TEngine& engine_;
  TCursor& cursor_;
  bool nested_;
  std::string text_;
  TKind kind_ = kStart;
};

}  // namespace

TCalculator::TCalculator(TEngine& engine) : engine_(engine), state_(engine.State()), formulas_(state_.Words) {}

std::string TCalculator::EvalValue(std::string_view text) { return EvalBorrowed(std::string(text)); }

std::string TCalculator::EvalBorrowed(const std::string& text) {
  if (text.empty()) {
    state_.LastType = kTagString;
    return {};
  }
  if (const auto number = formulas_.Evaluate(text, true)) {
    state_.LastType = kTagNumber;
    return NumberText(*number);
  }
  TCursor cursor = Borrow(text);
  SkipBlanks(cursor);
  std::string value = EvalTerm(cursor);
  for (;;) {
    SkipBlanks(cursor);
    const unsigned char c = cursor.Peek();
    if (c == '&' && cursor.Peek(1) != '&') {
      ++cursor.Pos;
      SkipBlanks(cursor);
      if (cursor.Peek() == '\r' || cursor.Peek() == '\n') {
        engine_.Executor().SkipLineEnd(cursor);
        SkipBlanks(cursor);
      }
      value += EvalTerm(cursor);
      state_.LastType = kTagString;
      continue;
    }
    if (c != 0 && kOperatorChars.Has(c)) {
      if (state_.LastType == kTagString) value = QuoteValue(value);
      // A text made of a value is no formula of the script's own.
      const std::string formula = "(" + value + cursor.Ptr() + ")";
      TCursor formulaCursor = Borrow(formula);
      return Calculate(formulaCursor);
    }
    return value;
  }
}

std::string TCalculator::EvalTerm(TCursor& cursor) {
  engine_.CheckNativeDepth();
  SkipBlanks(cursor);
  const unsigned char c = cursor.Peek();
  if (c == '"' || c == '`') {
    std::string value = ExpandLiteral(engine_.Executor().ReadLiteralOrRaise(cursor));
    state_.LastType = kTagString;
    return value;
  }
  if (c == '$' || IsDigit(c)) {
    std::string number = ReadNumber(cursor);
    state_.LastType = kTagNumber;
    return number;
  }
  if (c == '(') return CalculateParenthesized(cursor);
  if (c == '-') {
    ++cursor.Pos;
    std::string value = Negate(EvalTerm(cursor));
    state_.LastType = kTagNumber;
    return value;
  }
  const std::string word(ReadWord(cursor));
  return EvalWord(cursor, word);
}

std::string TCalculator::EvalWord(TCursor& cursor, std::string_view word) {
  if (word.empty()) {
    state_.LastType = kTagString;
    return {};
  }
  if (cursor.Peek() == '(') {
    const THashNode* callable = state_.Words.FindNode(word, true);
    if (callable != nullptr && IsCallableKind(*callable)) return engine_.Executor().CallForm(word, cursor, false);
  }
  if (EndsWithChars(word, "の")) {
    const TNodeRef owner = state_.Words.Find(word.substr(0, word.size() - 2), false);
    if (owner) {
      SkipSeparators(cursor);
      std::string member;
      if (cursor.Peek() == '(')
        member = CalculateText(engine_.Executor().ReadParenthesizedOrRaise(cursor));
      else
        member = ReadWord(cursor);
      return ReadMember(*owner, member);
    }
  }
  const TNodeRef node = state_.Words.Find(word, false);
  if (!node) {
    state_.LastType = kTagString;
    return std::string(word);
  }
  THashNode& sore = *state_.SoreNode;
  switch (node->Kind) {
    case nkCommand: {
      const std::string savedValue = sore.Value(), savedTag = sore.Description;
      engine_.Dispatcher().Dispatch(*node, word);
      std::string value = sore.Value();
      state_.LastType = sore.Description;
      sore.SetValue(savedValue);
      sore.Description = savedTag;
      return value;
    }
    case nkUserFunction:
      return engine_.Invoker().LabelValue(*node);
    case nkVariable:
      state_.LastType = node->Description;
      if (cursor.Peek() == '#') return ArrayElementAt(node, cursor);
      return node->Value();
    case nkDllCommand: {
      const std::string savedValue = sore.Value(), savedTag = sore.Description;
      CallDll(engine_, *node, word);
      std::string value = sore.Value();
      state_.LastType = sore.Description;
      sore.SetValue(savedValue);
      sore.Description = savedTag;
      return value;
    }
    case nkDictionary:
      state_.LastType = kTagDictionary;
      return node->Table ? node->Table->ListPairs() : std::string();
    case nkObject:
      return GetDefaultValue(engine_, node->Name);
  }
  state_.LastType = kTagString;
  return {};
}

std::string TCalculator::ReadMember(THashNode& node, std::string_view member) {
  switch (node.Kind) {
    case nkVariable: {
      const TNodeRef target = state_.Words.Find(node.Value(), false);
      if (target && target.get() != &node && (target->Kind == nkObject || target->Kind == nkDictionary))
        return ReadMember(*target, member);
      std::string key(member);
      if (const THashNode* variable = state_.Words.FindNode(member, false);
          variable != nullptr && variable->Kind == nkVariable)
        key = variable->Value();
      state_.LastType = kTagString;
      return TAssigner::PairValue(node.Value(), key);
    }
    case nkDictionary: {
      if (!node.Table) engine_.Raise(kMsgNoHashTable, {node.Name});
      const THashNode* entry = node.Table->FindNode(member, false);
      if (entry == nullptr) entry = node.Table->FindNode(engine_.EvalValue(member), false);
      if (entry == nullptr) {
        state_.LastType = kTagString;
        return {};
      }
      state_.LastType = entry->Description.empty() ? std::string(kTagString) : entry->Description.substr(entry->Description.size() - 1);
      return entry->Value();
    }
    case nkObject:
      return GetProperty(engine_, node.Name, member);
    default:
      engine_.Raise(kMsgNoDirectValue, {node.Name});
  }
}

long long TCalculator::ReadIndexAt(TCursor& cursor) {
  std::string value;
  if (cursor.Peek() == '(')
    value = CalculateText(engine_.Executor().ReadParenthesizedOrRaise(cursor));
  else
    value = EvalValue(std::string(ReadWord(cursor)));
  const auto index = ParseInteger(value);
  return index ? *index : -1;
}

std::shared_ptr<const TCsvTable> TCalculator::ParsedTable(const TNodeRef& variable) {
  static const auto kEmpty = std::make_shared<const TCsvTable>();
  if (!variable) return kEmpty;
  if (tableCache_.Variable != variable || tableCache_.Version != variable->ValueVersion() || !tableCache_.Table) {
    tableCache_.Table = std::make_shared<const TCsvTable>(variable->Value());
    tableCache_.Variable = variable;
    tableCache_.Version = variable->ValueVersion();
  }
  return tableCache_.Table;
}

std::string TCalculator::ArrayElementAt(const TNodeRef& variable, TCursor& cursor) {
  // The table is taken before the indices are read: an index may change the
  // variable, and the element comes from the value as it was.
  if (const auto held = variable ? variable->HeldCells() : nullptr) {
    ++cursor.Pos;  // "#"
    const long long row = ReadIndexAt(cursor);
    long long column = -1;
    if (cursor.Peek() == '#') {
      ++cursor.Pos;
      column = ReadIndexAt(cursor);
      if (column < 0) column = -2;
    }
    state_.LastType = kTagString;
    return HeldElement(*held, row, column);
  }
  const std::shared_ptr<const TCsvTable> table = ParsedTable(variable);
  ++cursor.Pos;  // "#"
  const long long row = ReadIndexAt(cursor);
  if (cursor.Peek() != '#') return ArrayElement(*table, row, -1, false);
  ++cursor.Pos;
  const long long column = ReadIndexAt(cursor);
  return ArrayElement(*table, row, column, true);
}

std::string TCalculator::ArrayElement(const TCsvTable& table, long long row, long long column, bool hasColumn) {
  state_.LastType = kTagString;
  if (row < 0) return {};
  if (hasColumn) {
    if (column < 0) return {};
    return table.Cell(static_cast<std::size_t>(column), static_cast<std::size_t>(row));
  }
  const TCsvCells& cells = table.Row(static_cast<std::size_t>(row));
  if (cells.size() == 1) return cells[0];
  return TCsvTable::RowText(cells, cells.size());
}

std::string TCalculator::CalculateText(std::string_view formula) {
  if (const auto number = formulas_.Evaluate(formula, false)) {
    state_.LastType = kTagNumber;
    return NumberText(*number);
  }
  const std::string text(formula);
  TCursor cursor = Borrow(text);
  return Calculate(cursor);
}

std::string TCalculator::Calculate(TCursor& cursor) { return CalculateAt(cursor, false); }

std::string TCalculator::CalculateParenthesized(TCursor& cursor) {
  ++cursor.Pos;  // "("
  const std::size_t start = cursor.Pos;
  std::string value = CalculateAt(cursor, true);
  if (cursor.Peek() != ')') {
    cursor.Pos = start;
    engine_.Raise(kMsgParenthesisUnclosed);
  }
  ++cursor.Pos;
  return value;
}

std::string TCalculator::CalculateAt(TCursor& cursor, bool nested) {
  engine_.CheckNativeDepth();
  const std::size_t start = cursor.Pos;
  // The formula's text, for the message: up to its closing parenthesis when
  // it is nested (looked for only when an error is reported).
  auto wrap = [&](std::string_view inner) {
    std::string formula(std::string_view(cursor.Text->c_str() + start));
    if (nested) {
      TCursor opening(cursor.Text, start - 1);
      try {
        formula = ReadParenthesized(opening);
      } catch (const EScanError&) {
      }
    }
    engine_.Raise(std::string(kMsgFormula) + std::string(inner) + formula);
  };
  try {
    TFormula parser(engine_, cursor, nested);
    const TOperand result = parser.Parse();
    if (result.IsNumber) {
      state_.LastType = kTagNumber;
      return NumberText(result.Number);
    }
    state_.LastType = kTagString;
    return result.Text();
  } catch (const EFormulaError& error) {
    wrap(error.Message);
  } catch (const EStackFull&) {
    throw;
  } catch (const EYura& error) {
    wrap(error.Message());
  } catch (const EPlainError& error) {
    wrap(error.what());
  }
  return {};
}

std::string TCalculator::ExpandLiteral(std::string_view literal) {
  auto isChar = [](std::string_view s, std::size_t i, unsigned code, char ascii) {
    if (s[i] == ascii) return true;
    return CharLengthAt(s, i) == 2 && DoubleByteCode(s, i) == code;
  };
  std::string out;
  std::size_t i = 0;
  const std::size_t n = literal.size();
  auto skipBlanks = [&] {
    while (i < n && (literal[i] == ' ' || literal[i] == '\t')) ++i;
  };
  auto skipJoin = [&] {
    skipBlanks();
    if (i < n && literal[i] == '&' && (i + 1 >= n || literal[i + 1] != '&')) ++i;
    skipBlanks();
  };
  while (i < n) {
    const char c = literal[i];
    if (c == '&') {
      ++i;
      skipBlanks();
      continue;
    }
    if (c == '`') {
      ++i;
      while (i < n) {
        if (literal[i] == '`') {
          if (i + 1 < n && literal[i + 1] == '`') {
            out += '`';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        const std::size_t length = CharLengthAt(literal, i);
        out.append(literal.substr(i, length));
        i += length;
      }
      skipJoin();
      continue;
    }
    if (c != '"') {
      // Anything else between parts is a term of its own.
      const std::string rest(literal.substr(i));
      TCursor cursor = Borrow(rest);
      const std::string value = EvalTerm(cursor);
      out += value;
      i += cursor.Pos == 0 ? CharLengthAt(literal, i) : cursor.Pos;
      skipBlanks();
      continue;
    }
    ++i;  // the opening double quote
    bool closed = false;
    while (i < n) {
      const std::size_t length = CharLengthAt(literal, i);
      if (literal[i] == '"') {
        ++i;
        closed = true;
        break;
      }
      if (isChar(literal, i, 0x818F, '\\')) {  // \ or ￥
        i += length;
        if (i >= n) break;
        const std::size_t next = CharLengthAt(literal, i);
        if (isChar(literal, i, 0x828E, 'n'))
          out += "\r\n";
        else if (isChar(literal, i, 0x8294, 't'))
          out += '\t';
        else
          out.append(literal.substr(i, next));
        i += next;
        continue;
      }
      if (isChar(literal, i, 0x816F, '{')) {  // { or ｛
        i += length;
        std::string expression;
        bool found = false;
        while (i < n && literal[i] != '"') {
          const std::size_t k = CharLengthAt(literal, i);
          if (isChar(literal, i, 0x8170, '}')) {
            i += k;
            found = true;
            break;
          }
          expression.append(literal.substr(i, k));
          i += k;
        }
        if (found) out += engine_.EvalValue(ToHalfWidth(expression));
        continue;
      }
      out.append(literal.substr(i, length));
      i += length;
    }
    if (!closed) engine_.Raise(kMsgUnclosedString, {out});
    skipJoin();
  }
  state_.LastType = kTagString;
  return out;
}

}  // namespace yura

#include "engine/control.h"

#include <cmath>
#include <limits>

#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "core/errors.h"
#include "core/platform_errors.h"
#include "engine/assign.h"
#include "engine/calculator.h"
#include "engine/engine.h"
#include "engine/executor.h"
#include "source/halfwidth.h"
#include "source/scanner.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kMsgNoConditionEnd = "条件分岐の終端文字を認識できませんでした。";
constexpr std::string_view kMsgNestedIf = "もしを多重構造にするときは、()で範囲を括ってください。";
constexpr std::string_view kMsgNeedNumber = "\"%s\"には、数値を指定してください。";
constexpr std::string_view kMsgCounterVariable = "\"%s\"の実行回数カウンターには、変数を指定してください。";
constexpr std::string_view kMsgConditionString = "条件分岐で文字列の取得に失敗。";
constexpr std::string_view kMsgConditionParenthesis = "条件分岐で括弧の取得に失敗。";
constexpr std::string_view kElse = "その他";

bool AtLineEnd(const TCursor& cursor) { return cursor.Peek() == '\r' || cursor.Peek() == '\n'; }

constexpr std::string_view kThenWords[] = {"ならば", "なら"};
constexpr std::string_view kElseWords[] = {"違えば", "でなければ"};
constexpr std::string_view kIfWord = "もし";

// The condition keyword at the cursor, or empty.
std::string_view KeywordAt(const TCursor& cursor, bool thenWords, bool elseWords) {
  const std::string_view here(cursor.Ptr());
  if (thenWords)
    for (std::string_view word : kThenWords)
      if (here.starts_with(word)) return word;
  if (elseWords)
    for (std::string_view word : kElseWords)
      if (here.starts_with(word)) return word;
  return {};
}

void PassLineEnds(TEngine& engine, TCursor& cursor) {
  while (AtLineEnd(cursor)) engine.Executor().SkipLineEnd(cursor);
}

// もし's condition: the text up to the first condition keyword.
std::string ReadCondition(TEngine& engine, TCursor& cursor) {
  std::string condition;
  for (;;) {
    if (cursor.AtEnd()) engine.Raise(kMsgNoConditionEnd);
    if (AtLineEnd(cursor)) {
      engine.Executor().SkipLineEnd(cursor);
      SkipBlanks(cursor);
      if (KeywordAt(cursor, true, true).empty()) engine.Raise(kMsgNoConditionEnd);
      return condition;
    }
    if (!KeywordAt(cursor, true, true).empty()) return condition;
    const unsigned char c = cursor.Peek();
    if (c == '"' || c == '`') {
      try {
        condition += ReadStringLiteral(cursor);
      } catch (const EScanError& error) {
        engine.Raise(std::string(kMsgConditionString) + error.what());
      }
      continue;
    }
    condition += ReadChar(cursor);
  }
}

// The condition in Japanese words made into a formula: かつ, または,
// "Aが 5以上", "Aが 3以下", "Aが Bと等しい", "Aが 3".
std::string TranslateCondition(TEngine& engine, const std::string& condition) {
  std::vector<std::string> tokens;
  const TText text = MakeText(condition);
  TCursor cursor(text, 0);
  for (;;) {
    SkipBlanks(cursor);
    std::string token;
    while (!cursor.AtEnd()) {
      const unsigned char c = cursor.Peek();
      if (c == ' ' || c == '\t' || c == ',' || c == 0xA4) break;
      if (c == '"' || c == '`') {
        try {
          token += ReadStringLiteral(cursor);
        } catch (const EScanError& error) {
          engine.Raise(std::string(kMsgConditionString) + error.what());
        }
      } else if (c == '(') {
        try {
          token += "(" + std::string(ReadParenthesized(cursor)) + ")";
        } catch (const EScanError& error) {
          engine.Raise(std::string(kMsgConditionParenthesis) + error.what());
        }
      } else {
        token += ReadChar(cursor);
      }
    }
    while (!cursor.AtEnd() && (cursor.Peek() == ' ' || cursor.Peek() == '\t' || cursor.Peek() == ',' ||
                               cursor.Peek() == 0xA4))
      ++cursor.Pos;
    if (token.empty()) break;
    tokens.push_back(std::move(token));
  }
  std::string formula;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const std::string& token = tokens[i];
    if (token.starts_with("かつ")) {
      formula += " && " + token.substr(4);
    } else if (token.starts_with("または")) {
      formula += " || " + token.substr(6);
    } else if (EndsWithChars(token, "が") && i + 1 < tokens.size()) {
      const std::string left = token.substr(0, token.size() - 2);
      std::string right = tokens[++i];
      std::string op = "=";
      if (EndsWithChars(right, "以上")) {
        op = ">=", right.resize(right.size() - 4);
      } else if (EndsWithChars(right, "以下")) {
        op = "<=", right.resize(right.size() - 4);
      } else if (EndsWithChars(right, "と等しい")) {
        right.resize(right.size() - 8);
      }
      formula += left + op + right;
    } else {
      formula += token;
    }
  }
  return formula;
}

// The branches after a condition: the selected one runs, the other is
// stepped over.
void IfBlock(TEngine& engine, TCursor& cursor, bool withKeyword) {
  TYuraBase& state = engine.State();
  SkipBlanks(cursor);
  if (AtLineEnd(cursor)) engine.Executor().SkipLineEnd(cursor);
  std::optional<TRunControl> thenFrame, elseFrame;
  const std::string_view thenWord = withKeyword ? KeywordAt(cursor, true, false) : std::string_view();
  if (!withKeyword || !thenWord.empty()) {
    cursor.Pos += thenWord.size();
    SkipBlanks(cursor);
    thenFrame = ReadBlock(engine, cursor, rcThen);
    for (;;) {
      SkipBlanks(cursor);
      if (cursor.Peek() == ';') {
        ++cursor.Pos;
        continue;
      }
      if (!AtLineEnd(cursor)) break;
      PassLineEnds(engine, cursor);
    }
  }
  if (const std::string_view elseWord = KeywordAt(cursor, false, true); !elseWord.empty()) {
    cursor.Pos += elseWord.size();
    SkipBlanks(cursor);
    if (std::string_view(cursor.Ptr()).starts_with(kIfWord)) engine.Raise(kMsgNestedIf);
    elseFrame = ReadBlock(engine, cursor, rcElse);
  }
  std::optional<TRunControl>& selected = state.CondResult == 1 ? thenFrame : elseFrame;
  if (state.CondResult != -1 && selected) {
    selected->ExitPos = cursor;
    cursor = TCursor(selected->Body, 0);
    state.RunStack.Push(std::move(*selected));
    state.CondResult = -1;
  }
}

// A loop bound or count as a 32-bit number; out of range is the range error.
std::int32_t LoopNumber(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    throw EPlainError(std::string(kMsgRangeCheck));
  return static_cast<std::int32_t>(value);
}

// A value read strictly as a number, truncated toward zero.
std::int32_t StrictBound(TEngine& engine, const THashNode& entry, const std::string& value) {
  const std::string_view text = Trim(value);
  bool numeric = !text.empty();
  if (numeric && text[0] == '$') {
    numeric = ParseInteger(text).has_value();
  } else if (numeric) {
    std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    std::size_t digits = 0, dots = 0;
    for (; i < text.size(); ++i) {
      if (text[i] >= '0' && text[i] <= '9')
        ++digits;
      else if (text[i] == '.' && dots == 0)
        ++dots;
      else if ((text[i] == 'E' || text[i] == 'e') && digits > 0)
        break;
      else
        numeric = false;
    }
    numeric = numeric && digits > 0;
  }
  if (!numeric) engine.Raise(kMsgNeedNumber, {engine.CommandName(entry)});
  const auto truncated = TruncateToInt64(ToNumber(text));
  if (!truncated) throw EPlainError(std::string(kMsgRangeCheck));
  return LoopNumber(*truncated);
}

void StartLoop(TYuraBase& state, TCursor& cursor, TRunControl&& frame) {
  cursor = TCursor(frame.Body, 0);
  state.RunStack.Push(std::move(frame));
}

// もし (102): the condition up to ならば/なら/違えば/でなければ, then the branches.
void If(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  TCursor& cursor = state.Cursor;
  // A condition read here before is the same formula.
  TPlaceCache<TEngine::TConditionPlace>& places = engine.ConditionPlaces();
  const bool remember = places.Remembers(cursor);
  std::string formula;
  if (const TEngine::TConditionPlace* known = remember ? places.Find(cursor) : nullptr) {
    formula = known->Formula;
    cursor.Pos = known->End;
  } else {
    const TCursor start = cursor;
    formula = TranslateCondition(engine, ReadCondition(engine, cursor));
    // A condition whose keyword is on the next line sets the line: it is
    // read every time.
    const std::string_view span = std::string_view(*start.Text).substr(start.Pos, cursor.Pos - start.Pos);
    if (remember && span.find_first_of("\r\n") == std::string_view::npos) places.Add(start, {formula, cursor.Pos});
  }
  const auto value = ParseInteger(engine.Calc().CalculateText(formula));
  state.CondResult = value && *value == 1 ? 1 : 0;
  IfBlock(engine, cursor, true);
}

// 条件分岐 (369): the value the following …の時 branches compare with.
void Switch(TEngine& engine, THashNode&) { engine.State().SwitchValue = engine.PopValue(); }

// 繰り返す (56): counter variable, from, to.
void For(TEngine& engine, THashNode& entry) {
  TYuraBase& state = engine.State();
  const std::int32_t to = StrictBound(engine, entry, engine.PopValue());
  const std::int32_t from = StrictBound(engine, entry, engine.PopValue());
  const std::string name = PopName(engine);
  TNodeRef counter = state.Words.Find(name, false);
  if (!counter) {
    counter = THashNode::MakeVariable(name, "", 0, false);
    counter->Description = kTagNumber;
    state.Words.Add(counter);
  } else if (counter->Kind != nkVariable) {
    engine.Raise(kMsgCounterVariable, {engine.CommandName(entry)});
  }
  TRunControl frame = ReadBlock(engine, state.Cursor, rcFor);
  if (to < from) return;
  counter->SetValue(std::to_string(from));
  frame.Counter = from;
  frame.Limit = to;
  frame.CounterVariable = counter;
  StartLoop(state, state.Cursor, std::move(frame));
}

// 反復 (71): the lines of a value (a dictionary: its keys), one per pass in それ.
void Each(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string raw = engine.PopRaw();
  std::string text;
  if (const THashNode* node = state.Words.FindNode(raw, false)) {
    text = node->Kind == nkDictionary ? (node->Table ? node->Table->ListNames() : std::string()) : node->Value();
  } else {
    text = engine.EvalValue(raw);
  }
  auto items = std::make_shared<std::vector<std::string>>();
  for (std::string_view line : SplitLines(text)) items->emplace_back(line);
  TRunControl frame = ReadBlock(engine, state.Cursor, rcEach);
  if (items->empty()) return;
  engine.SetSore((*items)[0], kTagString);
  SetPassCount(state, 1);
  frame.Counter = 1;
  frame.Limit = LoopNumber(static_cast<std::int64_t>(items->size()));
  frame.Items = std::move(items);
  StartLoop(state, state.Cursor, std::move(frame));
}

// ループ (414): runs while its condition is not 0.
void While(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  std::string condition(Trim(ToHalfWidth(engine.PopRaw())));
  TRunControl frame = ReadBlock(engine, state.Cursor, rcWhile);
  if (condition.empty() || condition == "``") return;
  if (condition.size() >= 2 && condition.front() == '`' && EndsWithChars(condition, "`"))
    condition = Unbackquote(condition);
  if (engine.ConditionValue(condition) == 0) return;
  frame.Counter = 1;
  frame.Limit = -1;
  frame.Condition = std::move(condition);
  SetPassCount(state, 1);
  StartLoop(state, state.Cursor, std::move(frame));
}

// 抜ける (215): leaves the innermost loop (and the branches inside it).
void Break(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  TRunControl frame;
  if (!state.RunStack.Pop(frame)) return;
  if (frame.Kind == rcThen || frame.Kind == rcElse || frame.Kind == rcCase) {
    if (!state.RunStack.Pop(frame)) return;
  }
  switch (frame.Kind) {
    case rcFor:
    case rcTimes:
    case rcEach:
    case rcWhile:
      state.Cursor = frame.ExitPos;
      return;
    case rcCall:
    case rcEvent:
      state.Cursor = frame.BodyPos;
      state.SourceFileName = frame.FileName;
      return;
    default:
      return;
  }
}

// 続ける (398): the next pass of the innermost loop.
void Continue(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  TRunControl frame;
  for (;;) {
    if (!state.RunStack.Pop(frame)) {
      state.Cursor.Clear();
      return;
    }
    if (frame.Kind != rcThen && frame.Kind != rcElse && frame.Kind != rcCase) break;
  }
  state.SourceFileName = frame.FileName;
  state.RunStack.Push(std::move(frame));
  CheckRunControl(state, engine);
}

// 文比較 (373).
void CompareTexts(TEngine& engine, THashNode&) {
  const std::string b = engine.PopValue();
  const std::string a = engine.PopValue();
  engine.SetSore(a == b ? "1" : "0", kTagNumber);
}

}  // namespace

TRunControl ReadBlock(TEngine& engine, TCursor& cursor, TRunKind kind) {
  TYuraBase& state = engine.State();
  SkipBlanks(cursor);
  if (AtLineEnd(cursor)) {
    engine.Executor().SkipLineEnd(cursor);
    SkipBlanks(cursor);
  }
  TRunControl frame;
  frame.Kind = kind;
  frame.FileName = state.SourceFileName;
  frame.BodyPos = cursor;
  if (cursor.Peek() == '(') frame.BodyPos.Pos += 1;
  // A block read here before is the same block: the same text, so that what
  // is remembered inside it holds the next time too.
  TPlaceCache<TEngine::TBlockPlace>& places = engine.BlockPlaces();
  const bool remember = places.Remembers(cursor);
  if (const TEngine::TBlockPlace* known = remember ? places.Find(cursor) : nullptr) {
    frame.Body = known->Body;
    cursor.Pos = known->End;
    frame.ExitPos = cursor;
    return frame;
  }
  const TCursor start = cursor;
  bool spansLines = false;
  if (cursor.Peek() == '(') {
    frame.Body = MakeText(std::string(engine.Executor().ReadParenthesizedOrRaise(cursor)));
  } else {
    static constexpr TByteSet kLineEnd{"\r\n;"};
    std::string body;
    for (;;) {
      try {
        body += ReadBalancedUntil(kLineEnd, cursor);
      } catch (const EScanError& error) {
        engine.Raise(error.what());
      }
      if (AtLineEnd(cursor) && TrimRight(body).ends_with('&')) {
        // Reading on sets the line: such a block is read every time.
        engine.Executor().SkipLineEnd(cursor);
        spansLines = true;
        continue;
      }
      break;
    }
    frame.Body = MakeText(std::move(body));
  }
  frame.ExitPos = cursor;
  if (remember && !spansLines) places.Add(start, {frame.Body, cursor.Pos});
  return frame;
}

void TimesBlock(TEngine& engine, std::int64_t count, TCursor& cursor) {
  TYuraBase& state = engine.State();
  TRunControl frame = ReadBlock(engine, cursor, rcTimes);
  if (count <= 0) return;
  frame.Limit = LoopNumber(count);
  frame.Counter = 1;
  SetPassCount(state, 1);
  StartLoop(state, cursor, std::move(frame));
}

void CaseBranch(TEngine& engine, const std::string& label, TCursor& cursor) {
  TYuraBase& state = engine.State();
  TRunControl frame = ReadBlock(engine, cursor, rcCase);
  if (state.SwitchValue == kSwitchUndefined) return;
  bool matches;
  if (label == kElse) {
    matches = true;
  } else if (EndsWithChars(label, "以上")) {
    matches = ToNumber(engine.EvalValue(label.substr(0, label.size() - 4))) <= ToNumber(state.SwitchValue);
  } else if (EndsWithChars(label, "以下")) {
    matches = ToNumber(state.SwitchValue) <= ToNumber(engine.EvalValue(label.substr(0, label.size() - 4)));
  } else {
    matches = engine.EvalValue(label) == state.SwitchValue;
  }
  if (!matches) return;
  state.SwitchValue = kSwitchUndefined;
  StartLoop(state, cursor, std::move(frame));
}

void ConditionForm(TEngine& engine, TCursor& cursor) {
  TYuraBase& state = engine.State();
  if (state.ArgStack.Empty()) engine.Raise(kMsgBadSyntax, {"?"});
  const std::string item = state.ArgStack.Pop();
  std::string value;
  if (!engine.Assigner().IsMemberReference(item, value)) value = engine.Calc().CalculateText(item);
  state.CondResult = std::trunc(ToNumber(value)) != 0 ? 1 : 0;
  SkipBlanks(cursor);
  if (AtLineEnd(cursor)) engine.Executor().SkipLineEnd(cursor);
  SkipBlanks(cursor);
  IfBlock(engine, cursor, !KeywordAt(cursor, true, true).empty());
}

void RegisterControlHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(102, If);
  dispatcher.Register(369, Switch);
  dispatcher.Register(56, For);
  dispatcher.Register(71, Each);
  dispatcher.Register(414, While);
  dispatcher.Register(215, Break);
  dispatcher.Register(398, Continue);
  dispatcher.Register(373, CompareTexts);
}

}  // namespace yura

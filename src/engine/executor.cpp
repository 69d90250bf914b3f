#include "engine/executor.h"

#include "commands/gui/properties.h"
#include "commands/registry/dispatch.h"
#include "core/errors.h"
#include "core/format.h"
#include "engine/assign.h"
#include "engine/calculator.h"
#include "engine/control.h"
#include "engine/dll.h"
#include "engine/engine.h"
#include "engine/events.h"
#include "engine/invoke.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

// The event properties a sentence may end in ("ボタンの、クリックした時" and
// its block), in okurigana-stripped form.
bool IsEventPropertyName(std::string_view word) {
  static const std::string kNames[] = {
      StripOkurigana("イベント"),       StripOkurigana("クリックした時"), StripOkurigana("ダブルクリックした時"),
      StripOkurigana("マウス押した時"), StripOkurigana("マウス離した時"), StripOkurigana("キー押した時"),
      StripOkurigana("キー離した時"),   StripOkurigana("変更した時"),     StripOkurigana("マウス動かした時"),
  };
  const std::string stripped = StripOkurigana(word);
  for (const std::string& name : kNames)
    if (stripped == name) return true;
  return false;
}

// 繰り返す, 反復 and ループ in any inflection; only words that begin like one
// of them are stripped to tell.
bool IsLoopWord(std::string_view word) {
  if (!word.starts_with("繰") && !word.starts_with("反") && !word.starts_with("ル")) return false;
  const std::string stripped = StripOkurigana(word);
  return stripped == "繰返" || stripped == "反復" || stripped == "ループ";
}

// Whether an item starting with this byte is read as a plain word.
bool StartsPlainWord(unsigned char c) {
  static constexpr TByteSet kOtherItems{"\r\n;\"`#(*?\\$+-"};
  return c != 0 && !kOtherItems.Has(c) && !IsDigit(c);
}

// A word that ClassifyWord does more with than push it.
bool ActsOnItsOwn(std::string_view word) {
  return EndsWithChars(word, "は") || EndsWithChars(word, "回") || EndsWithChars(word, "の時") ||
         EndsWithChars(word, "て") || word == "もし" || IsLoopWord(word);
}

// A failed step leaves the cursor where it was: step over one character so
// that an ignored error cannot repeat for ever.
void StepOverOneCharacter(TCursor& cursor) {
  if (!cursor.IsEmpty() && !cursor.AtEnd()) cursor.Pos += CharLengthAt(cursor.Ptr());
}

// Restores the cursor when a nested run ends, however it ends.
class TCursorGuard {
 public:
  explicit TCursorGuard(TCursor& cursor) : cursor_(cursor), saved_(cursor) {}
  ~TCursorGuard() { cursor_ = std::move(saved_); }
  TCursorGuard(const TCursorGuard&) = delete;
  TCursorGuard& operator=(const TCursorGuard&) = delete;

 private:
  TCursor& cursor_;
  TCursor saved_;
};

}  // namespace

bool IsCallableKind(const THashNode& node) {
  return node.Kind == nkCommand || node.Kind == nkUserFunction || node.Kind == nkDllCommand;
}

TExecutor::TExecutor(TEngine& engine) : engine_(engine), state_(engine.State()) {}

void TExecutor::RunScript() {
  engine_.CheckNativeDepth();
  TYuraBase& s = state_;
  TEventRunner& events = engine_.Events();
  const TEventRunner::TRunScope running(events);
  TCursor last;
  for (;;) {
    // An event that came while a command ran takes its turn between sentences.
    if (events.Pending() && s.ArgStack.Empty()) events.SpliceNext();
    if (s.Cursor.IsEmpty() || s.StopRequested) return;
    try {
      if (s.Cursor.AtEnd()) {
        // The end of a block's text: its frame decides where to go on.
        for (;;) {
          CheckRunControl(s, engine_);
          if (!s.Cursor.IsEmpty() && !s.Cursor.AtEnd()) break;
          if (s.RunStack.Empty() || s.StopRequested) return;
        }
        last.Clear();
        continue;
      }
      if (s.RunStack.Count() > kMaxRunFrames) engine_.Raise(kMsgEndlessLoop);
      if (!last.IsEmpty() && s.Cursor == last) engine_.Raise(kMsgNoProgress);
      // Held, so that no other text can come to its address.
      if (last.Text == s.Cursor.Text)
        last.Pos = s.Cursor.Pos;
      else
        last = s.Cursor;
      ExecuteStep(s.Cursor);
    } catch (const EYura& error) {
      engine_.HandleScriptError(error);
      if (!last.IsEmpty() && s.Cursor == last) StepOverOneCharacter(s.Cursor);
    } catch (const std::exception& error) {
      // Errors of the platform outside any command are script errors too.
      try {
        engine_.Raise(error.what());
      } catch (const EYura& formatted) {
        engine_.HandleScriptError(formatted);
        if (!last.IsEmpty() && s.Cursor == last) StepOverOneCharacter(s.Cursor);
      }
    }
  }
}

void TExecutor::ExecuteStep(TCursor& cursor) {
  if (cursor.IsEmpty()) return;
  SkipSeparators(cursor);
  const unsigned char c = cursor.Peek();
  if (state_.ArgStack.Empty() && StartsPlainWord(c) && ReplayWordSentence(cursor)) return;
  switch (c) {
    case 0:
      EndSentence();
      return;
    case '\r':
    case '\n': {
      const bool continued = cursor.Pos > 0 && (*cursor.Text)[cursor.Pos - 1] == ',';
      SkipLineEnd(cursor);
      if (continued) return;
      state_.PinnedCursor = cursor;
      state_.PinnedLine = state_.CurrentLine;
      EndSentence();
      return;
    }
    case ';':
      ++cursor.Pos;
      EndSentence();
      return;
    case '"':
    case '`': {
      const std::string_view literal = ReadLiteralOrRaise(cursor);
      std::string t = QuoteValue(engine_.Calc().ExpandLiteral(literal));
      SkipBlanks(cursor);
      t += ReadTail(cursor, *this);
      ClassifyWord(std::move(t), cursor, false);
      return;
    }
    case '#':
      ClassifyWord(ReadTableElementReference(cursor), cursor, false);
      return;
    case '(': {
      std::string t(ReadParenthesizedOrRaise(cursor));
      t += ReadWord(cursor);
      ClassifyWord(std::move(t), cursor, false);
      return;
    }
    case '*':
      SkipToLineEnd(cursor);
      return;
    case '?': {
      ++cursor.Pos;
      SkipSeparators(cursor);
      if (cursor.Peek() == '"' || cursor.Peek() == '`') {
        const std::string_view literal = ReadLiteralOrRaise(cursor);
        engine_.Host().ShowMessage(engine_.Calc().ExpandLiteral(literal), {});
      } else {
        ConditionForm(engine_, cursor);
      }
      return;
    }
    case '\\':
      ++cursor.Pos;
      PushArgument("\\" + ReadNumber(cursor));
      return;
    default:
      break;
  }
  if (c == '$' || c == '+' || c == '-' || IsDigit(c)) {
    ClassifyWord(ReadNumberLedItem(cursor), cursor, false);
    return;
  }
  const std::string_view word = ReadWord(cursor);
  if (word.empty()) RaiseMisplaced(c);
  if (state_.SoshiteNode && word == state_.SoshiteNode->Name) {
    EndSentence();
    return;
  }
  ClassifyWord(std::string(word), cursor, true);
}

TExecutor::TWordSentence TExecutor::ReadWordSentence(TCursor cursor) const {
  // The steps ExecuteStep and ClassifyWord take over plain words, read ahead:
  // any item they would do more with makes the sentence of another kind.
  std::vector<std::string> words;
  for (;;) {
    SkipSeparators(cursor);
    const unsigned char c = cursor.Peek();
    if (c == 0 || c == '\r' || c == '\n' || c == ';') break;
    if (!StartsPlainWord(c)) return {};
    const std::string_view word = ReadWord(cursor);
    if (word.empty() || (state_.SoshiteNode && word == state_.SoshiteNode->Name) || ActsOnItsOwn(word)) return {};
    SkipSeparators(cursor);
    const unsigned char next = cursor.Peek();
    if (next == '=' || next == '&' || next == '(') return {};
    words.emplace_back(word);
  }
  if (words.empty()) return {};
  return {std::move(words), cursor.Pos};
}

bool TExecutor::ReplayWordSentence(TCursor& cursor) {
  if (!wordSentences_.Remembers(cursor)) return false;
  const TWordSentence* sentence = wordSentences_.Find(cursor);
  if (sentence == nullptr) sentence = &wordSentences_.Add(cursor, ReadWordSentence(cursor));
  if (sentence->Words.empty()) return false;
  for (const std::string& word : sentence->Words) state_.ArgStack.Push(word);
  cursor.Pos = sentence->End;
  // The end of a block's text ends the sentence at once.
  if (cursor.AtEnd()) ExecuteStep(cursor);
  return true;
}

void TExecutor::ClassifyWord(std::string t, TCursor& cursor, bool plainWord) {
  const std::size_t afterWord = cursor.Pos;
  SkipSeparators(cursor);
  const unsigned char next = cursor.Peek();
  if (next == '=') {
    ++cursor.Pos;
    engine_.Assigner().Assign(std::move(t), cursor);
    return;
  }
  if (next == '&') {
    std::string value;
    if (engine_.Assigner().IsMemberReference(t, value)) t = QuoteValue(value);
    t += ReadTail(cursor, *this);
    PushArgument(std::move(t));
    return;
  }
  if (EndsWithChars(t, "の")) {
    PushArgument(std::move(t));
    ExecuteStep(cursor);
    return;
  }
  if (EndsWithChars(t, "は")) {
    t.resize(t.size() - 2);
    engine_.Assigner().Assign(std::move(t), cursor);
    return;
  }
  if (EndsWithChars(t, "回")) {
    t.resize(t.size() - 2);
    const auto count = ParseInteger(engine_.EvalValue(t));
    TimesBlock(engine_, count ? *count : -1, cursor);
    return;
  }
  if (EndsWithChars(t, "の時")) {
    t.resize(t.size() - 4);
    CaseBranch(engine_, t, cursor);
    return;
  }
  if (EndsWithChars(t, "て")) {
    const TNodeRef node = state_.Words.Find(t, true);
    if (node && IsCallableKind(*node)) {
      if ((*cursor.Text)[afterWord] == '(') {
        CallForm(t, cursor, false);
      } else {
        ExecuteWord(*node, t);
      }
      return;
    }
  }
  if (t == "もし") {
    PushArgument(std::move(t));
    EndSentence();
    return;
  }
  if (IsLoopWord(t)) {
    PushArgument(std::move(t));
    EndSentence();
    return;
  }
  if (plainWord && cursor.Peek() == '(') {
    const THashNode* node = state_.Words.FindNode(t, true);
    if (node != nullptr && IsCallableKind(*node)) {
      const std::string result = CallForm(t, cursor, false);
      if (cursor.IsEmpty()) return;
      SkipBlanks(cursor);
      const unsigned char after = cursor.Peek();
      if (after == 0 || after == '\r' || after == ';') {
        engine_.SetSore(result, state_.LastType);
        return;
      }
      t = state_.LastType == kTagString ? QuoteValue(result) : result;
      t += ReadWord(cursor);
    }
  }
  PushArgument(std::move(t));
  if (cursor.AtEnd()) ExecuteStep(cursor);
}

std::string TExecutor::ReadNumberLedItem(TCursor& cursor) {
  std::string t = ReadNumber(cursor);
  SkipBlanks(cursor);
  while (kOperatorChars.Has(cursor.Peek())) {
    while (kOperatorChars.Has(cursor.Peek())) t += static_cast<char>(cursor.Peek()), ++cursor.Pos;
    SkipBlanks(cursor);
    t += ReadNumber(cursor);
    SkipBlanks(cursor);
    t = engine_.Calc().CalculateText(t);
  }
  const unsigned char c = cursor.Peek();
  if (c != '\n' && c != '\r' && c != ',' && c != ';' && c != 0xA4) t += ReadWord(cursor);
  return t;
}

std::string TExecutor::ReadTableElementReference(TCursor& cursor) {
  const std::string name = state_.ArgStack.Pop();
  if (state_.Words.FindNode(name, false) == nullptr) {
    auto variable = THashNode::MakeVariable(name, "", static_cast<std::int32_t>(state_.RunStack.Count()), false);
    variable->Description = kTagString;
    state_.Words.Add(std::move(variable));
  }
  auto readKey = [&](bool& parenthesised) {
    parenthesised = cursor.Peek() == '(';
    if (parenthesised) return "(" + std::string(ReadParenthesizedOrRaise(cursor)) + ")";
    return std::string(ReadWord(cursor));
  };
  ++cursor.Pos;  // "#"
  bool parenthesised = false;
  std::string t = name + "#" + readKey(parenthesised);
  SkipBlanks(cursor);
  if (cursor.Peek() == '#') {
    ++cursor.Pos;
    std::string key = readKey(parenthesised);
    if (!parenthesised) {
      // The particle after the second key (は of an assignment, or any other)
      // goes back to the sentence; the key itself is evaluated now.
      std::size_t keep = key.size();
      while (keep >= 2 && IsCharBoundary(key, keep - 2) && DoubleByteCode(key, keep - 2) >= 0x829F &&
             DoubleByteCode(key, keep - 2) <= 0x82F1)
        keep -= 2;
      if (keep > 0 && keep < key.size()) {
        cursor.Pos -= key.size() - keep;
        key.resize(keep);
      }
    }
    t += "#" + engine_.EvalValue(key);
  }
  if (!cursor.AtEnd() && !kWordDelimiters.Has(cursor.Peek())) t += ReadWord(cursor);
  return t;
}

void TExecutor::EndSentence() {
  if (state_.ArgStack.Empty()) return;
  const std::string w = state_.ArgStack.Pop();
  TNodeRef node;
  if (!w.empty() && w[0] == '\\') {
    // A command given by its number.
    const auto number = ParseInteger(std::string_view(w).substr(1));
    node = std::make_shared<THashNode>();
    node->Name = "\\";
    node->Kind = nkCommand;
    node->Reserved = true;
    node->Number = number && *number >= 0 && *number <= TDispatcher::kMaxCommandNumber ? static_cast<int>(*number) : -1;
  } else {
    node = state_.Words.Find(w, true);
  }
  if (node) {
    // A command given by its number is named "\".
    ExecuteWord(*node, w[0] == '\\' ? std::string_view(node->Name) : std::string_view(w));
    ++state_.SentenceCount;
    if (!state_.ArgStack.Empty()) {
      const std::string rest = state_.ArgStack.AsLines();
      state_.ArgStack.Clear();
      engine_.Raise(FormatMessage(kMsgTooManyArguments, {w[0] == '\\' ? std::string_view(node->Name) : std::string_view(w)}) +
                    rest + "\"");
    }
    return;
  }
  std::string object = state_.ArgStack.Pop();
  if (IsEventPropertyName(w)) {
    // "Xの、クリックした時" alone: the event property is set with no value.
    if (EndsWithChars(object, "の")) object.resize(object.size() - 2);
    SetProperty(engine_, object, w, {});
    ++state_.SentenceCount;
    return;
  }
  if (!object.empty()) state_.ArgStack.Push(std::move(object));
  std::string sentence;
  for (const std::string& item : state_.ArgStack.Items()) sentence += item + ",";
  sentence += w;
  state_.ArgStack.Clear();
  engine_.Raise(kMsgUndefinedCommand, {Trim(sentence)});
}

void TExecutor::ExecuteWord(THashNode& node, std::string_view writtenName) {
  switch (node.Kind) {
    case nkCommand:
      engine_.Dispatcher().Dispatch(node, writtenName);
      return;
    case nkUserFunction:
      engine_.Invoker().CallLabel(node, writtenName);
      return;
    case nkVariable:
    case nkObject:
      engine_.Raise(FormatMessage(kMsgBadSyntax, {writtenName.empty() ? std::string_view(node.Name) : writtenName}) +
                    std::string(kMsgVariableRun));
    case nkDllCommand:
      CallDll(engine_, node, writtenName);
      return;
    default:
      return;
  }
}

std::string TExecutor::CallForm(std::string_view name, TCursor& cursor, bool push) {
  const TNodeRef node = state_.Words.Find(name, true);
  if (!node || !IsCallableKind(*node)) {
    PushArgument(std::string(name));
    return {};
  }
  if (cursor.Peek() != '(') engine_.Raise(kMsgCallParenthesis, {name});
  const std::string inner(ReadParenthesizedOrRaise(cursor));
  if (!inner.empty()) ParseArgumentList(inner, *this);
  THashNode& sore = *state_.SoreNode;
  const std::string savedValue = sore.Value(), savedTag = sore.Description;
  state_.ParenCall = true;
  switch (node->Kind) {
    case nkCommand:
      engine_.Dispatcher().Dispatch(*node, name);
      break;
    case nkUserFunction: {
      engine_.CheckNativeDepth(TEngine::kCallStackReserve);
      TCursorGuard restore(state_.Cursor);
      state_.Cursor.Clear();
      TLevelGuard level(state_.RunStack);
      engine_.Invoker().CallLabel(*node, name);
      state_.ParenCall = false;
      RunScript();
      break;
    }
    default:
      CallDll(engine_, *node, name);
      break;
  }
  state_.ParenCall = false;
  std::string result = sore.Value();
  state_.LastType = sore.Description;
  if (push) PushArgument(state_.LastType == kTagString ? QuoteValue(result) : result);
  sore.SetValue(savedValue);
  sore.Description = savedTag;
  return result;
}

void TExecutor::SkipLineEnd(TCursor& cursor) {
  while (cursor.Peek() == '\t' || cursor.Peek() == '\n' || cursor.Peek() == '\r' || cursor.Peek() == ' ')
    ++cursor.Pos;
  if (!IsDigit(cursor.Peek())) {
    state_.CurrentLine = -1;
    return;
  }
  const std::size_t start = cursor.Pos;
  std::int64_t line = 0;
  while (IsDigit(cursor.Peek()) && line < 100000000) line = line * 10 + (cursor.Peek() - '0'), ++cursor.Pos;
  if (cursor.Peek() == ':') {
    ++cursor.Pos;
    state_.CurrentLine = static_cast<std::int32_t>(line);
  } else {
    cursor.Pos = start;
    state_.CurrentLine = -1;
  }
}

void TExecutor::SkipToLineEnd(TCursor& cursor) {
  while (!cursor.AtEnd() && cursor.Peek() != '\r') cursor.Pos += CharLengthAt(cursor.Ptr());
}

std::string TExecutor::ReadRestOfSentence(TCursor& cursor) {
  static constexpr TByteSet kSentenceEnd{"\r\n;"};
  std::string out;
  for (;;) {
    try {
      out += ReadBalancedUntil(kSentenceEnd, cursor);
    } catch (const EScanError& error) {
      RaiseScanError(error);
    }
    const unsigned char c = cursor.Peek();
    if ((c == '\r' || c == '\n') && TrimRight(out).ends_with('&')) {
      SkipLineEnd(cursor);
      continue;
    }
    return out;
  }
}

std::string_view TExecutor::ReadLiteralOrRaise(TCursor& cursor) {
  try {
    return ReadStringLiteral(cursor);
  } catch (const EScanError& error) {
    RaiseScanError(error);
  }
}

std::string_view TExecutor::ReadParenthesizedOrRaise(TCursor& cursor) {
  try {
    return ReadParenthesized(cursor);
  } catch (const EScanError& error) {
    RaiseScanError(error);
  }
}

void TExecutor::RaiseScanError(const std::exception& error) { engine_.Raise(error.what()); }

void TExecutor::RaiseMisplaced(unsigned char c) {
  const std::string character(1, static_cast<char>(c));
  std::string message = FormatMessage(kMsgBadSyntax, {character});
  if (c == '&')
    message += kMsgJoinHint;
  else if (kOperatorChars.Has(c))
    message += FormatMessage(kMsgOperatorHint, {character});
  engine_.Raise(message);
}

std::string TExecutor::EvalTermAt(TCursor& cursor) { return engine_.Calc().EvalTerm(cursor); }

std::string TExecutor::EvalValue(std::string_view text) { return engine_.Calc().EvalValue(text); }

std::string TExecutor::Calculate(std::string_view formula) { return engine_.Calc().CalculateText(formula); }

bool TExecutor::LastWasString() const { return state_.LastType == kTagString; }

std::string TExecutor::TableElementAt(std::string_view name, TCursor& cursor) {
  return QuoteValue(engine_.Calc().ArrayElementAt(state_.Words.Find(name, false), cursor));
}

void TExecutor::CallFormAndPush(std::string_view name, TCursor& cursor) { CallForm(name, cursor, true); }

void TExecutor::PushArgument(std::string text) { state_.ArgStack.Push(std::move(text)); }

std::string TExecutor::PopArgument() { return state_.ArgStack.Pop(); }

}  // namespace yura

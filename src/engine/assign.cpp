#include "engine/assign.h"

#include "commands/gui/properties.h"
#include "commands/registry/dispatch.h"
#include "commands/tables/csv.h"
#include "core/format.h"
#include "engine/calculator.h"
#include "engine/engine.h"
#include "engine/executor.h"
#include "engine/heldcells.h"
#include "source/scanner.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kMsgAssignToString = "の代入文";
constexpr std::string_view kMsgAssignHint = "『変数名は、「内容」』のように書いてください。";
constexpr std::string_view kMsgReservedWord = "\"%s\"は\"%s\"で予約語なので代入できません。";
constexpr std::string_view kSystemCommand = "システム命令";
constexpr std::string_view kMsgCannotAssign = "代入出来ません。";
constexpr std::string_view kMsgBadObjectAssign =
    "オブジェクトへの不正な代入(%s,%s)。『オブジェクトの、項目名は、値』の形式で指定してください。";
constexpr std::string_view kMsgNoAssignTo = "\"%s\"には代入できません！";
constexpr std::string_view kWorkingFolder = "作業フォルダ";

// Splits "name#key1[#key2]" at the "#" characters.
bool SplitElement(std::string_view target, std::string& name, std::string& first, std::string& second, bool& hasSecond) {
  std::size_t marks[2];
  int count = 0;
  for (std::size_t i = 0; i < target.size() && count < 2; i += CharLengthAt(target, i))
    if (target[i] == '#') marks[count++] = i;
  if (count == 0) return false;
  name = target.substr(0, marks[0]);
  hasSecond = count == 2;
  first = target.substr(marks[0] + 1, (hasSecond ? marks[1] : target.size()) - marks[0] - 1);
  if (hasSecond) second = target.substr(marks[1] + 1);
  return true;
}

std::optional<long long> IndexOf(TEngine& engine, std::string key) {
  if (EndsWithChars(key, "は")) key.resize(key.size() - 2);
  if (key.empty()) return std::nullopt;
  const auto index = ParseInteger(engine.EvalValue(key));
  if (!index) return std::nullopt;
  return *index;
}

}  // namespace

TAssigner::TAssigner(TEngine& engine) : engine_(engine), state_(engine.State()) {}

std::string TAssigner::PairValue(std::string_view pairs, std::string_view key) {
  for (std::string_view line : SplitLines(pairs)) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (Trim(line.substr(0, equals)) == key) return std::string(line.substr(equals + 1));
  }
  return {};
}

std::string TAssigner::SetPairValue(std::string_view pairs, std::string_view key, std::string_view value) {
  std::string out;
  bool found = false;
  for (std::string_view line : SplitLines(pairs)) {
    const std::size_t equals = line.find('=');
    if (!found && equals != std::string_view::npos && Trim(line.substr(0, equals)) == key) {
      out.append(line.substr(0, equals + 1)).append(value);
      found = true;
    } else {
      out += line;
    }
    out += kCrLf;
  }
  if (!found) out.append(key).append("=").append(value).append(kCrLf);
  return out;
}

namespace {

// Where the appended terms of "X = X & term & ..." stand, when every term is
// one whose value no code computes: a literal without {…}, a number, or a
// word (which must be a variable when the sentence runs). Nothing when the
// text is of another form.
std::vector<std::size_t> AppendedTerms(std::string_view target, TCursor at, std::size_t end) {
  std::vector<std::size_t> terms;
  // The first term must be read as the word X: anything a term reads in
  // another way (a number, a literal, a group, a negation) is refused.
  SkipBlanks(at);
  const unsigned char first = at.Peek();
  if (IsDigit(first) || first == '$' || first == '-' || first == '(' || first == '"' || first == '`') return {};
  if (ReadWord(at) != target) return {};
  for (;;) {
    SkipBlanks(at);
    if (at.Pos >= end) return at.Pos == end ? terms : std::vector<std::size_t>{};
    if (at.Peek() != '&' || at.Peek(1) == '&') return {};
    ++at.Pos;
    SkipBlanks(at);
    terms.push_back(at.Pos);
    const unsigned char c = at.Peek();
    if (c == '"' || c == '`') {
      const std::string_view literal = ReadStringLiteral(at);
      // Expansions may run code; a 0x7B trail byte is refused with them.
      if (literal.size() < 2 || literal.back() != static_cast<char>(c) || literal.find('{') != std::string_view::npos ||
          literal.find("\x81\x6F") != std::string_view::npos)
        return {};
    } else if (IsDigit(c)) {
      ReadNumber(at);
    } else if (c == '$') {
      return {};
    } else {
      const std::string_view word = ReadWord(at);
      if (word.empty() || word == target || EndsWithChars(word, "の") || at.Peek() == '(' || at.Peek() == '#') return {};
    }
  }
}

}  // namespace

bool TAssigner::AssignPlainFormula(const std::string& target, TCursor& cursor) {
  TFormulaCache& formulas = engine_.Calc().Formulas();
  if (!formulas.Enabled() || !plainAssignments_.Remembers(cursor)) return false;
  TPlainAssignment* plan = plainAssignments_.Find(cursor);
  if (plan == nullptr) {
    static constexpr TByteSet kSentenceEnd{"\r\n;"};
    TPlainAssignment learnt;
    learnt.Target = target;
    if (target.find('#') == std::string::npos) {
      TCursor end = cursor;
      try {
        const std::string_view formula = ReadBalancedUntil(kSentenceEnd, end);
        learnt.Program = formulas.ProgramFor(formula);
        learnt.End = end.Pos;
        if (!learnt.Program) learnt.AppendedTerms = AppendedTerms(target, cursor, end.Pos);
      } catch (const EScanError&) {
        // The sentence is read again below, and the error raised there.
      }
    }
    plan = &plainAssignments_.Add(cursor, std::move(learnt));
  }
  if (plan->Target != target || (!plan->Program && plan->AppendedTerms.empty())) return false;
  THashNode* node = state_.Words.FindNode(target, false);
  if (node == nullptr || node->Kind != nkVariable || node->Reserved) return false;
  if (!plan->Program) return AppendInPlace(*plan, *node, cursor);
  const auto number = formulas.Run(*plan->Program, true);
  if (!number) return false;
  if (IsWrittenExactly(*number))
    node->SetWholeNumber(static_cast<std::int64_t>(*number));
  else
    node->SetValue(NumberText(*number));
  node->Description = kTagNumber;
  state_.LastType = kTagNumber;
  cursor.Pos = plan->End;
  return true;
}

bool TAssigner::AppendInPlace(const TPlainAssignment& plan, THashNode& target, TCursor& cursor) {
  // Every term is read before the value changes, as the join reads them
  // before it assigns.
  std::string appended;
  for (const std::size_t term : plan.AppendedTerms) {
    TCursor at(cursor.Text, term);
    const unsigned char c = at.Peek();
    if (c == '"' || c == '`') {
      appended += engine_.Calc().ExpandLiteral(ReadStringLiteral(at));
    } else if (IsDigit(c)) {
      appended += ReadNumber(at);
    } else {
      const THashNode* variable = state_.Words.FindNode(ReadWord(at), false);
      if (variable == nullptr || variable->Kind != nkVariable || variable == &target) return false;
      appended += variable->ValueView();
    }
  }
  target.MutableValue() += appended;
  target.Description = kTagString;
  state_.LastType = kTagString;
  cursor.Pos = plan.End;
  return true;
}

void TAssigner::Assign(std::string target, TCursor& cursor) {
  if (state_.ArgStack.Empty() && AssignPlainFormula(target, cursor)) return;
  if (!state_.ArgStack.Empty()) {
    AssignMember(state_.ArgStack.Pop(), std::move(target), cursor);
    return;
  }
  if (!target.empty() && (target[0] == '"' || target[0] == '`'))
    engine_.Raise(FormatMessage(kMsgBadSyntax, {target + std::string(kMsgAssignToString)}) + std::string(kMsgAssignHint));

  std::string value = engine_.EvalValue(engine_.Executor().ReadRestOfSentence(cursor));
  std::string type = state_.LastType;

  std::string name = target, first, second;
  bool hasSecond = false;
  std::optional<long long> row, column;
  if (SplitElement(target, name, first, second, hasSecond)) {
    row = IndexOf(engine_, first);
    if (hasSecond) column = IndexOf(engine_, second);
  } else {
    name = target;
  }
  TNodeRef node = state_.Words.Find(name, false);
  if (row && !column && node && node->Kind == nkVariable && !node->Reserved && type != kTagDictionary &&
      WriteHeldElement(*node, *row, value)) {
    node->Description = std::move(type);
    return;
  }
  if (row) {
    TCsvTable table(node ? std::string_view(node->Value()) : std::string_view());
    if (*row >= 0 && !column) {
      table.SetRow(static_cast<std::size_t>(*row), TCsvCells{std::move(value)});
    } else if (*row >= 0 && *column >= 0) {
      table.SetCell(static_cast<std::size_t>(*column), static_cast<std::size_t>(*row), std::move(value));
    }
    value = table.ToCsv();
  }
  if (!node) {
    node = THashNode::MakeVariable(name, "", static_cast<std::int32_t>(state_.RunStack.Count()), false);
    state_.Words.Add(node);
  }
  switch (node->Kind) {
    case nkCommand:
      if (StripOkurigana(node->Name) == StripOkurigana(kWorkingFolder)) {
        state_.ArgStack.Push(QuoteValue(value));
        const bool paren = state_.ParenCall;
        state_.ParenCall = true;
        engine_.Dispatcher().Dispatch(*node);
        state_.ParenCall = paren;
        return;
      }
      engine_.Raise(kMsgReservedWord, {name, kSystemCommand});
    case nkVariable:
      if (node->Reserved) engine_.Raise(kMsgReadOnly, {name});
      if (type == kTagDictionary) {
        node->Table = std::make_shared<THash>();
        node->Table->LoadFromText(value);
        node->Kind = nkDictionary;
        node->Description = kTagDictionary;
        return;
      }
      node->SetValue(std::move(value));
      node->Description = std::move(type);
      return;
    case nkDictionary:
      if (type == kTagDictionary) {
        node->Table = std::make_shared<THash>();
        node->Table->LoadFromText(value);
        return;
      }
      node->Table.reset();
      node->Kind = nkVariable;
      node->SetValue(std::move(value));
      node->Description = std::move(type);
      return;
    case nkObject:
      SetDefaultValue(engine_, node->Name, value);
      return;
    default:
      engine_.Raise(FormatMessage(kMsgBadSyntax, {name}) + std::string(kMsgCannotAssign));
  }
}

void TAssigner::AssignMember(std::string object, std::string member, TCursor& cursor) {
  if (!EndsWithChars(object, "の")) engine_.Raise(kMsgBadObjectAssign, {object, member});
  object.resize(object.size() - 2);
  TNodeRef node = state_.Words.Find(object, false);
  if (!node) {
    object = engine_.EvalValue(object);
    node = state_.Words.Find(object, false);
    if (!node) {
      node = std::make_shared<THashNode>();
      node->Name = object;
      node->Kind = nkDictionary;
      node->Description = kTagDictionary;
      node->Table = std::make_shared<THash>();
      node->Number = static_cast<std::int32_t>(state_.RunStack.Count());
      state_.Words.Add(node);
    }
  } else if (node->Kind == nkVariable) {
    // A variable holding the name of another word refers to that word.
    if (TNodeRef target = state_.Words.Find(node->Value(), false); target && target != node) node = target;
  }
  SkipSeparators(cursor);
  const std::string valueText(Trim(engine_.Executor().ReadRestOfSentence(cursor)));
  switch (node->Kind) {
    case nkVariable: {
      const std::string key = engine_.EvalValue(member);
      const std::string value = engine_.EvalValue(valueText);
      node->SetValue(SetPairValue(node->Value(), key, value));
      return;
    }
    case nkDictionary: {
      const std::string key = engine_.EvalValue(member);
      std::string value = engine_.EvalValue(valueText);
      if (!node->Table) node->Table = std::make_shared<THash>();
      if (THashNode* entry = node->Table->FindNode(key, false)) {
        entry->SetValue(std::move(value));
        entry->Description = state_.LastType;
      } else {
        auto fresh = THashNode::MakeVariable(key, std::move(value), static_cast<std::int32_t>(state_.RunStack.Count()), false);
        fresh->Description = state_.LastType;
        node->Table->Add(std::move(fresh));
      }
      return;
    }
    case nkObject:
      SetProperty(engine_, node->Name, member, valueText);
      return;
    default:
      engine_.Raise(kMsgNoAssignTo, {object});
  }
}

bool TAssigner::IsMemberReference(std::string_view text, std::string& value) {
  std::string owned(text);
  TCursor cursor(TText(TText(), &owned), 0);
  const std::string word(ReadWord(cursor));
  if (!EndsWithChars(word, "の")) {
    if (state_.Words.FindNode(owned, false) == nullptr) return false;
    value = engine_.EvalValue(owned);
    return true;
  }
  const TNodeRef node = state_.Words.Find(std::string_view(word).substr(0, word.size() - 2), false);
  if (!node) return false;
  switch (node->Kind) {
    case nkVariable: {
      if (!state_.Words.FindNode(node->Value(), false) || node->Value() == node->Name) return false;
      return IsMemberReference(node->Value() + "の," + std::string(cursor.Ptr()), value);
    }
    case nkObject:
    case nkDictionary:
      value = engine_.EvalValue(owned);
      return true;
    default:
      return false;
  }
}

}  // namespace yura

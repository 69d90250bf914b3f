// Commands on words themselves: changing a word's kind, listing keys and
// variable names, renaming and copying words.
#include <utility>

#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/format.h"
#include "engine/engine.h"
#include "engine/invoke.h"
#include "source/halfwidth.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kMsgAlreadyExists = "オブジェクト\"%s\"は、既に存在するので、作成できません。";
constexpr std::string_view kMsgNotCreated = "オブジェクト\"%s\"は、作成されていません。";
constexpr std::string_view kMsgCannotChange = "変更できません！";

// The named word, made as a variable at the current level when absent.
TNodeRef WordOrNewVariable(TEngine& engine, const std::string& name, std::string initial) {
  TYuraBase& state = engine.State();
  if (TNodeRef node = state.Words.Find(name, false)) return node;
  auto node = THashNode::MakeVariable(name, std::move(initial), static_cast<std::int32_t>(state.RunStack.Count()), false);
  state.Words.Add(node);
  return node;
}

void RefuseReserved(TEngine& engine, const THashNode& node, const std::string& name) {
  if (node.Reserved) engine.Raise(kMsgAlreadyExists, {name});
}

void TreatAsNumber(TEngine& engine, THashNode&) {
  const std::string name = PopName(engine);
  const TNodeRef node = WordOrNewVariable(engine, name, "0");
  RefuseReserved(engine, *node, name);
  node->Table.reset();
  node->Kind = nkVariable;
  node->Description = kTagNumber;
  if (node->Value().empty()) node->SetValue("0");
}

void TreatAsString(TEngine& engine, THashNode&) {
  const std::string name = PopName(engine);
  const TNodeRef node = WordOrNewVariable(engine, name, "");
  RefuseReserved(engine, *node, name);
  if (node->Kind == nkDictionary) {
    node->SetValue(node->Table ? node->Table->ListPairs() : std::string());
    node->Table.reset();
  }
  node->Kind = nkVariable;
  node->Description = kTagString;
}

void TreatAsDictionary(TEngine& engine, THashNode&) {
  const std::string name = PopName(engine);
  const TNodeRef node = WordOrNewVariable(engine, name, "");
  RefuseReserved(engine, *node, name);
  if (node->Kind == nkVariable) {
    node->Table = std::make_shared<THash>();
    node->Table->LoadFromText(node->Value());
  } else if (node->Kind == nkDictionary) {
    node->SetValue({});
    if (!node->Table) node->Table = std::make_shared<THash>();
  } else {
    engine.Raise(FormatMessage(kMsgBadSyntax, {name}) + std::string(kMsgCannotChange));
  }
  node->Kind = nkDictionary;
  node->Description = kTagDictionary;
}

void ListKeys(TEngine& engine, THashNode&) {
  const std::string name = PopName(engine);
  const TNodeRef node = engine.State().Words.Find(name, false);
  if (!node) engine.Raise(kMsgNotCreated, {name});
  std::string keys;
  if (node->Kind == nkDictionary) {
    if (node->Table)
      for (const TNodeRef& entry : node->Table->AllNodes()) keys += entry->Name + "\r\n";
  } else {
    for (std::string_view line : SplitLines(node->Value())) {
      const std::size_t equals = line.find('=');
      if (equals == std::string_view::npos) continue;
      keys.append(Trim(line.substr(0, equals))).append("\r\n");
    }
  }
  engine.SetSore(std::move(keys), kTagString);
}

void ListVariableNames(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const bool omitted = state.SoreImplied;
  long long level = PopTruncated(engine);
  if (omitted) level = 0;
  std::string names;
  for (const TNodeRef& node : state.Words.AllNodes())
    if ((node->Kind == nkVariable || node->Kind == nkDictionary) && !node->Reserved && node->Number >= level)
      names += node->Name + "\r\n";
  engine.SetSore(std::move(names), kTagString);
}

void Rename(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  std::string newForm = engine.PopValue();
  const std::string name = PopName(engine);
  const TNodeRef node = state.Words.Find(name, true);
  if (!node) engine.Raise(kMsgNotIdentified, {name});
  if (!newForm.empty() && newForm.back() == ';') newForm.pop_back();
  newForm = ToHalfWidth(newForm);
  std::vector<std::string> tokens;
  std::string token;
  for (char c : newForm + " ") {
    if (c == ' ' || c == '\t' || c == ',') {
      if (!token.empty()) tokens.push_back(std::move(token));
      token.clear();
    } else {
      token += c;
    }
  }
  if (tokens.size() != PatternArgumentCount(node->ArgPattern) + 1) engine.Raise(kMsgArgumentError, {name});
  std::string newName = tokens.back();
  tokens.pop_back();
  std::string pattern;
  for (const std::string& particle : tokens) pattern += (pattern.empty() ? "" : ",") + particle;
  // The entry itself moves to its new name, so that a loop or a handler that
  // holds it goes on with it.
  state.Words.Delete(node->Name, false);
  const std::string oldName = std::exchange(node->Name, std::move(newName));
  const std::string oldPattern = std::exchange(node->ArgPattern, std::move(pattern));
  try {
    state.Words.Add(node);
  } catch (...) {
    node->Name = oldName;
    node->ArgPattern = oldPattern;
    state.Words.Add(node);
    throw;
  }
}

void CopyWord(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string target = PopName(engine);
  const std::string source = PopName(engine);
  const TNodeRef from = state.Words.Find(source, false);
  if (!from) engine.Raise(kMsgNotCreated, {source});
  const TNodeRef to = WordOrNewVariable(engine, target, "");
  to->Assign(*from);
}

}  // namespace

void RegisterWordHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(194, TreatAsNumber);
  dispatcher.Register(195, TreatAsString);
  dispatcher.Register(213, TreatAsDictionary);
  dispatcher.Register(211, ListKeys);
  dispatcher.Register(212, ListKeys);
  dispatcher.Register(393, ListVariableNames);
  dispatcher.Register(51, Rename);
  dispatcher.Register(294, CopyWord);
}

}  // namespace yura

// 正規表現マッチ (RE), 正規表現区切る, 正規表現置換 and 正規表現入換.
#include <exception>
#include <string>

#include "commands/regex/regexengine.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/errors.h"
#include "core/format.h"
#include "engine/engine.h"

namespace yura {
namespace {

constexpr std::string_view kMsgRegexError = "\"%s\"で、Bregexp.dllのエラー。";

void SetMatchCount(TEngine& engine, int count) {
  const TNodeRef& node = engine.State().MatchCountNode;
  if (!node) return;
  node->SetValue(std::to_string(count));
  node->Description.assign(kTagNumber);
}

// Runs `body`; any fault becomes the command's regex error.
template <typename TBody>
void Guarded(TEngine& engine, const THashNode& entry, TBody body) {
  std::string message;
  try {
    body();
    return;
  } catch (const EYura&) {
    throw;
  } catch (const std::exception& error) {
    message = error.what();
  }
  engine.Raise(FormatMessage(kMsgRegexError, {engine.CommandName(entry)}) + message);
}

void Match(TEngine& engine, THashNode& entry) {
  const std::string op = engine.PopValue();
  const std::string subject = engine.PopValue();
  engine.SetSore("", kTagString);
  Guarded(engine, entry, [&] {
    TRegexEngine regex;
    regex.Match(MatchOperatorFor(op), subject);
    engine.SetSore(regex.ResultLines(), kTagString);
    SetMatchCount(engine, regex.MatchCount());
  });
}

void Split(TEngine& engine, THashNode& entry) {
  const std::string op = engine.PopValue();
  const std::string subject = engine.PopValue();
  engine.SetSore("", kTagString);
  Guarded(engine, entry, [&] {
    TRegexEngine regex;
    regex.Split(MatchOperatorFor(op), subject);
    engine.SetSore(regex.ResultLines(), kTagString);
    SetMatchCount(engine, regex.MatchCount());
  });
}

void Substitute(TEngine& engine, THashNode& entry) {
  const std::string op = engine.PopValue();
  std::string subject = engine.PopValue();
  engine.SetSore("", kTagString);
  Guarded(engine, entry, [&] {
    TRegexEngine regex;
    regex.Substitute(op, subject);
    engine.SetSore(std::move(subject), kTagString);
    SetMatchCount(engine, regex.MatchCount());
  });
}

void Translate(TEngine& engine, THashNode& entry) {
  const std::string op = engine.PopValue();
  std::string subject = engine.PopValue();
  Guarded(engine, entry, [&] {
    TRegexEngine regex;
    regex.Translate(op, subject);
    engine.SetSore(std::move(subject), kTagString);
    SetMatchCount(engine, 0);
  });
}

}  // namespace

void RegisterRegexHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(187, Match);
  dispatcher.Register(190, Split);
  dispatcher.Register(191, Substitute);
  dispatcher.Register(192, Translate);
}

}  // namespace yura

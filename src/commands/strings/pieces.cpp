// Pieces of texts: LEFT, RIGHT.
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/strings/sjistext.h"
#include "engine/engine.h"

namespace yura {
namespace {

void Left(TEngine& engine, THashNode&) {
  const long long n = PopNumberArgument(engine);
  const std::string text = engine.PopValue();
  engine.SetSore(CharWindow(text, 1, n), kTagString);
}

void Right(TEngine& engine, THashNode&) {
  const long long n = PopNumberArgument(engine);
  const std::string text = engine.PopValue();
  const long long length = static_cast<long long>(CharCount(text));
  engine.SetSore(n <= 0 ? std::string() : CharWindow(text, length - n + 1, n), kTagString);
}

}  // namespace

void RegisterStringHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(188, Right);
  dispatcher.Register(189, Left);
}

}  // namespace yura

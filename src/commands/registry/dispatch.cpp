#include "commands/registry/dispatch.h"

#include <exception>

#include "commands/registry/families.h"
#include "commands/registry/vocabulary.h"
#include "core/errors.h"
#include "core/format.h"
#include "engine/control.h"
#include "engine/dll.h"
#include "engine/engine.h"
#include "engine/errorhandling.h"
#include "engine/subroutines.h"
#include "engine/invoke.h"

namespace yura {
namespace {

constexpr int kThenMarker = 19;
constexpr int kElseMarker = 20;
constexpr int kNaraAlone = 200;

// A number that some name carries, though its family is not built yet.
bool IsRegisteredNumber(int number) {
  for (std::size_t i = 0; i < kVocabularySize; ++i)
    if (kVocabulary[i].Kind == TRegistrationKind::Command && kVocabulary[i].Number == number) return true;
  return false;
}

}  // namespace

TDispatcher::TDispatcher(TEngine& engine) : engine_(engine) { InstallHandlers(*this); }

void TDispatcher::Register(int number, THandler handler) {
  if (number >= 0 && number <= kMaxCommandNumber) handlers_[static_cast<std::size_t>(number)] = handler;
}

bool TDispatcher::HasHandler(int number) const {
  return number >= 0 && number <= kMaxCommandNumber && handlers_[static_cast<std::size_t>(number)] != nullptr;
}

void TDispatcher::Dispatch(THashNode& node, std::string_view writtenName) {
  TEngine::TNameScope name(engine_, writtenName);
  engine_.Invoker().MatchArguments(node);
  const int number = node.Number;
  if (number == kThenMarker || number == kElseMarker) return;
  if (number == kNaraAlone) engine_.Raise(kMsgNaraAlone);
  if (!HasHandler(number)) {
    if (number >= 0 && IsRegisteredNumber(number)) engine_.Raise(kMsgNotBuilt, {engine_.CommandName(node)});
    engine_.Raise(kMsgBrokenLink, {engine_.CommandName(node)});
  }
  try {
    handlers_[static_cast<std::size_t>(number)](engine_, node);
  } catch (const EStackFull&) {
    throw;
  } catch (const EYura& error) {
    engine_.Raise(kMsgSystemCommandError, {error.Message()});
  } catch (const std::exception& error) {
    engine_.Raise(kMsgSystemCommandError, {error.what()});
  }
}

void InstallHandlers(TDispatcher& dispatcher) {
  RegisterWordHandlers(dispatcher);
  RegisterArithmeticHandlers(dispatcher);
  RegisterDialogHandlers(dispatcher);
  RegisterTextOutputHandlers(dispatcher);
  RegisterStringHandlers(dispatcher);
  RegisterIntegerHandlers(dispatcher);
  RegisterRandomHandlers(dispatcher);
  RegisterRoundingHandlers(dispatcher);
  RegisterFunctionHandlers(dispatcher);
  RegisterArrayHandlers(dispatcher);
  RegisterTableHandlers(dispatcher);
  RegisterTableSearchHandlers(dispatcher);
  RegisterDateHandlers(dispatcher);
  RegisterProcessHandlers(dispatcher);
  RegisterWholeFileHandlers(dispatcher);
  RegisterFileHandleHandlers(dispatcher);
  RegisterFileOperationHandlers(dispatcher);
  RegisterFileQueryHandlers(dispatcher);
  RegisterPathTextHandlers(dispatcher);
  RegisterObjectHandlers(dispatcher);
  RegisterMenuHandlers(dispatcher);
  RegisterTimerHandlers(dispatcher);
  RegisterRegexHandlers(dispatcher);
  RegisterXmlHandlers(dispatcher);
  RegisterDllHandlers(dispatcher);
  RegisterControlHandlers(dispatcher);
  RegisterSubroutineHandlers(dispatcher);
  RegisterErrorHandlers(dispatcher);
}

}  // namespace yura

#include "engine/control.h"

#include "engine/engine.h"

namespace yura {

// The block structures come with the control-flow family.
void TimesBlock(TEngine& engine, std::int64_t, TCursor&) { engine.Raise(kMsgNotBuilt, {"回"}); }
void CaseBranch(TEngine& engine, const std::string&, TCursor&) { engine.Raise(kMsgNotBuilt, {"の時"}); }
void ConditionForm(TEngine& engine, TCursor&) { engine.Raise(kMsgNotBuilt, {"?"}); }

}  // namespace yura

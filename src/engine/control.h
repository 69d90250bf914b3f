// The block structures that the executor recognises inside a sentence: N回,
// a branch of 条件分岐 (…の時) and the condition form "value ?".
#pragma once

#include <cstdint>
#include <string>

#include "source/cursor.h"

namespace yura {

class TEngine;

void TimesBlock(TEngine& engine, std::int64_t count, TCursor& cursor);
void CaseBranch(TEngine& engine, const std::string& label, TCursor& cursor);
void ConditionForm(TEngine& engine, TCursor& cursor);

}  // namespace yura

// Blocks: もし…ならば…違えば, the condition form "value ?", 条件分岐 with its
// …の時 branches, and the loops N回, 繰り返す, 反復, ループ, with 抜ける and
// 続ける. A block is the rest of a line or a parenthesised text; its frame
// holds a copy of it, and the cursor runs inside that copy.
#pragma once

#include <cstdint>
#include <string>

#include "core/stacks.h"
#include "source/cursor.h"

namespace yura {

class TEngine;
class TDispatcher;

// Reads the block at the cursor into a frame of the given kind.
TRunControl ReadBlock(TEngine& engine, TCursor& cursor, TRunKind kind);

void TimesBlock(TEngine& engine, std::int64_t count, TCursor& cursor);
void CaseBranch(TEngine& engine, const std::string& label, TCursor& cursor);
void ConditionForm(TEngine& engine, TCursor& cursor);

void RegisterControlHandlers(TDispatcher& dispatcher);

}  // namespace yura

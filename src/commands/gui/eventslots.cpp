#include "commands/gui/eventslots.h"

#include "commands/gui/kinds.h"
#include "core/yurabase.h"
#include "engine/engine.h"
#include "engine/executor.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kMsgEventVariable =
    "計算式に誤りがあります。イベントに変数を設定することは出来ません。ラベルを指定してください。";
constexpr std::string_view kNullValue = "\\NULL-VALUE";

void ClearSlot(TObjNode& object, std::size_t slot) {
  object.EventText[slot].clear();
  object.EventCode[slot].Clear();
}

}  // namespace

void SetEventSlot(TEngine& engine, TObjNode& object, TObjectKind kind, std::size_t slot, std::string_view written) {
  TYuraBase& state = engine.State();
  std::string text(Trim(written));
  if (text.empty() || text == "\"\"" || text == "``" || (slot == 0 && text == kNullValue)) {
    ClearSlot(object, slot);
    return;
  }
  if (text.size() >= 2 && text.front() == '`' && EndsWithChars(text, "`")) text = text.substr(1, text.size() - 2);

  TCursor code;
  if (const TNodeRef word = state.Words.Find(text, false)) {
    if (word->Kind == nkVariable) engine.Raise(kMsgEventVariable);
    if (word->Kind == nkUserFunction) {
      code = word->Position;
    } else {
      code = TCursor(MakeText(text), 0);
    }
  } else {
    if (!text.empty() && text.front() == '(') {
      TCursor cursor(MakeText(text), 0);
      text = std::string(engine.Executor().ReadParenthesizedOrRaise(cursor));
    }
    code = TCursor(MakeText(text), 0);
  }
  object.EventText[slot] = text;
  object.EventCode[slot] = code;
  if (slot == 0) {
    if (const auto main = DefaultEventSlot(kind)) {
      object.EventText[*main] = text;
      object.EventCode[*main] = code;
    }
  }
}

}  // namespace yura

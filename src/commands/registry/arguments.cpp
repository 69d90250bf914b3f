#include "commands/registry/arguments.h"

#include "core/errors.h"
#include "core/format.h"
#include "core/platform_errors.h"
#include "engine/engine.h"
#include "source/sjis.h"

namespace yura {

std::string Unbackquote(std::string_view text) {
  if (text.size() < 2 || text.front() != '`' || !EndsWithChars(text, "`")) return std::string(text);
  std::string out;
  const std::string_view inner = text.substr(1, text.size() - 2);
  for (std::size_t i = 0; i < inner.size();) {
    const std::size_t length = CharLengthAt(inner, i);
    out.append(inner.substr(i, length));
    if (length == 1 && inner[i] == '`' && i + 1 < inner.size() && inner[i + 1] == '`') ++i;
    i += length;
  }
  return out;
}

std::string PopName(TEngine& engine) { return Unbackquote(engine.PopRaw()); }

TNodeRef WritableWord(TEngine& engine, const std::string& name, std::string_view newTag) {
  TYuraBase& state = engine.State();
  TNodeRef node = state.Words.Find(name, false);
  if (!node) {
    node = THashNode::MakeVariable(name, "", static_cast<std::int32_t>(state.RunStack.Count()), false);
    node->Description.assign(newTag);
    state.Words.Add(node);
  }
  if (node->Kind == nkVariable && node->Reserved) engine.Raise(kMsgReadOnly, {name});
  return node;
}

long long PopTruncated(TEngine& engine) { return TruncateToInt64(engine.PopNumber()).value_or(0); }

long long PopNumberArgument(TEngine& engine) {
  const auto value = TruncateToInt32(engine.PopNumber());
  if (!value) throw EPlainError(std::string(kMsgRangeCheck));
  return *value;
}

long long PopIntegerArgument(TEngine& engine, long long fallback) {
  const auto value = ParseInteger(engine.PopValue());
  return value ? *value : fallback;
}

void RaiseArgumentError(TEngine& engine, const THashNode& entry, std::string_view addition) {
  engine.Raise(FormatMessage(kMsgArgumentError, {engine.CommandName(entry)}) + std::string(addition));
}

long TabWidth(TEngine& engine) {
  const TNodeRef& node = engine.State().TabWidthNode;
  const auto width = TruncateToInt32(node ? ToNumber(node->Value()) : 8);
  return width ? *width : 8;
}

}  // namespace yura

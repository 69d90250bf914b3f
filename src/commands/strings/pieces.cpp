// Lengths, positions and pieces of texts: 文字数, バイト数, 行数, 何文字目,
// 出現回数, RIGHT, LEFT, MID, MIDB, 右端削除, 左端削除, リフレイン, 段落を切り出す.
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/strings/sjistext.h"
#include "core/errors.h"
#include "core/platform_errors.h"
#include "engine/engine.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::size_t kLargestText = std::size_t{1} << 31;

void SetNumber(TEngine& engine, long long value) { engine.SetSore(std::to_string(value), kTagNumber); }

void Length(TEngine& engine, THashNode&) { SetNumber(engine, static_cast<long long>(CharCount(engine.PopValue()))); }

void ByteLength(TEngine& engine, THashNode&) { SetNumber(engine, static_cast<long long>(engine.PopValue().size())); }

void LineCount(TEngine& engine, THashNode&) {
  const std::string name = engine.PopRaw();
  const THashNode* variable = engine.State().Words.FindNode(name, false);
  if (variable == nullptr || variable->Kind != nkVariable) engine.Raise(kMsgNoVariable, {name});
  // Only the value changes; the kind of それ stays.
  engine.State().SoreNode->SetValue(std::to_string(SplitLines(variable->Value()).size()));
}

void Position(TEngine& engine, THashNode&) {
  const std::string needle = engine.PopValue();
  const std::string text = engine.PopValue();
  const std::size_t at = FindChars(text, needle);
  SetNumber(engine, at == std::string::npos ? 0 : static_cast<long long>(CharCount(std::string_view(text).substr(0, at))) + 1);
}

void Occurrences(TEngine& engine, THashNode&) {
  const std::string word = engine.PopValue();
  const std::string text = engine.PopValue();
  long long count = 0;
  for (std::size_t at = FindChars(text, word); at != std::string::npos; at = FindChars(text, word, at + word.size()))
    ++count;
  SetNumber(engine, count);
}

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

void Middle(TEngine& engine, THashNode&) {
  const long long count = PopIntegerArgument(engine, 0);
  const long long start = PopIntegerArgument(engine, 0);
  const std::string text = engine.PopValue();
  engine.SetSore(CharWindow(text, start, count), kTagString);
}

void MiddleBytes(TEngine& engine, THashNode&) {
  const long long count = PopIntegerArgument(engine, 0);
  const long long start = PopIntegerArgument(engine, 0);
  const std::string text = engine.PopValue();
  engine.SetSore(ByteWindow(text, start, count), kTagString);
}

void DropRight(TEngine& engine, THashNode&) {
  const long long n = PopNumberArgument(engine);
  const std::string text = engine.PopValue();
  const long long length = static_cast<long long>(CharCount(text));
  engine.SetSore(n <= 0 ? text : CharWindow(text, 1, length - n), kTagString);
}

void DropLeft(TEngine& engine, THashNode&) {
  const long long n = PopNumberArgument(engine);
  const std::string text = engine.PopValue();
  engine.SetSore(n <= 0 ? text : std::string(std::string_view(text).substr(ByteOffsetOfChar(text, n + 1))), kTagString);
}

void Refrain(TEngine& engine, THashNode&) {
  const long long times = PopIntegerArgument(engine, 0);
  const std::string text = engine.PopValue();
  std::string out;
  if (times > 0 && !text.empty()) {
    if (static_cast<unsigned long long>(times) > kLargestText / text.size()) throw EPlainError(std::string(kMsgRangeCheck));
    out.reserve(text.size() * static_cast<std::size_t>(times));
    for (long long i = 0; i < times; ++i) out += text;
  }
  engine.SetSore(std::move(out), kTagString);
}

// Paragraphs end at CR, an optional LF and another CR; a paragraph keeps the
// line-break bytes that end it.
void Paragraph(TEngine& engine, THashNode&) {
  const long long k = PopIntegerArgument(engine, -1);
  const std::string text = engine.PopValue();
  long long number = 1;
  std::size_t start = 0;
  std::string found;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t j = i;
    bool separator = false;
    if (text[j] == '\r') {
      ++j;
      if (j < text.size() && text[j] == '\n') ++j;
      separator = j < text.size() && text[j] == '\r';
    }
    if (!separator) {
      i += CharLengthAt(text, i);
      continue;
    }
    while (j < text.size() && (text[j] == '\r' || text[j] == '\n')) ++j;
    if (number == k) {
      found = text.substr(start, j - start);
      break;
    }
    ++number;
    start = j;
    i = j;
  }
  if (found.empty() && number == k && start < text.size()) found = text.substr(start);
  engine.SetSore(std::move(found), kTagString);
}

}  // namespace

void RegisterStringHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(92, Length);
  dispatcher.Register(122, ByteLength);
  dispatcher.Register(70, LineCount);
  dispatcher.Register(47, Position);
  dispatcher.Register(410, Occurrences);
  dispatcher.Register(188, Right);
  dispatcher.Register(189, Left);
  dispatcher.Register(48, Middle);
  dispatcher.Register(431, MiddleBytes);
  dispatcher.Register(171, DropRight);
  dispatcher.Register(172, DropLeft);
  dispatcher.Register(50, Refrain);
  dispatcher.Register(214, Paragraph);
  RegisterReplaceHandlers(dispatcher);
  RegisterCutHandlers(dispatcher);
  RegisterTextFormatHandlers(dispatcher);
  RegisterTextConversionHandlers(dispatcher);
  RegisterTagHandlers(dispatcher);
  RegisterBinaryHandlers(dispatcher);
}

}  // namespace yura

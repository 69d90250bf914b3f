// The cut family: a piece is cut from a variable's value, それ receives it and
// the variable keeps the rest. 切り取る, 判別して切り取る, 範囲を切り取る,
// 左端を切り取る, 右端を切り取る and マッチ.
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/strings/sjistext.h"
#include "engine/engine.h"
#include "source/sjis.h"
#include "source/textlines.h"
#include "textutil/wildcard.h"

namespace yura {
namespace {

constexpr std::string_view kMsgEscapeCharacter = "\"%s\"命令の引数に誤りがあります。判別文字は \\などの半角１文字で指定。";
constexpr std::string_view kMsgNeedVariable =
    "\"%s\"命令の引数に誤りがあります。１番目の引数は、変数である必要があります。";
constexpr std::string_view kMsgMatchError = "マッチでエラー。";

// The first argument of a cut: a variable named by the raw text, whose value
// is cut and which keeps the remainder, or else an ordinary value.
class TCutSubject {
 public:
  TCutSubject(TEngine& engine, std::string raw, bool lookUpQuoted) : engine_(engine), raw_(std::move(raw)) {
    const bool quoted = !raw_.empty() && (raw_[0] == '"' || raw_[0] == '`');
    if (!quoted || lookUpQuoted) {
      const TNodeRef node = engine.State().Words.Find(raw_, false);
      if (node && node->Kind == nkVariable) variable_ = node;
    }
    value_ = variable_ ? variable_->Value : engine.EvalValue(raw_);
  }

  const std::string& Raw() const { return raw_; }
  const std::string& Value() const { return value_; }
  bool IsVariable() const { return static_cast<bool>(variable_); }

  // それ receives the piece; the variable, when there is one and it is not
  // それ itself, the remainder.
  void Finish(std::string piece, std::string remainder) {
    const bool isSore = variable_ && variable_ == engine_.State().SoreNode;
    if (variable_ && !isSore) variable_->Value = std::move(remainder);
    engine_.SetSore(std::move(piece), kTagString);
  }

 private:
  TEngine& engine_;
  std::string raw_;
  TNodeRef variable_;
  std::string value_;
};

void CutAtDelimiter(TEngine& engine, THashNode& entry) {
  const std::string delimiter = engine.PopValue();
  TCutSubject subject(engine, engine.PopRaw(), true);
  if (subject.Value().empty()) engine.Raise(kMsgArgumentError, {engine.CommandName(entry)});
  if (delimiter.empty()) {
    engine.SetSore("", kTagString);
    return;
  }
  const std::string& text = subject.Value();
  const std::size_t at = FindChars(text, delimiter);
  if (at == std::string::npos)
    subject.Finish(text, "");
  else
    subject.Finish(text.substr(0, at), text.substr(at + delimiter.size()));
}

void CutWithEscape(TEngine& engine, THashNode& entry) {
  const std::string escape = engine.PopValue();
  const std::string delimiter = engine.PopValue();
  TCutSubject subject(engine, engine.PopRaw(), true);
  if (escape.size() != 1) engine.Raise(kMsgEscapeCharacter, {engine.CommandName(entry)});
  if (subject.Value().empty()) engine.Raise(kMsgArgumentError, {engine.CommandName(entry)});
  if (delimiter.empty()) {
    engine.SetSore("", kTagString);
    return;
  }
  const std::string& text = subject.Value();
  std::string piece;
  for (std::size_t i = 0; i < text.size();) {
    if (text.compare(i, delimiter.size(), delimiter) == 0) {
      subject.Finish(std::move(piece), text.substr(i + delimiter.size()));
      return;
    }
    const std::size_t length = CharLengthAt(text, i);
    if (length == 1 && text[i] == escape[0] && i + 1 < text.size()) {
      // The escaped character never starts a delimiter.
      const std::size_t protectedLength = CharLengthAt(text, i + 1);
      piece.append(text, i, 1 + protectedLength);
      i += 1 + protectedLength;
      continue;
    }
    piece.append(text, i, length);
    i += length;
  }
  subject.Finish(std::move(piece), "");
}

void CutRange(TEngine& engine, THashNode& entry) {
  const std::string finish = engine.PopValue();
  const std::string start = engine.PopValue();
  const std::string raw = engine.PopRaw();
  const TNodeRef variable = engine.State().Words.Find(raw, false);
  if (!variable || variable->Kind != nkVariable) engine.Raise(kMsgNeedVariable, {engine.CommandName(entry)});
  engine.SetSore("", kTagString);
  const std::string text = variable->Value;
  const std::size_t from = FindChars(text, start);
  if (from == std::string::npos) return;
  const std::size_t to = FindChars(text, finish, from);
  const std::size_t end = to == std::string::npos ? text.size() : to + finish.size();
  std::string piece = text.substr(from, end - from);
  if (variable != engine.State().SoreNode) variable->Value = text.substr(0, from) + text.substr(end);
  engine.SetSore(std::move(piece), kTagString);
}

void CutEnd(TEngine& engine, bool fromLeft) {
  const long long n = PopNumberArgument(engine);
  std::string raw = engine.PopRaw();
  if (n < 1 || raw.empty()) {
    engine.SetSore("", kTagString);
    return;
  }
  TCutSubject subject(engine, std::move(raw), false);
  const std::string& text = subject.Value();
  const long long length = static_cast<long long>(CharCount(text));
  const std::size_t split = ByteOffsetOfChar(text, fromLeft ? n + 1 : length - n + 1);
  if (fromLeft)
    subject.Finish(text.substr(0, split), text.substr(split));
  else
    subject.Finish(text.substr(split), text.substr(0, split));
}

void CutLeft(TEngine& engine, THashNode&) { CutEnd(engine, true); }
void CutRight(TEngine& engine, THashNode&) { CutEnd(engine, false); }

void Match(TEngine& engine, THashNode& entry) {
  const std::string pattern = engine.PopValue();
  TCutSubject subject(engine, engine.PopRaw(), true);
  if (subject.Value().empty()) {
    if (!subject.IsVariable()) engine.Raise(kMsgArgumentError, {engine.CommandName(entry)});
    engine.SetSore("", kTagString);
    return;
  }
  std::optional<TWildcardPrefix> match;
  try {
    match = WildcardPrefixMatch(subject.Value(), pattern);
  } catch (const EWildcardError& error) {
    engine.Raise(std::string(kMsgMatchError) + error.what());
  }
  if (!match) {
    engine.SetSore("", kTagString);
    return;
  }
  std::string result = match->Matched + "\r\n";
  for (const std::string& pickup : match->Pickups) result += pickup + "\r\n";
  subject.Finish(std::string(Trim(result)), std::move(match->Remainder));
}

}  // namespace

void RegisterCutHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(99, CutAtDelimiter);
  dispatcher.Register(279, CutWithEscape);
  dispatcher.Register(266, CutRange);
  dispatcher.Register(277, CutLeft);
  dispatcher.Register(278, CutRight);
  dispatcher.Register(374, Match);
}

}  // namespace yura

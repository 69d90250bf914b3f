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
// is cut and which keeps the remainder, or else an ordinary value. The
// variable's value is read in place: cutting a large value piece by piece
// stays linear.
class TCutSubject {
 public:
  TCutSubject(TEngine& engine, std::string raw, bool lookUpQuoted) : engine_(engine), raw_(std::move(raw)) {
    const bool quoted = !raw_.empty() && (raw_[0] == '"' || raw_[0] == '`');
    if (!quoted || lookUpQuoted) {
      const TNodeRef node = engine.State().Words.Find(raw_, false);
      if (node && node->Kind == nkVariable) variable_ = node;
    }
    if (!variable_) owned_ = engine.EvalValue(raw_);
  }

  std::string_view Value() const { return variable_ ? variable_->ValueView() : std::string_view(owned_); }
  bool IsVariable() const { return static_cast<bool>(variable_); }

  // それ receives the piece; the variable, when there is one and it is not
  // それ itself, keeps what follows the first `consumed` bytes.
  void FinishDroppingPrefix(std::string piece, std::size_t consumed) {
    if (Stores()) variable_->DropValuePrefix(consumed);
    engine_.SetSore(std::move(piece), kTagString);
  }
  // ... or keeps its first `kept` bytes.
  void FinishKeepingPrefix(std::string piece, std::size_t kept) {
    if (Stores()) variable_->MutableValue().resize(kept);
    engine_.SetSore(std::move(piece), kTagString);
  }

 private:
  bool Stores() const { return variable_ && variable_ != engine_.State().SoreNode; }

  TEngine& engine_;
  std::string raw_;
  TNodeRef variable_;
  std::string owned_;
};

void CutAtDelimiter(TEngine& engine, THashNode& entry) {
  const std::string delimiter = engine.PopValue();
  TCutSubject subject(engine, engine.PopRaw(), true);
  if (subject.Value().empty()) engine.Raise(kMsgArgumentError, {engine.CommandName(entry)});
  if (delimiter.empty()) {
    engine.SetSore("", kTagString);
    return;
  }
  const std::string_view text = subject.Value();
  const std::size_t at = FindChars(text, delimiter);
  if (at == std::string::npos)
    subject.FinishDroppingPrefix(std::string(text), text.size());
  else
    subject.FinishDroppingPrefix(std::string(text.substr(0, at)), at + delimiter.size());
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
  const std::string_view text = subject.Value();
  std::string piece;
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i).starts_with(delimiter)) {
      subject.FinishDroppingPrefix(std::move(piece), i + delimiter.size());
      return;
    }
    const std::size_t length = CharLengthAt(text, i);
    if (length == 1 && text[i] == escape[0] && i + 1 < text.size()) {
      // The escaped character never starts a delimiter.
      const std::size_t protectedLength = CharLengthAt(text, i + 1);
      piece.append(text.substr(i, 1 + protectedLength));
      i += 1 + protectedLength;
      continue;
    }
    piece.append(text.substr(i, length));
    i += length;
  }
  subject.FinishDroppingPrefix(std::move(piece), text.size());
}

void CutRange(TEngine& engine, THashNode& entry) {
  const std::string finish = engine.PopValue();
  const std::string start = engine.PopValue();
  const std::string raw = engine.PopRaw();
  const TNodeRef variable = engine.State().Words.Find(raw, false);
  if (!variable || variable->Kind != nkVariable) engine.Raise(kMsgNeedVariable, {engine.CommandName(entry)});
  engine.SetSore("", kTagString);
  const std::string text = variable->Value();
  const std::size_t from = FindChars(text, start);
  if (from == std::string::npos) return;
  const std::size_t to = FindChars(text, finish, from);
  const std::size_t end = to == std::string::npos ? text.size() : to + finish.size();
  std::string piece = text.substr(from, end - from);
  if (variable != engine.State().SoreNode) variable->SetValue(text.substr(0, from) + text.substr(end));
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
  const std::string_view text = subject.Value();
  const long long length = static_cast<long long>(CharCount(text));
  const std::size_t split = ByteOffsetOfChar(text, fromLeft ? n + 1 : length - n + 1);
  if (fromLeft)
    subject.FinishDroppingPrefix(std::string(text.substr(0, split)), split);
  else
    subject.FinishKeepingPrefix(std::string(text.substr(split)), split);
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
  subject.FinishDroppingPrefix(std::string(Trim(result)), match->Matched.size());
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

// File handles: a variable holding "\FILE_HANDLE" owns an open text file
// stream. ハンドルを開く, ハンドルを詳しく開く, line and binary reading and
// writing, positioning, the end test and closing.
#include <algorithm>
#include <memory>
#include <vector>

#include "commands/files/textstream.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/format.h"
#include "core/platform_errors.h"
#include "engine/engine.h"
#include "host/fileguard.h"

namespace yura {
namespace {

constexpr std::string_view kFileHandleMarker = "\\FILE_HANDLE";
constexpr std::string_view kQuestionOpenHandle = "ファイル\"%s\"を操作しようとしています。よろしいですか？";
constexpr std::string_view kHandlePrefix = "ハンドル:";

// The open streams of a run, each owned by the handle variable it was opened
// for. The entry keeps the variable's node, so that a node made later can
// never be mistaken for it.
class TFileHandles final : public TOwnedState {
 public:
  struct TEntry {
    TNodeRef Variable;
    std::unique_ptr<TTextFileStream> Stream;
  };

  TTextFileStream* Find(const THashNode* variable) {
    const auto it = Locate(variable);
    return it == entries_.end() ? nullptr : it->Stream.get();
  }
  void Attach(TNodeRef variable, std::unique_ptr<TTextFileStream> stream) {
    Close(variable.get());
    entries_.push_back({std::move(variable), std::move(stream)});
  }
  void Close(const THashNode* variable) {
    const auto it = Locate(variable);
    if (it != entries_.end()) entries_.erase(it);
  }

 private:
  std::vector<TEntry>::iterator Locate(const THashNode* variable) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [variable](const TEntry& entry) { return entry.Variable.get() == variable; });
  }
  std::vector<TEntry> entries_;
};

TFileHandles& Handles(TYuraBase& state) {
  if (!state.Handles) state.Handles = std::make_unique<TFileHandles>();
  return static_cast<TFileHandles&>(*state.Handles);
}

// The stream of the handle variable of that name; nothing when the name is
// not a handle.
TTextFileStream* FindStream(TEngine& engine, const std::string& name, TNodeRef* variable = nullptr) {
  TYuraBase& state = engine.State();
  const TNodeRef node = state.Words.Find(name, false);
  if (!node || node->Kind != nkVariable || node->Value() != kFileHandleMarker) return nullptr;
  if (variable != nullptr) *variable = node;
  return Handles(state).Find(node.get());
}

TTextFileStream& HandleByName(TEngine& engine, const std::string& name) {
  TTextFileStream* stream = FindStream(engine, name);
  if (stream == nullptr) engine.Raise(kMsgNoVariable, {name});
  return *stream;
}

// The line commands name a missing handle as a missing file.
TTextFileStream& LineHandle(TEngine& engine, const std::string& name) {
  TTextFileStream* stream = FindStream(engine, name);
  if (stream == nullptr) engine.Raise(kMsgNoFile, {std::string(kHandlePrefix) + name});
  return *stream;
}

// The positioning and binary commands take the handle between backquotes too.
TTextFileStream& QuotedHandle(TEngine& engine, const std::string& raw) {
  const std::string name = Unbackquote(raw);
  if (!engine.State().Words.Find(name, false)) engine.Raise(kMsgNotIdentified, {name});
  return HandleByName(engine, name);
}

void OpenHandle(TEngine& engine, const std::string& name, const std::string& file, TOpenMode mode) {
  TYuraBase& state = engine.State();
  const TNodeRef variable = WritableWord(engine, name, kTagString);
  if (ConfirmFileAccess(state, file, FormatMessage(kQuestionOpenHandle, {file}))) return;
  auto stream = std::make_unique<TTextFileStream>();
  if (!stream->Open(file, mode)) engine.Raise(kMsgCannotOpenFile, {file});
  variable->SetValue(std::string(kFileHandleMarker));
  variable->Description.assign(kTagString);
  Handles(state).Attach(variable, std::move(stream));
}

// ハンドルを開く (331): the file is created when missing.
void Open(TEngine& engine, THashNode&) {
  const std::string file = engine.PopValue();
  const std::string name = engine.PopValue();
  OpenHandle(engine, name, file, TOpenMode::OpenOrCreate);
}

// The open modes of ハンドルを詳しく開く: 0 read, 1 write, 2 both, 65535 create;
// the share flags (16 to 64) have no meaning here.
std::optional<TOpenMode> ModeOf(long long number) {
  if (number == 0xFFFF) return TOpenMode::Create;
  switch (number & 0x0F) {
    case 0: return TOpenMode::Read;
    case 1: return TOpenMode::Write;
    case 2: return TOpenMode::ReadWrite;
    default: return std::nullopt;
  }
}

// ハンドルを詳しく開く (422).
void OpenWithMode(TEngine& engine, THashNode&) {
  const long long number = PopNumberArgument(engine);
  const std::string file = engine.PopValue();
  const std::string name = engine.PopValue();
  const std::optional<TOpenMode> mode = ModeOf(number);
  if (!mode) engine.Raise(kMsgCannotOpenFile, {file});
  OpenHandle(engine, name, file, *mode);
}

// ハンドルを一行読む (332).
void ReadLine(TEngine& engine, THashNode&) {
  TTextFileStream& stream = LineHandle(engine, engine.PopRaw());
  const TNodeRef target = WritableWord(engine, PopName(engine), kTagString);
  target->SetValue(stream.ReadLine());
  target->Description.assign(kTagString);
}

// ハンドルへ一行書く (333): nothing at the highest security level.
void WriteLine(TEngine& engine, THashNode&) {
  TTextFileStream& stream = LineHandle(engine, engine.PopRaw());
  const std::string text = engine.PopValue();
  if (engine.State().SecurityLevel >= 2) return;
  stream.WriteLine(text);
}

// ハンドルを閉じる (334): the stream is freed and the variable removed.
void Close(TEngine& engine, THashNode&) {
  const std::string name = engine.PopRaw();
  TNodeRef variable;
  if (FindStream(engine, name, &variable) == nullptr) return;
  TYuraBase& state = engine.State();
  Handles(state).Close(variable.get());
  variable->SetValue({});
  state.Words.Delete(name, false);
}

// ハンドル最後か (335).
void AtEnd(TEngine& engine, THashNode&) {
  engine.SetSore(HandleByName(engine, engine.PopRaw()).AtEnd() ? "1" : "0", kTagNumber);
}

void MoveToStart(TEngine& engine, THashNode&) { HandleByName(engine, engine.PopRaw()).MoveTo(0); }

void MoveToEnd(TEngine& engine, THashNode&) {
  TTextFileStream& stream = HandleByName(engine, engine.PopRaw());
  stream.MoveTo(stream.Size());
}

// ハンドルを移動 (419).
void MoveTo(TEngine& engine, THashNode&) {
  const long long offset = PopNumberArgument(engine);
  TTextFileStream& stream = QuotedHandle(engine, engine.PopRaw());
  stream.MoveTo(offset < 0 ? 0 : static_cast<std::uint64_t>(offset));
}

// ハンドルにバイナリを書く (420): the value, cut or filled with zero bytes to
// the count, at the file position.
void WriteBinary(TEngine& engine, THashNode&) {
  const long long count = PopNumberArgument(engine);
  TTextFileStream& stream = QuotedHandle(engine, engine.PopRaw());
  std::string bytes = engine.PopValue();
  if (count <= 0 || engine.State().SecurityLevel >= 2) return;
  bytes.resize(static_cast<std::size_t>(count), '\0');
  stream.WriteBinary(bytes);
}

// ハンドルにバイナリを読む (421): the target holds the count of bytes read at
// the file position; bytes past the end of the file are zero.
void ReadBinary(TEngine& engine, THashNode&) {
  const long long count = PopNumberArgument(engine);
  TTextFileStream& stream = QuotedHandle(engine, engine.PopRaw());
  const TNodeRef target = WritableWord(engine, PopName(engine), kTagString);
  if (count < 1) return;
  std::string bytes(static_cast<std::size_t>(count), '\0');
  stream.ReadBinary(bytes.data(), bytes.size());
  target->SetValue(std::move(bytes));
  target->Description.assign(kTagString);
}

}  // namespace

void RegisterFileHandleHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(331, Open);
  dispatcher.Register(422, OpenWithMode);
  dispatcher.Register(332, ReadLine);
  dispatcher.Register(333, WriteLine);
  dispatcher.Register(334, Close);
  dispatcher.Register(335, AtEnd);
  dispatcher.Register(336, MoveToStart);
  dispatcher.Register(337, MoveToEnd);
  dispatcher.Register(419, MoveTo);
  dispatcher.Register(420, WriteBinary);
  dispatcher.Register(421, ReadBinary);
}

}  // namespace yura

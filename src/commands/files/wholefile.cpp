// Whole files: 読む, 書く, 追加保存 (also on the clipboard), the scrambled
// files (暗号化して保存, 暗号解除して読込) and containers (ファイル合成,
// 合成ファイル取り出す).
#include "commands/files/filenames.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/format.h"
#include "engine/engine.h"
#include "host/cipher.h"
#include "host/fileguard.h"
#include "host/fmix.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kClipboard = "クリップボード";
constexpr std::string_view kQuestionWrite = "\"%s\"へ書き込みます。";
constexpr std::string_view kQuestionAppend = "ファイル\"%s\"へ文字列を追加します。";
constexpr std::string_view kQuestionScrambledSave = "\"%s\"へ保存しますか？";
constexpr std::string_view kQuestionPack = "\"%s\"へ保存します。";
constexpr std::string_view kMsgScrambleFailed = "\"%s\"で、暗号化に失敗";

void StoreText(TEngine& engine, const std::string& name, std::string text) {
  const TNodeRef target = WritableWord(engine, name, kTagString);
  target->SetValue(std::move(text));
  target->Description.assign(kTagString);
}

// 読む, 開く (37). The word クリップボード is recognised as written, not as a value.
void Read(TEngine& engine, THashNode&) {
  const std::string fileText = engine.PopRaw();
  const std::string name = PopName(engine);
  if (fileText == kClipboard) {
    StoreText(engine, name, engine.Host().ClipboardText());
    return;
  }
  const std::string path = ResolveForReading(engine, engine.EvalValue(fileText));
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) engine.Raise(kMsgFileReadWrite, {path});
  StoreText(engine, name, std::move(bytes));
}

// 書く, 保存 (38): a relative name is taken from the current folder.
void Write(TEngine& engine, THashNode&) {
  const std::string fileText = engine.PopRaw();
  const std::string value = engine.PopValue();
  if (fileText == kClipboard) {
    engine.Host().SetClipboardText(value);
    return;
  }
  const std::string path = engine.EvalValue(fileText);
  if (ConfirmFileAccess(engine.State(), path, FormatMessage(kQuestionWrite, {path}))) return;
  if (!WriteWholeFile(path, value)) engine.Raise(kMsgFileReadWrite, {path});
}

// 追加保存 (297): the file must exist; no line end is added.
void Append(TEngine& engine, THashNode&) {
  const std::string fileText = engine.PopRaw();
  const std::string value = engine.PopValue();
  if (fileText == kClipboard) {
    engine.Host().SetClipboardText(engine.Host().ClipboardText() + value);
    return;
  }
  const std::string path = ResolveForChange(engine, engine.EvalValue(fileText));
  if (ConfirmFileAccess(engine.State(), path, FormatMessage(kQuestionAppend, {path}))) return;
  if (!FileExists(path)) engine.Raise(kMsgNoFile, {path});
  if (!AppendToFile(path, value)) engine.Raise(kMsgFileReadWrite, {path});
}

// 暗号化して保存 (90).
void SaveScrambled(TEngine& engine, THashNode& entry) {
  const std::string path = engine.PopValue();
  const std::string text = engine.PopValue();
  if (ConfirmFileAccess(engine.State(), path, FormatMessage(kQuestionScrambledSave, {path}))) return;
  const std::optional<std::string> bytes = MakeScrambledFile(text);
  if (!bytes) engine.Raise(kMsgScrambleFailed, {engine.CommandName(entry)});
  if (!WriteWholeFile(path, *bytes)) engine.Raise(kMsgFileReadWrite, {path});
}

// 暗号解除して読込 (91): no question is asked for reading.
void LoadScrambled(TEngine& engine, THashNode&) {
  const std::string path = engine.PopValue();
  const std::string name = PopName(engine);
  std::string bytes;
  std::optional<std::string> text;
  if (ReadWholeFile(path, bytes)) text = ReadScrambledFile(std::move(bytes));
  if (!text) engine.Raise(kMsgFileReadWrite, {path});
  StoreText(engine, name, std::move(*text));
}

// The writer's entries from a list: commas count as "="; a list without any
// "=" stores every file unscrambled under its own file name.
std::vector<TFileMixEntry> PackingEntries(std::string list) {
  for (char& c : list)
    if (c == ',') c = '=';
  const bool named = list.find('=') != std::string::npos;
  std::vector<TFileMixEntry> entries;
  for (std::string_view line : SplitLines(list)) {
    if (named) {
      entries.push_back(ParseFileMixEntry(line));
    } else {
      entries.push_back({std::string(line), std::string(FileNamePart(line)), 0});
    }
  }
  return entries;
}

// ファイル合成 (206): the result of the writing is not reported.
void Pack(TEngine& engine, THashNode&) {
  const std::string target = PopTrimmed(engine);
  const std::string list = PopTrimmed(engine);
  if (ConfirmFileAccess(engine.State(), target, FormatMessage(kQuestionPack, {target}))) return;
  WriteFileMix(PackingEntries(list), target);
}

// 合成ファイル取り出す (207).
void Unpack(TEngine& engine, THashNode&) {
  const std::string member = engine.PopValue();
  const std::string container = engine.PopValue();
  std::string error;
  const std::unique_ptr<TFileMixReader> reader = TFileMixReader::Open(container, 0, error);
  if (!reader) engine.Raise(error);
  std::optional<std::string> text = reader->ReadMemberText(member);
  if (!text) engine.Raise(kMsgNoFile, {member});
  engine.SetSore(std::move(*text), kTagString);
}

}  // namespace

void RegisterWholeFileHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(37, Read);
  dispatcher.Register(38, Write);
  dispatcher.Register(297, Append);
  dispatcher.Register(90, SaveScrambled);
  dispatcher.Register(91, LoadScrambled);
  dispatcher.Register(206, Pack);
  dispatcher.Register(207, Unpack);
}

}  // namespace yura

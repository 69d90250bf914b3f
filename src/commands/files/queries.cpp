// Commands that look at files without changing them: existence tests,
// attributes, dates, sizes, drive kinds, short and long names, and the
// enumerations.
#include "commands/files/filenames.h"
#include "commands/files/listing.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "engine/engine.h"
#include "engine/subroutines.h"
#include "platform/fileops.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::size_t kShortNameLimit = 255;

void SetFlag(TEngine& engine, bool flag) { engine.SetSore(flag ? "1" : "0", kTagNumber); }

void IsFolder(TEngine& engine, THashNode&) { SetFlag(engine, FolderExists(PopTrimmed(engine))); }
void IsFile(TEngine& engine, THashNode&) { SetFlag(engine, FileExists(PopTrimmed(engine))); }

// 存在するか (81): a path ending in a separator asks for a folder.
void Exists(TEngine& engine, THashNode&) {
  const std::string path = PopTrimmed(engine);
  const bool folder = !path.empty() && IsPathSeparatorAt(path, path.size() - 1);
  SetFlag(engine, folder ? FolderExists(path) : FileExists(path));
}

void GetAttributes(TEngine& engine, THashNode&) {
  const std::optional<int> attributes = FileAttributes(FindFile(engine, engine.PopValue()));
  engine.SetSore(std::to_string(attributes.value_or(-1)), kTagNumber);
}

// The first entry the value matches, as a path; the value itself when it
// names an entry exactly.
std::optional<std::string> FirstMatch(const std::string& pattern) {
  if (FileExists(pattern) || FolderExists(pattern)) return pattern;
  const TPatternMatch match = MatchPattern(pattern);
  if (match.Entries.empty()) return std::nullopt;
  return match.Folder + match.Entries.front().Name;
}

// ファイル日時 (185).
void FileTime(TEngine& engine, THashNode&) {
  const std::string pattern = engine.PopValue();
  const std::optional<std::string> path = FirstMatch(pattern);
  const std::optional<std::string> time = path ? FileTimeText(*path) : std::nullopt;
  if (!time) engine.Raise(kMsgFileReadWrite, {pattern});
  engine.SetSore(*time, kTagString);
}

// ファイルサイズ (186): a folder's size is 0.
void FileSize(TEngine& engine, THashNode&) {
  const std::string pattern = engine.PopValue();
  const std::optional<std::string> path = FirstMatch(pattern);
  if (!path) engine.Raise(kMsgFileReadWrite, {pattern});
  engine.SetSore(std::to_string(FileSizeOf(*path).value_or(0)), kTagString);
}

// ドライブ種類判定 (353): a single letter names a drive, which this system
// does not have.
void DriveType(TEngine& engine, THashNode&) {
  std::string path = PopTrimmed(engine);
  if (path.size() == 1) path += ":\\";
  engine.SetSore(DriveKind(path), kTagString);
}

// 短いファイル名取得 (383): names have no short form here, so an existing file's
// short name is its full path; "" when it does not exist.
void ShortName(TEngine& engine, THashNode&) {
  const std::string path = FindFile(engine, engine.PopValue());
  std::string name;
  if (FileExists(path) || FolderExists(path)) {
    name = std::string(CutToBytes(AbsolutePath(path), kShortNameLimit));
  }
  engine.SetSore(std::move(name), kTagString);
}

// 長いファイル名取得 (384).
void LongName(TEngine& engine, THashNode&) {
  engine.SetSore(AbsolutePath(FindFile(engine, engine.PopValue())), kTagString);
}

// The enumerations: an empty value leaves それ as it is.
void Enumerate(TEngine& engine, bool folders, bool recursive) {
  std::string value = engine.PopValue();
  if (recursive) value = std::string(Trim(value));
  if (value.empty()) return;
  std::string out;
  for (std::string_view pattern : SplitPatterns(value))
    out += recursive ? ListPathsRecursively(pattern, folders) : ListNames(pattern, folders);
  engine.SetSore(std::move(out), kTagString);
}

void ListFiles(TEngine& engine, THashNode&) { Enumerate(engine, false, false); }
void ListFolders(TEngine& engine, THashNode&) { Enumerate(engine, true, false); }
void ListAllFiles(TEngine& engine, THashNode&) { Enumerate(engine, false, true); }
void ListAllFolders(TEngine& engine, THashNode&) { Enumerate(engine, true, true); }

}  // namespace

void RegisterFileQueryHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(68, IsFolder);
  dispatcher.Register(69, IsFile);
  dispatcher.Register(81, Exists);
  dispatcher.Register(382, GetAttributes);
  dispatcher.Register(185, FileTime);
  dispatcher.Register(186, FileSize);
  dispatcher.Register(353, DriveType);
  dispatcher.Register(383, ShortName);
  dispatcher.Register(384, LongName);
  dispatcher.Register(67, ListFiles);
  dispatcher.Register(168, ListFolders);
  dispatcher.Register(268, ListAllFiles);
  dispatcher.Register(446, ListAllFolders);
}

}  // namespace yura

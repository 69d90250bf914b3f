// Commands that change the file system: copy, delete (to the trash or for
// good), rename, move, links, folders, attributes and the current folder.
// Each asks the file access guard for every path it changes.
#include <cerrno>

#include "commands/files/filenames.h"
#include "commands/files/listing.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/errors.h"
#include "core/format.h"
#include "engine/engine.h"
#include "engine/subroutines.h"
#include "host/fileguard.h"
#include "platform/fileops.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "source/sjis.h"
#include "textutil/filemask.h"

namespace yura {
namespace {

constexpr std::string_view kQuestionCopy = "\"%s\"へコピーします。";
constexpr std::string_view kQuestionTrash = "ファイル\"%s\"を、削除します。";
constexpr std::string_view kQuestionDelete = "ファイル\"%s\"を、完全に削除します。";
constexpr std::string_view kQuestionRename = "ファイル名\"%s\"を、\r\n\"%s\"に、改名します。";
constexpr std::string_view kQuestionMove = "\"%s\"を,\"%s\"へ移動しますか？";
constexpr std::string_view kQuestionLink = "\"%s\"にショートカットを作成します。";
constexpr std::string_view kQuestionMakeFolder = "\"%s\" にフォルダを作成します。";
constexpr std::string_view kQuestionDeleteFolder = "フォルダ\"%s\"を、削除します。";
constexpr std::string_view kQuestionAttributes = "\"%s\"のファイル属性変更をしますか？";
constexpr std::string_view kMsgRenameFailed = "ファイル名の変更";
constexpr std::string_view kMsgChangeFolderFailed = "\"%s\"で作業フォルダの変更に失敗。理由は、";
constexpr std::string_view kMsgGiveArgument = "引数を指定してください。";
constexpr std::string_view kLinkExtension = ".lnk";

bool Refused(TEngine& engine, const std::string& target, std::string_view question,
             std::initializer_list<std::string_view> values) {
  return ConfirmFileAccess(engine.State(), target, FormatMessage(question, values));
}

// A file or a whole folder copied to a target path.
void CopyEntry(const std::string& source, const std::string& target) {
  if (FolderExists(source))
    CopyTree(source, target);
  else
    CopyFileTo(source, target);
}

// ファイルコピー (58): wildcards in the source copy every match into the target
// folder; otherwise the target is the new file's name, or a folder to copy
// into. Failures are not reported.
void Copy(TEngine& engine, THashNode&) {
  const std::string target = PopTrimmed(engine);
  const std::string source = ResolveForReading(engine, PopTrimmed(engine));
  if (Refused(engine, target, kQuestionCopy, {target})) return;
  if (HasFileMaskWildcard(FileNamePart(source))) {
    const TPatternMatch match = MatchPattern(source);
    if (match.Entries.empty()) return;
    CreateFolders(target);
    for (const TDirEntry& entry : match.Entries)
      CopyEntry(match.Folder + entry.Name, WithTrailingSeparator(target) + entry.Name);
    return;
  }
  CopyEntry(source, FolderExists(target) ? WithTrailingSeparator(target) + std::string(FileNamePart(source)) : target);
}

// ファイル削除 (59): a relative name is taken from the script folder; the file
// goes to the trash.
void Trash(TEngine& engine, THashNode&) {
  const std::string path = InScriptFolder(engine, engine.PopValue());
  if (Refused(engine, path, kQuestionTrash, {path}) || IsProtectedFromDeletion(path)) return;
  MoveToTrash(path);
}

// ファイル完全削除 (385).
void Delete(TEngine& engine, THashNode&) {
  const std::string path = InScriptFolder(engine, ResolveForChange(engine, engine.PopValue()));
  if (Refused(engine, path, kQuestionDelete, {path}) || IsProtectedFromDeletion(path)) return;
  RemoveFile(path);
}

// ファイル名変更 (60): an existing file of the new name is never replaced.
void Rename(TEngine& engine, THashNode&) {
  const std::string newName = engine.PopValue();
  const std::string oldName = engine.PopValue();
  if (Refused(engine, oldName, kQuestionRename, {oldName, newName}) ||
      Refused(engine, newName, kQuestionRename, {oldName, newName}))
    return;
  const bool taken = FileExists(newName) || FolderExists(newName) || IsSymbolicLink(newName);
  if (taken || IsProtectedFromDeletion(oldName) || !RenamePath(oldName, newName))
    throw EPlainError(FormatMessage(kMsgFileReadWrite, {oldName}) + std::string(kMsgRenameFailed));
}

// ファイル移動 (61): into the target when it is a folder. Failures are not
// reported.
void Move(TEngine& engine, THashNode&) {
  const std::string target = engine.PopValue();
  const std::string source = ResolveForChange(engine, engine.PopValue());
  if (Refused(engine, source, kQuestionMove, {source, target}) ||
      Refused(engine, target, kQuestionMove, {source, target}) || IsProtectedFromDeletion(source))
    return;
  MovePath(source, FolderExists(target) ? WithTrailingSeparator(target) + std::string(FileNamePart(source)) : target);
}

bool EndsWithLinkExtension(std::string_view name) {
  if (name.size() < kLinkExtension.size()) return false;
  std::string tail(name.substr(name.size() - kLinkExtension.size()));
  for (char& c : tail)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return tail == kLinkExtension;
}

// ショートカット作成 (66): a symbolic link named *.lnk. Failures are not
// reported.
void MakeLink(TEngine& engine, THashNode&) {
  std::string link = PopTrimmed(engine);
  const std::string target = ResolveForReading(engine, PopTrimmed(engine));
  if (!link.empty() && IsPathSeparatorAt(link, link.size() - 1)) link += std::string(FileNamePart(target));
  if (!EndsWithLinkExtension(link)) {
    const std::string_view name = FileNamePart(link);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) link.resize(link.size() - (name.size() - dot));
    link += kLinkExtension;
  }
  if (Refused(engine, link, kQuestionLink, {link})) return;
  CreateSymbolicLink(AbsolutePath(target), link);
}

void ChangeFolder(TEngine& engine, const THashNode& entry, const std::string& folder) {
  if (ChangeCurrentFolder(folder)) return;
  const std::string reason = LastErrorText();
  engine.Raise(FormatMessage(kMsgChangeFolderFailed, {engine.CommandName(entry)}) + reason);
}

// 作業フォルダ変更 (62).
void ChangeWorkFolder(TEngine& engine, THashNode& entry) { ChangeFolder(engine, entry, PopTrimmed(engine)); }

// 作業フォルダ (89): without an argument, それ is the current folder.
void WorkFolder(TEngine& engine, THashNode& entry) {
  if (entry.ArgPattern.empty() || engine.State().SoreImplied) {
    if (!entry.ArgPattern.empty()) engine.PopRaw();
    engine.SetSore(CurrentFolder(), kTagString);
    return;
  }
  ChangeFolder(engine, entry, PopTrimmed(engine));
}

// フォルダ作成 (63): every missing level is made.
void MakeFolder(TEngine& engine, THashNode& entry) {
  const std::string folder = PopTrimmed(engine);
  if (folder.empty()) RaiseArgumentError(engine, entry, kMsgGiveArgument);
  if (Refused(engine, folder, kQuestionMakeFolder, {folder})) return;
  CreateFolders(folder);
}

// フォルダ削除 (64): everything the pattern matches goes, folders with their
// content; a path ending in a separator names the folder itself, which is
// removed when it is left empty. Roots, the home folder, anything reached
// through a symbolic link and the folders above the named entries are never
// removed. Failures are not reported.
void DeleteFolder(TEngine& engine, THashNode&) {
  const std::string pattern = PopTrimmed(engine);
  if (pattern.empty() || Refused(engine, pattern, kQuestionDeleteFolder, {pattern})) return;
  const TPatternMatch match = MatchPattern(pattern);
  const std::string folder = match.Folder.empty() ? std::string("./") : match.Folder;
  const std::string folderPath = AbsolutePath(folder + ".");
  if (IsProtectedFromDeletion(folderPath) || IsSymbolicLink(folderPath)) return;
  const bool namedByMask = !FileNamePart(pattern).empty();
  for (const TDirEntry& entry : match.Entries) {
    const std::string path = folder + entry.Name;
    if (IsProtectedFromDeletion(path)) continue;
    // A link named on its own is refused; inside a wildcard match it goes,
    // without what it points to.
    if (entry.IsLink && !HasFileMaskWildcard(FileNamePart(pattern))) continue;
    if (entry.IsFolder && !entry.IsLink)
      RemoveTree(path);
    else
      RemoveFile(path);
  }
  if (!namedByMask) RemoveFolder(folderPath);
}

// ファイル属性変更 (65): a value that is not an integer changes nothing.
void SetAttributes(TEngine& engine, THashNode&) {
  const std::optional<std::int64_t> attributes = ParseInteger(engine.PopValue());
  const std::string path = ResolveForChange(engine, engine.PopValue());
  if (!attributes || Refused(engine, path, kQuestionAttributes, {path})) return;
  SetFileAttributes(path, static_cast<int>(*attributes));
}

}  // namespace

void RegisterFileOperationHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(58, Copy);
  dispatcher.Register(59, Trash);
  dispatcher.Register(385, Delete);
  dispatcher.Register(60, Rename);
  dispatcher.Register(61, Move);
  dispatcher.Register(66, MakeLink);
  dispatcher.Register(62, ChangeWorkFolder);
  dispatcher.Register(89, WorkFolder);
  dispatcher.Register(63, MakeFolder);
  dispatcher.Register(64, DeleteFolder);
  dispatcher.Register(65, SetAttributes);
}

}  // namespace yura

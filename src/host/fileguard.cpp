#include "host/fileguard.h"

#include "platform/dialogservice.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "source/sjis.h"
#include "textutil/inifile.h"

namespace yura {
namespace {

constexpr std::string_view kSecurityFile = "security.ini";
constexpr std::string_view kMsgSecurityFile = "このプログラムは、\"security.ini\"を、操作出来ません！";
constexpr std::string_view kCaptionSecurity = "セキュリティの警告";
constexpr std::string_view kYes = "はい";
constexpr std::string_view kNo = "いいえ";
constexpr std::string_view kYesToAll = "全てはい";
constexpr std::string_view kNoToAll = "全ていいえ";

constexpr int kLow = 0, kMid = 1, kHigh = 2;

bool NamesSecurityFile(std::string_view path) { return EqualsIgnoringAsciiCase(FileNamePart(path), kSecurityFile); }

// Whether `path` lies in `folder` (both canonical, the folder ending in "/").
bool Inside(std::string_view path, std::string_view folder) {
  if (folder.empty()) return false;
  std::string withSlash(path);
  if (!withSlash.ends_with('/')) withSlash += '/';
  return withSlash.starts_with(folder);
}

bool HasWildcard(std::string_view target) {
  for (std::size_t i = 0; i < target.size(); i += CharLengthAt(target, i))
    if (target[i] == '*') return true;
  return false;
}

}  // namespace

void ReadSecurityLevel(TYuraBase& state) {
  std::string value, text;
  const std::string beside = WithTrailingSeparator(state.ScriptFolder) + std::string(kSecurityFile);
  const std::string runtime = std::string(FolderPart(state.Startup.RuntimePath)) + std::string(kSecurityFile);
  if (!state.ScriptFolder.empty() && ReadWholeFile(beside, text)) {
    value = TIniFile(text).Read(FileNamePart(state.ScriptPath), "security");
  } else if (!state.Startup.RuntimePath.empty() && ReadWholeFile(runtime, text)) {
    value = TIniFile(text).Read(state.ScriptPath, "security");
  }
  const char first = value.empty() ? '\0' : value[0];
  state.SecurityLevel = (first == 'H' || first == 'h') ? kHigh : ((first == 'L' || first == 'l') ? kLow : kMid);
}

bool ConfirmFileAccess(TYuraBase& state, std::string_view target, std::string_view question) {
  if (state.SecurityLevel < 0) ReadSecurityLevel(state);
  if (state.SecurityLevel >= kHigh) return true;
  // Relative targets, ".." and symbolic links are resolved first, so that
  // neither the folder test nor the security.ini protection can be got round.
  const std::string canonical = CanonicalPath(target);
  if (NamesSecurityFile(target) || NamesSecurityFile(canonical)) {
    state.Host().ShowRuntimeMessage(kMsgSecurityFile, kCaptionSecurity);
    return true;
  }
  const std::string base = state.ScriptFolder.empty() ? std::string() : WithTrailingSeparator(CanonicalPath(state.ScriptFolder));
  if (!HasWildcard(target) && Inside(canonical, base)) return false;
  if (state.SecurityLevel != kMid) return false;

  const TDialogFont font{state.FontNameNode ? state.FontNameNode->Value() : std::string(),
                         state.FontSizeNode ? state.FontSizeNode->Value() : std::string(),
                         state.FontColorNode ? state.FontColorNode->Value() : std::string()};
  const auto answer = state.Host().Dialogs().ChooseButton(
      std::string(question), {std::string(kYes), std::string(kNo), std::string(kYesToAll), std::string(kNoToAll)}, font);
  if (answer == kYes) return false;
  if (answer == kYesToAll) {
    state.SecurityLevel = kLow;
    return false;
  }
  if (answer == kNoToAll) state.SecurityLevel = kHigh;
  return true;
}

}  // namespace yura

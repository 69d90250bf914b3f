#include "host/startup.h"

#include "core/errors.h"
#include "core/format.h"
#include "engine/scriptfile.h"
#include "core/platform_errors.h"
#include "host/messages.h"
#include "host/resourcearchive.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "source/textlines.h"

namespace yura {
namespace {

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string_view ExtensionOf(std::string_view path) {
  const std::string_view name = FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

}  // namespace

TStartupOutcome TStartup::Locate(const std::vector<std::string>& parameters) {
  outcome_ = TStartupOutcome();
  try {
    LocateScript(parameters);
  } catch (const EYura& error) {
    // A failure during window creation is reported there; the rest of the
    // start is skipped.
    state_.Host().ShowRuntimeMessage(error.Message(), {});
    state_.SourceFileName.clear();
    state_.SourceText.reset();
    outcome_.Failed = true;
  }
  return outcome_;
}

void TStartup::LocateScript(const std::vector<std::string>& parameters) {
  state_.Startup.Parameters = parameters;
  state_.Startup.RuntimePath = parameters.empty() ? std::string() : parameters[0];
  const std::string runtime = state_.Startup.RuntimePath;
  if (LoadPackedScript(runtime)) {
    ComputeScriptPaths();
    return;
  }
  if (parameters.size() > 1)
    ParseCommandLine(parameters);
  else
    FindDefaultScript();
  ComputeScriptPaths();
  if (outcome_.StartupName.empty() || outcome_.CloseWindow) return;
  // An executable named with -runtime brought its script from its container;
  // on a system where programs have no extension that is how it is known.
  const std::string extension = LowerAscii(ExtensionOf(outcome_.StartupName));
  if (extension == ".exe" || extension == ".scr" || state_.PackedScript) return;
  LoadScriptFile();
}

bool TStartup::LoadPackedScript(const std::string& executable) {
  const std::vector<std::string>& parameters = state_.Startup.Parameters;
  if (parameters.size() > 1 && parameters[1] == "-run") return false;
  if (!FileExists(executable))
    state_.Raise(std::string(kMsgExtractFailed) + FormatMessage(kMsgCannotOpenFile, {executable}));
  // The container is read where it lies, after the executable's image.
  const std::optional<std::uint64_t> overlay = FindOverlay(executable);
  if (!overlay) return false;
  std::string error;
  if (!OpenResourceArchive(state_, executable, *overlay, error)) state_.Raise(std::string(kMsgExtractFailed) + error);
  std::optional<std::string> text = ResourceArchiveOf(state_)->ReadMemberText(kPackedScriptName);
  if (!text) return false;
  state_.SourceFileName = kPackedScriptName;
  ConvertScriptEncoding(state_, *text);
  state_.SourceText = MakeText(std::move(*text));
  state_.PackedScript = true;
  return true;
}

void TStartup::ParseCommandLine(const std::vector<std::string>& parameters) {
  for (std::size_t i = 1; i < parameters.size(); ++i) {
    const std::string& parameter = parameters[i];
    if (parameter.empty() || parameter[0] != '-') {
      if (outcome_.StartupName.empty()) outcome_.StartupName = parameter;
      continue;
    }
    auto value = [&]() -> std::string { return i + 1 < parameters.size() ? parameters[++i] : std::string(); };
    if (parameter == "-debug") {
      state_.DebugMode = true;
    } else if (parameter == "-linestop") {
      state_.LineStop = true;
    } else if (parameter == "-runtime") {
      outcome_.StartupName = value();
      state_.RuntimeMode = true;
      if (!LoadPackedScript(outcome_.StartupName)) {
        state_.Host().ShowRuntimeMessage(kMsgBrokenProgramFile, kCaptionProgramError);
        outcome_.Failed = true;
        outcome_.CloseWindow = true;
      }
    } else if (parameter == "-resource") {
      std::string error;
      if (!OpenResourceArchive(state_, value(), 0, error)) state_.Raise(kMsgResourceFailed);
    } else if (parameter == "-security") {
      const std::string level = LowerAscii(value());
      if (level == "low") state_.SecurityLevel = 0;
      if (level == "mid") state_.SecurityLevel = 1;
      if (level == "high") state_.SecurityLevel = 2;
    }
    // "-run" and unknown options are skipped.
  }
  if (outcome_.StartupName.empty()) FindDefaultScript();
}

void TStartup::FindDefaultScript() {
  const std::string candidate = state_.Startup.RuntimePath + ".yrh";
  if (state_.Startup.RuntimePath.empty() || !FileExists(candidate)) return;
  outcome_.StartupName = candidate;
  state_.DefaultScript = true;
}

void TStartup::ComputeScriptPaths() {
  std::size_t index = 0;
  if (!state_.DefaultScript) index = (state_.RuntimeMode ? 2 : 0) + (state_.PackedScript ? 0 : 1);
  state_.Startup.ScriptParameterIndex = index;
  // The script's own path, made absolute before the current folder changes.
  const std::string& source = state_.PackedScript && !state_.RuntimeMode ? state_.Startup.RuntimePath
                                                                          : outcome_.StartupName;
  if (source.empty()) return;
  state_.ScriptPath = AbsolutePath(source);
  state_.ScriptFolder = std::string(FolderPart(state_.ScriptPath));
}

void TStartup::LoadScriptFile() {
  const std::string& name = outcome_.StartupName;
  std::string text;
  bool read = false;
  try {
    state_.SourceFileName = name;
    read = ReadScriptText(state_, name, text);
  } catch (const EYura&) {
    state_.SourceFileName.clear();
    outcome_.Failed = true;
    state_.Host().ShowErrorWindow(state_.ErrorLog, state_.DebugMode);
    return;
  }
  if (!read) {
    state_.SourceFileName.clear();
    state_.Host().ShowRuntimeMessage(FormatMessage(kMsgStartupUnreadable, {name}), {});
    outcome_.Failed = true;
    return;
  }
  state_.SourceText = MakeText(std::move(text));
  const std::string_view folder = FolderPart(name);
  if (!folder.empty()) ChangeCurrentFolder(folder);
}

}  // namespace yura

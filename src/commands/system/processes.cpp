// Starting programs and opening documents: 起動, 起動して終了まで待機 and
// エクスプローラーで開く; and the windows of the desktop: アクティブ, キー送信 and
// ウインドウ列挙. Programs get an argument vector built here; documents,
// folders and addresses go to the desktop's opener (xdg-open).
#include <algorithm>

#include "commands/files/filenames.h"
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "commands/system/keynotation.h"
#include "core/desktop.h"
#include "engine/engine.h"
#include "engine/subroutines.h"
#include "host/resourcearchive.h"
#include "platform/clock.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::string_view kOpener = "xdg-open";
constexpr std::uint32_t kWaitSlice = 100;
constexpr std::size_t kTitleLimit = 255;

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool IsAddress(std::string_view text) {
  return StartsWithNoCase(text, "HTTP://") || StartsWithNoCase(text, "HTTPS://") || StartsWithNoCase(text, "MAILTO:");
}

bool IsScript(std::string_view program) {
  const std::string_view name = FileNamePart(program);
  const std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && StartsWithNoCase(name.substr(dot), ".YRH") && name.size() - dot == 4;
}

// The program part of a command line: up to the first blank outside double
// quotes (the quotes themselves removed); the rest, trimmed, is the
// parameters.
std::pair<std::string, std::string> SplitCommandLine(std::string_view text) {
  std::string program;
  bool quoted = false;
  std::size_t i = 0;
  for (; i < text.size(); i += CharLengthAt(text, i)) {
    const char c = text[i];
    if (c == '"') {
      if (quoted) {
        ++i;
        break;
      }
      quoted = true;
      continue;
    }
    if (!quoted && c == ' ') break;
    program.append(text.substr(i, CharLengthAt(text, i)));
  }
  return {program, std::string(Trim(text.substr(std::min(i, text.size()))))};
}

// The runtime starting a script: a packed runtime is told to run the script
// rather than its own.
std::vector<std::string> RuntimeArguments(TEngine& engine, const std::string& script) {
  const TYuraBase& state = engine.State();
  std::vector<std::string> arguments{RuntimeExecutablePath()};
  if (state.PackedScript && !state.RuntimeMode) arguments.push_back("-run");
  arguments.push_back(script);
  return arguments;
}

void Append(std::vector<std::string>& arguments, const std::vector<std::string>& more) {
  arguments.insert(arguments.end(), more.begin(), more.end());
}

// 起動 (24): scripts through this runtime, programs by their arguments,
// documents and addresses through the opener. Failures are not reported.
void Start(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string value = engine.PopValue();
  std::string extracted = ExtractResource(state, std::string(Trim(value)));
  const auto [program, parameters] = SplitCommandLine(extracted.empty() ? value : extracted);
  const std::string folder = CurrentFolder();
  if (IsScript(program)) {
    std::vector<std::string> arguments = RuntimeArguments(engine, FindFile(engine, program));
    if (!extracted.empty()) {
      if (std::string copy = CopyResourceArchive(state); !copy.empty()) Append(arguments, {"-resource", copy});
    }
    Append(arguments, SplitParameters(parameters));
    StartDetached(arguments, folder);
    return;
  }
  const std::string whole(Trim(value));
  if (IsAddress(whole) || FileExists(program + " " + parameters)) {
    StartDetached({std::string(kOpener), whole}, folder);
    return;
  }
  if (!IsExecutableProgram(program) && (FileExists(program) || FolderExists(program))) {
    StartDetached({std::string(kOpener), program}, folder);
    return;
  }
  std::vector<std::string> arguments{program};
  Append(arguments, SplitParameters(parameters));
  StartDetached(arguments, folder);
}

// 起動して終了まで待機 (104): windows stay responsive while the program runs;
// a stop request ends the wait.
void StartAndWait(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  std::string value(Trim(engine.PopValue()));
  if (std::string extracted = ExtractResource(state, value); !extracted.empty()) value = extracted;
  std::vector<std::string> arguments;
  if (IsScript(SplitCommandLine(value).first)) {
    arguments = RuntimeArguments(engine, FindFile(engine, SplitCommandLine(value).first));
  } else {
    auto [program, parameters] = SplitCommandLine(value);
    bool namesFolder = false;
    for (std::size_t i = 0; i < program.size(); ++i) namesFolder = namesFolder || IsPathSeparatorAt(program, i);
    if (!namesFolder) {
      // A bare name is looked up like a file the script reads, then on PATH.
      const std::string found = FindFile(engine, program);
      if (found != program || FileExists(program)) program = AbsolutePath(found);
    }
    arguments.push_back(program);
    Append(arguments, SplitParameters(parameters));
  }
  TChildProcess child;
  if (!child.Start(arguments, CurrentFolder())) return;
  while (child.Running() && !state.StopRequested) {
    engine.Host().ProcessEvents();
    SleepMilliseconds(kWaitSlice);
  }
}

// エクスプローラーで開く (184): folders, documents and addresses alike.
void OpenInFileManager(TEngine& engine, THashNode&) {
  StartDetached({std::string(kOpener), engine.PopValue()}, CurrentFolder());
}

// アクティブ (44).
void Activate(TEngine& engine, THashNode&) { engine.Host().Desktop().ActivateWindow(engine.PopValue()); }

// キー送信 (45): to the window named, when it could be brought to the front.
void SendKeys(TEngine& engine, THashNode&) {
  const std::string keys = engine.PopValue();
  const std::string title = engine.PopValue();
  const std::vector<TKeyStroke> strokes = ParseKeyNotation(keys);
  if (!engine.Host().Desktop().ActivateWindow(title)) return;
  engine.Host().ProcessEvents();
  engine.Host().Desktop().SendKeys(strokes);
}

// ウインドウ列挙 (183): titles cut to 255 bytes on a character boundary.
void ListWindows(TEngine& engine, THashNode&) {
  std::string out;
  for (const std::string& title : engine.Host().Desktop().WindowTitles())
    out.append(CutToBytes(title, kTitleLimit)).append(kCrLf);
  engine.SetSore(std::move(out), kTagString);
}

}  // namespace

void RegisterProcessHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(24, Start);
  dispatcher.Register(104, StartAndWait);
  dispatcher.Register(184, OpenInFileManager);
  dispatcher.Register(44, Activate);
  dispatcher.Register(45, SendKeys);
  dispatcher.Register(183, ListWindows);
}

}  // namespace yura

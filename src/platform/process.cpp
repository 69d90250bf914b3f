#include "platform/process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/paths.h"

extern char** environ;

namespace yura {
namespace {

struct TNativeArguments {
  std::vector<std::string> Texts;
  std::vector<char*> Pointers;

  explicit TNativeArguments(const std::vector<std::string>& sjisArguments) {
    for (const std::string& argument : sjisArguments) Texts.push_back(ToNativePath(argument));
    for (std::string& text : Texts) Pointers.push_back(text.data());
    Pointers.push_back(nullptr);
  }
};

// Starts the program in the folder; -1 on failure. posix_spawn keeps the
// child from running our code between fork and exec.
pid_t Spawn(const std::vector<std::string>& sjisArguments, std::string_view sjisFolder, bool newSession) {
  if (sjisArguments.empty() || sjisArguments[0].empty()) return -1;
  TNativeArguments arguments(sjisArguments);
  const std::string folder = ToNativePath(sjisFolder);
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawnattr_init(&attributes);
  if (!folder.empty()) ::posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  if (newSession) ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t child = -1;
  const int failed = ::posix_spawnp(&child, arguments.Pointers[0], &actions, &attributes, arguments.Pointers.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  ::posix_spawnattr_destroy(&attributes);
  return failed == 0 ? child : -1;
}

// Programs started without waiting, reaped as they end.
std::vector<pid_t>& DetachedChildren() {
  static std::vector<pid_t> children;
  return children;
}

void ReapDetached() {
  auto& children = DetachedChildren();
  std::erase_if(children, [](pid_t child) { return ::waitpid(child, nullptr, WNOHANG) != 0; });
}

}  // namespace

bool StartDetached(const std::vector<std::string>& sjisArguments, std::string_view sjisFolder) {
  ReapDetached();
  const pid_t child = Spawn(sjisArguments, sjisFolder, true);
  if (child <= 0) return false;
  DetachedChildren().push_back(child);
  return true;
}

TChildProcess::~TChildProcess() {
  // A program still running when the run ends is left to run; it is reaped
  // when it ends by whoever adopts it.
  if (pid_ > 0) ::waitpid(pid_, nullptr, WNOHANG);
}

bool TChildProcess::Start(const std::vector<std::string>& sjisArguments, std::string_view sjisFolder) {
  ReapDetached();
  pid_ = Spawn(sjisArguments, sjisFolder, false);
  return pid_ > 0;
}

bool TChildProcess::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  const pid_t done = ::waitpid(pid_, &status, WNOHANG);
  if (done == 0) return true;
  if (done < 0 && errno == EINTR) return true;
  pid_ = -1;
  return false;
}

bool IsExecutableProgram(std::string_view sjisPath) {
  const std::string path = ToNativePath(sjisPath);
  if (path.empty()) return false;
  auto executable = [](const std::string& candidate) {
    struct stat info {};
    return ::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0;
  };
  if (path.find('/') != std::string::npos) return executable(path);
  const char* search = std::getenv("PATH");
  std::string_view folders = search != nullptr ? search : "/usr/local/bin:/usr/bin:/bin";
  while (!folders.empty()) {
    const std::size_t colon = folders.find(':');
    std::string folder(folders.substr(0, colon));
    if (folder.empty()) folder = ".";
    if (executable(folder + "/" + path)) return true;
    if (colon == std::string_view::npos) break;
    folders.remove_prefix(colon + 1);
  }
  return false;
}

std::vector<std::string> SplitParameters(std::string_view text) {
  std::vector<std::string> parameters;
  std::string current;
  bool inQuotes = false, started = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
      current += c;
      if (i + 1 < text.size()) current += text[++i];
      started = true;
    } else if (c == '"') {
      if (inQuotes && i + 1 < text.size() && text[i + 1] == '"') {
        current += '"';
        ++i;
      } else {
        inQuotes = !inQuotes;
      }
      started = true;
    } else if (!inQuotes && (c == ' ' || c == '\t')) {
      if (started) parameters.push_back(std::move(current));
      current.clear();
      started = false;
    } else {
      current += c;
      started = true;
    }
  }
  if (started) parameters.push_back(std::move(current));
  return parameters;
}

}  // namespace yura

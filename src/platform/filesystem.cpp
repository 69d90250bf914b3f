#include "platform/filesystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/codepage.h"
#include "platform/paths.h"

namespace yura {
namespace {

bool Stat(std::string_view sjisPath, struct stat& info) {
  return !sjisPath.empty() && ::stat(ToNativePath(sjisPath).c_str(), &info) == 0;
}

}  // namespace

bool FileExists(std::string_view sjisPath) {
  struct stat info {};
  return Stat(sjisPath, info) && !S_ISDIR(info.st_mode);
}

bool FolderExists(std::string_view sjisPath) {
  struct stat info {};
  return Stat(sjisPath, info) && S_ISDIR(info.st_mode);
}

bool AppendToFile(std::string_view sjisPath, std::string_view bytes) {
  if (sjisPath.empty()) return false;
  std::ofstream out(ToNativePath(sjisPath), std::ios::binary | std::ios::app);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

bool WriteWholeFile(std::string_view sjisPath, std::string_view bytes) {
  if (sjisPath.empty() || FolderExists(sjisPath)) return false;
  std::ofstream out(ToNativePath(sjisPath), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool RemoveFile(std::string_view sjisPath) {
  return !sjisPath.empty() && ::unlink(ToNativePath(sjisPath).c_str()) == 0;
}

unsigned HighResolutionTicks() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  const unsigned long long nanoseconds =
      static_cast<unsigned long long>(now.tv_sec) * 1000000000ULL + static_cast<unsigned long long>(now.tv_nsec);
  return static_cast<unsigned>(nanoseconds & 0xFFFFFFFFu);
}

bool ReadWholeFile(std::string_view sjisPath, std::string& bytes) {
  struct stat info {};
  if (!Stat(sjisPath, info) || S_ISDIR(info.st_mode)) return false;
  std::ifstream in(ToNativePath(sjisPath), std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

std::string CurrentFolder() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (buffer.size() > (1u << 20)) return "/";
    buffer.resize(buffer.size() * 2);
  }
  return WithTrailingSeparator(FromNativePath(buffer.data()));
}

bool ChangeCurrentFolder(std::string_view sjisFolder) {
  return !sjisFolder.empty() && ::chdir(ToNativePath(sjisFolder).c_str()) == 0;
}

std::string RuntimeExecutablePath() {
  std::vector<char> buffer(4096);
  for (;;) {
    ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) return FromNativePath(std::string(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? FromNativePath(value) : std::string();
}

}  // namespace yura

#include "platform/tempfolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/filesystem.h"
#include "platform/paths.h"

namespace yura {

TTempFolder::~TTempFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(ToNativePath(path_), ignored);
}

const std::string& TTempFolder::Path() {
  if (tried_) return path_;
  tried_ = true;
  const char* base = std::getenv("TMPDIR");
  std::string pattern = (base != nullptr && *base != '\0') ? base : "/tmp";
  pattern += "/yurahosi-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (::mkdtemp(buffer.data()) != nullptr) {  // mkdtemp makes the folder with mode 0700
    path_ = WithTrailingSeparator(FromNativePath(buffer.data()));
  }
  return path_;
}

bool IsSafeMemberName(std::string_view sjisName) {
  // With no separator in it, the name is one path component: only "." and
  // ".." lead elsewhere.
  if (sjisName.empty() || sjisName == "." || sjisName == "..") return false;
  if (sjisName.find('\0') != std::string_view::npos || sjisName.find(':') != std::string_view::npos) return false;
  for (std::size_t i = 0; i < sjisName.size(); ++i)
    if (IsPathSeparatorAt(sjisName, i)) return false;
  return true;
}

std::string TTempFolder::CreateFile(std::string_view sjisName, std::string_view content) {
  if (!IsSafeMemberName(sjisName) || Path().empty()) return {};
  const std::string path = path_ + std::string(sjisName);
  const int fd = ::open(ToNativePath(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return {};
  bool ok = true;
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written <= 0) {
      ok = false;
      break;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  ok = (::close(fd) == 0) && ok;
  if (!ok) {
    ::unlink(ToNativePath(path).c_str());
    return {};
  }
  return path;
}

std::string UniqueTempName(std::string_view sjisFolder, std::string_view sjisName, std::string_view fallbackFolder) {
  const std::string folder = WithTrailingSeparator(sjisFolder.empty() ? fallbackFolder : sjisFolder);
  const std::string_view name = FileNamePart(sjisName);
  std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) dot = name.size();
  const std::string_view base = name.substr(0, dot), extension = name.substr(dot);
  for (unsigned long n = 1;; ++n) {
    std::string candidate = folder;
    candidate.append(base).append(std::to_string(n)).append(extension);
    if (!FileExists(candidate) && !FolderExists(candidate)) return candidate;
  }
}

}  // namespace yura

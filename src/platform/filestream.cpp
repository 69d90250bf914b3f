#include "platform/filestream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/paths.h"

namespace yura {

TFileStream::~TFileStream() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

bool TFileStream::Open(std::string_view sjisPath, TOpenMode mode) {
  if (descriptor_ >= 0 || sjisPath.empty()) return false;
  int flags = O_CLOEXEC;
  switch (mode) {
    case TOpenMode::Read: flags |= O_RDONLY; break;
    case TOpenMode::Write: flags |= O_WRONLY; break;
    case TOpenMode::ReadWrite: flags |= O_RDWR; break;
    case TOpenMode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case TOpenMode::OpenOrCreate: flags |= O_RDWR | O_CREAT; break;
  }
  descriptor_ = ::open(ToNativePath(sjisPath).c_str(), flags, 0644);
  if (descriptor_ < 0) return false;
  struct stat info {};
  if (::fstat(descriptor_, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(descriptor_);
    descriptor_ = -1;
    errno = EISDIR;
    return false;
  }
  position_ = 0;
  return true;
}

std::uint64_t TFileStream::Size() const {
  struct stat info {};
  if (descriptor_ < 0 || ::fstat(descriptor_, &info) != 0) return 0;
  return static_cast<std::uint64_t>(info.st_size);
}

std::size_t TFileStream::Read(char* buffer, std::size_t count) {
  std::size_t total = 0;
  while (descriptor_ >= 0 && total < count) {
    const ssize_t got = ::pread(descriptor_, buffer + total, count - total, static_cast<off_t>(position_));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    total += static_cast<std::size_t>(got);
    position_ += static_cast<std::uint64_t>(got);
  }
  return total;
}

bool TFileStream::Write(std::string_view bytes) {
  while (descriptor_ >= 0 && !bytes.empty()) {
    const ssize_t written = ::pwrite(descriptor_, bytes.data(), bytes.size(), static_cast<off_t>(position_));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
    position_ += static_cast<std::uint64_t>(written);
  }
  return descriptor_ >= 0;
}

}  // namespace yura

#include "platform/fileops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/filesystem.h"
#include "platform/paths.h"

namespace yura {
namespace fs = std::filesystem;
namespace {

fs::path Native(std::string_view sjisPath) {
  std::string native = ToNativePath(sjisPath);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  return fs::path(native);
}

// Failures leave their reason in errno, where LastErrorText finds it.
bool Fail(const std::error_code& error) {
  errno = error.value();
  return false;
}

}  // namespace

std::optional<std::vector<TDirEntry>> ListFolder(std::string_view sjisFolder) {
  std::error_code error;
  fs::directory_iterator it(sjisFolder.empty() ? fs::path(".") : Native(sjisFolder), error);
  if (error) return std::nullopt;
  std::vector<TDirEntry> entries;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    TDirEntry entry;
    entry.Name = FromNativePath(it->path().filename().string());
    std::error_code ignored;
    entry.IsLink = it->is_symlink(ignored);
    entry.IsFolder = it->is_directory(ignored);
    entries.push_back(std::move(entry));
  }
  std::sort(entries.begin(), entries.end(), [](const TDirEntry& a, const TDirEntry& b) { return a.Name < b.Name; });
  return entries;
}

bool IsSymbolicLink(std::string_view sjisPath) {
  std::error_code error;
  return fs::is_symlink(Native(sjisPath), error);
}

bool CopyFileTo(std::string_view sjisSource, std::string_view sjisTarget) {
  std::error_code error;
  fs::copy_file(Native(sjisSource), Native(sjisTarget), fs::copy_options::overwrite_existing, error);
  return !error || Fail(error);
}

bool RenamePath(std::string_view sjisOld, std::string_view sjisNew) {
  std::error_code error;
  fs::rename(Native(sjisOld), Native(sjisNew), error);
  return !error || Fail(error);
}

bool MovePath(std::string_view sjisSource, std::string_view sjisTarget) {
  std::error_code error;
  const fs::path source = Native(sjisSource), target = Native(sjisTarget);
  fs::rename(source, target, error);
  if (!error) return true;
  if (error != std::errc::cross_device_link) return Fail(error);
  error.clear();
  fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
  if (error) return Fail(error);
  fs::remove_all(source, error);
  return !error || Fail(error);
}

bool RemoveFolder(std::string_view sjisFolder) {
  std::error_code error;
  fs::remove(Native(sjisFolder), error);
  return !error || Fail(error);
}

bool RemoveTree(std::string_view sjisFolder) {
  std::error_code error;
  fs::remove_all(Native(sjisFolder), error);
  return !error || Fail(error);
}

bool CopyTree(std::string_view sjisSource, std::string_view sjisTarget) {
  std::error_code error;
  fs::copy(Native(sjisSource), Native(sjisTarget),
           fs::copy_options::recursive | fs::copy_options::copy_symlinks | fs::copy_options::overwrite_existing, error);
  return !error || Fail(error);
}

bool CreateFolders(std::string_view sjisFolder) {
  std::error_code error;
  fs::create_directories(Native(sjisFolder), error);
  return (!error && fs::is_directory(Native(sjisFolder), error)) || Fail(error);
}

bool CreateSymbolicLink(std::string_view sjisTarget, std::string_view sjisLink) {
  std::error_code error;
  fs::remove(Native(sjisLink), error);
  error.clear();
  fs::create_symlink(Native(sjisTarget), Native(sjisLink), error);
  return !error || Fail(error);
}

bool MoveToTrash(std::string_view sjisPath) {
  const fs::path item = fs::absolute(Native(sjisPath));
  std::error_code error;
  if (!fs::exists(fs::symlink_status(item, error))) return false;
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  fs::path trash;
  if (dataHome != nullptr && *dataHome != '\0')
    trash = fs::path(dataHome) / "Trash";
  else if (home != nullptr && *home != '\0')
    trash = fs::path(home) / ".local/share/Trash";
  else
    return false;
  fs::create_directories(trash / "files", error);
  fs::create_directories(trash / "info", error);
  if (error) return Fail(error);
  // A free name in files/ and info/.
  std::string name = item.filename().string();
  for (int n = 2; fs::exists(fs::symlink_status(trash / "files" / name, error)) ||
                  fs::exists(trash / "info" / (name + ".trashinfo"), error);
       ++n)
    name = item.stem().string() + "." + std::to_string(n) + item.extension().string();
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
  std::string encoded;
  for (unsigned char c : item.string()) {
    static const char kHex[] = "0123456789ABCDEF";
    const bool alphanumeric = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (alphanumeric || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      encoded += static_cast<char>(c);
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 15];
    }
  }
  {
    std::ofstream info(trash / "info" / (name + ".trashinfo"), std::ios::binary);
    info << "[Trash Info]\nPath=" << encoded << "\nDeletionDate=" << stamp << "\n";
    if (!info) return false;
  }
  return MovePath(FromNativePath(item.string()), FromNativePath((trash / "files" / name).string()));
}

std::optional<int> FileAttributes(std::string_view sjisPath) {
  struct stat info {};
  if (::stat(ToNativePath(sjisPath).c_str(), &info) != 0) return std::nullopt;
  int attributes = 0;
  if ((info.st_mode & S_IWUSR) == 0) attributes |= 1;
  if (FileNamePart(sjisPath).starts_with('.')) attributes |= 2;
  if (S_ISDIR(info.st_mode)) attributes |= 16;
  if (S_ISREG(info.st_mode)) attributes |= 32;
  return attributes;
}

bool SetFileAttributes(std::string_view sjisPath, int attributes) {
  struct stat info {};
  const std::string native = ToNativePath(sjisPath);
  if (::stat(native.c_str(), &info) != 0) return false;
  mode_t mode = info.st_mode & 07777;
  if ((attributes & 1) != 0)
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  else
    mode |= S_IWUSR;
  return ::chmod(native.c_str(), mode) == 0;
}

std::optional<std::string> FileTimeText(std::string_view sjisPath) {
  struct stat info {};
  if (::stat(ToNativePath(sjisPath).c_str(), &info) != 0) return std::nullopt;
  std::tm local{};
  localtime_r(&info.st_mtime, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
  return std::string(text);
}

std::optional<std::uint64_t> FileSizeOf(std::string_view sjisPath) {
  struct stat info {};
  if (::stat(ToNativePath(sjisPath).c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(info.st_size);
}

std::string DriveKind(std::string_view sjisPath) {
  struct statfs info {};
  if (::statfs(ToNativePath(sjisPath).c_str(), &info) != 0) return "存在しない";
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0x01021994:  // tmpfs
    case 0x858458f6:  // ramfs
      return "RAMディスク";
    case 0x6969:      // nfs
    case 0xFF534D42:  // cifs
    case 0xFE534D42:  // smb2
    case 0x517B:      // smb
      return "リモート";
    case 0x9660:      // iso9660
    case 0x15013346:  // udf
      return "CD-ROM";
    case 0x4D44:  // vfat, usually a removable stick
      return "リムーバブルディスク";
    default:
      return "固定";
  }
}

std::string LastErrorText() {
  switch (errno) {
    case ENOENT:
      return "指定されたパスが見つかりません。";
    case EACCES:
    case EPERM:
      return "アクセスが拒否されました。";
    case ENOTDIR:
      return "ディレクトリ名が無効です。";
    case EEXIST:
      return "既に存在するファイルを作成することはできません。";
    case ENOSPC:
      return "ディスクに十分な空き領域がありません。";
    default:
      return "ファイル操作に失敗しました。";
  }
}

TReplacingFile::~TReplacingFile() {
  if (descriptor_ < 0) return;
  ::close(descriptor_);
  ::unlink(temporary_.c_str());
}

bool TReplacingFile::Open(std::string_view sjisTarget) {
  if (descriptor_ >= 0 || sjisTarget.empty()) return false;
  target_ = ToNativePath(sjisTarget);
  for (int attempt = 0; attempt < 1000 && descriptor_ < 0; ++attempt) {
    temporary_ = target_ + ".part" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    descriptor_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (descriptor_ < 0 && errno != EEXIST) break;
  }
  return descriptor_ >= 0;
}

bool TReplacingFile::WriteAt(std::uint64_t offset, std::string_view bytes) {
  if (descriptor_ < 0) return false;
  while (!bytes.empty()) {
    const ssize_t written = ::pwrite(descriptor_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
    offset += static_cast<std::uint64_t>(written);
  }
  return true;
}

bool TReplacingFile::Commit() {
  if (descriptor_ < 0) return false;
  const bool closed = ::close(descriptor_) == 0;
  descriptor_ = -1;
  if (closed && ::rename(temporary_.c_str(), target_.c_str()) == 0) return true;
  const int reason = errno;
  ::unlink(temporary_.c_str());
  errno = reason;
  return false;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home != nullptr && *home != '\0' ? WithTrailingSeparator(FromNativePath(home)) : std::string();
}

}  // namespace yura

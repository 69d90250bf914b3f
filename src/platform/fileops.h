// File-system operations on script paths (Shift_JIS, "\" or "/"), for the file
// commands. Failures are reported by return values, never by exceptions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace yura {

struct TDirEntry {
  std::string Name;  // script text
  bool IsFolder = false;  // a folder, or a link to one
  bool IsLink = false;    // a symbolic link (never followed by recursive walks)
};

// The entries of a folder (without "." and ".."), sorted by name so that every
// listing comes out in the same order. Nothing when the folder cannot be read.
std::optional<std::vector<TDirEntry>> ListFolder(std::string_view sjisFolder);

bool IsSymbolicLink(std::string_view sjisPath);
bool CopyFileTo(std::string_view sjisSource, std::string_view sjisTarget);
bool RenamePath(std::string_view sjisOld, std::string_view sjisNew);
// Moves a file or folder, across file systems too.
bool MovePath(std::string_view sjisSource, std::string_view sjisTarget);
bool RemoveFolder(std::string_view sjisFolder);  // an empty folder
// Removes a folder with everything in it; symbolic links inside are removed,
// never followed.
bool RemoveTree(std::string_view sjisFolder);
// Copies a folder with everything in it; links inside are copied as links.
bool CopyTree(std::string_view sjisSource, std::string_view sjisTarget);
bool CreateFolders(std::string_view sjisFolder);
bool CreateSymbolicLink(std::string_view sjisTarget, std::string_view sjisLink);
// Moves a file or folder to the user's trash (the freedesktop trash: the
// item in files/, a .trashinfo record in info/).
bool MoveToTrash(std::string_view sjisPath);

// The attribute bits the language knows: 1 read-only (no write permission),
// 2 hidden (name begins with "."), 16 folder, 32 archive (a regular file).
std::optional<int> FileAttributes(std::string_view sjisPath);
// Only the read-only bit can be changed: it takes write permission away or
// gives it back.
bool SetFileAttributes(std::string_view sjisPath, int attributes);

// Last-write time as "yyyy/mm/dd hh:nn:ss" in local time.
std::optional<std::string> FileTimeText(std::string_view sjisPath);
std::optional<std::uint64_t> FileSizeOf(std::string_view sjisPath);

// The kind of storage a folder lives on: "固定", "リムーバブルディスク",
// "リモート", "CD-ROM", "RAMディスク", "判別不能"; "存在しない" when missing.
std::string DriveKind(std::string_view sjisPath);

// The system's text for the reason of the last failed file operation (errno).
std::string LastErrorText();

// A new file written beside its target that takes the target's place only
// when committed; dropped without commit, it is removed and the target stays
// as it was.
class TReplacingFile {
 public:
  TReplacingFile() = default;
  TReplacingFile(const TReplacingFile&) = delete;
  TReplacingFile& operator=(const TReplacingFile&) = delete;
  ~TReplacingFile();

  bool Open(std::string_view sjisTarget);
  bool WriteAt(std::uint64_t offset, std::string_view bytes);
  bool Commit();

 private:
  int descriptor_ = -1;
  std::string temporary_;  // native paths
  std::string target_;
};

// The user's home folder (script path ending in "/").
std::string HomeFolder();

}  // namespace yura

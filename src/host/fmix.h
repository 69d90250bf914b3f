// The fMix container: several named files in one. The header is "fMix", a
// version byte, a 16-bit member count and the 32-bit file size; then one
// 265-byte record per member (upper-cased name in 256 bytes, data offset,
// data size, scramble flag); then the member data. All little-endian.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace yura {

inline constexpr std::size_t kFmixHeaderSize = 11;
inline constexpr std::size_t kFmixRecordSize = 265;
inline constexpr std::size_t kFmixNameField = 256;

// Member names are compared upper-cased (ASCII and full-width letters).
std::string FmixMemberKey(std::string_view name);

class TFileMixReader {
 public:
  // Opens the container that starts at `base` in the file. Nothing, with the
  // reason in `error`, when the file cannot be read or is not a container
  // (the format message names the file).
  static std::unique_ptr<TFileMixReader> Open(std::string_view path, std::uint64_t base, std::string& error);

  const std::string& Path() const { return path_; }
  bool HasMember(std::string_view name) const;
  // The member's bytes, unscrambled; nothing when there is no such member or
  // its data lies outside the file.
  std::optional<std::string> ReadMember(std::string_view name) const;
  // The bytes up to the first zero byte.
  std::optional<std::string> ReadMemberText(std::string_view name) const;
  bool ExtractMember(std::string_view name, std::string_view targetPath) const;
  // The container's bytes, for a copy of it elsewhere.
  std::optional<std::string> ContainerBytes() const;
  // Every record's name in directory order (a repeated name is found by its
  // first record).
  const std::vector<std::string>& MemberNames() const { return names_; }

 private:
  struct TMember {
    std::uint32_t Offset = 0;
    std::uint32_t Size = 0;
    bool Scrambled = false;
  };

  std::string path_;
  mutable std::ifstream file_;  // open while the reader lives, so the file can go
  std::uint64_t base_ = 0;
  std::uint64_t length_ = 0;  // bytes of the container in the file
  std::unordered_map<std::string, TMember> members_;
  std::vector<std::string> names_;
};

struct TFileMixEntry {
  std::string Path;  // the file to store
  std::string Name;  // its name in the container
  int Flag = 0;      // 1: stored scrambled
};

// Parses one writer line "path=name=flag"; the flag is the rest read as a
// 32-bit integer (blanks around it allowed), 0 when it is not one.
TFileMixEntry ParseFileMixEntry(std::string_view line);

// Builds a container. The target is replaced only when everything was
// written; false when a file is missing or unreadable, when there are more
// members than 65535 or the data would outgrow the 32-bit fields, or when
// writing fails.
bool WriteFileMix(const std::vector<TFileMixEntry>& entries, std::string_view target);

// Where data appended to an executable begins: after the last section for a
// PE image, after everything the program and section headers cover for an
// ELF image. Nothing when the file is neither, or when the appended data
// holds no byte "f".
std::optional<std::uint64_t> FindOverlay(std::string_view executablePath);

}  // namespace yura

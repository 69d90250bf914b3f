#include "host/fmix.h"

#include <algorithm>
#include <fstream>
#include <limits>

#include "engine/numbers.h"
#include "host/cipher.h"
#include "host/messages.h"
#include "core/bytes.h"
#include "core/format.h"
#include "core/platform_errors.h"
#include "platform/fileops.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "source/textlines.h"
#include "textutil/widthcase.h"

namespace yura {
namespace {

// Reads `count` bytes at `offset`; nothing when the file is shorter.
std::optional<std::string> ReadRange(std::ifstream& in, std::uint64_t offset, std::uint64_t count) {
  std::string bytes(static_cast<std::size_t>(count), '\0');
  in.clear();
  in.seekg(static_cast<std::streamoff>(offset));
  if (!in.read(bytes.data(), static_cast<std::streamsize>(count))) return std::nullopt;
  return bytes;
}

std::optional<std::uint64_t> FileLength(std::ifstream& in) {
  in.seekg(0, std::ios::end);
  const std::streamoff end = in.tellg();
  if (end < 0) return std::nullopt;
  return static_cast<std::uint64_t>(end);
}

}  // namespace

std::string FmixMemberKey(std::string_view name) {
  std::string key = MapUpperCase(name);
  if (key.size() >= kFmixNameField) key.resize(kFmixNameField - 1);
  return key;
}

std::unique_ptr<TFileMixReader> TFileMixReader::Open(std::string_view path, std::uint64_t base, std::string& error) {
  std::ifstream in(ToNativePath(path), std::ios::binary);
  if (!in || FolderExists(path)) {
    error = FormatMessage(kMsgCannotOpenFile, {path});
    return nullptr;
  }
  const std::optional<std::uint64_t> fileLength = FileLength(in);
  const std::optional<std::string> header =
      fileLength && *fileLength >= base ? ReadRange(in, base, kFmixHeaderSize) : std::nullopt;
  if (!header || header->compare(0, 4, "fMix") != 0) {
    error = FormatMessage(kMsgNotFmixFile, {path});
    return nullptr;
  }
  auto reader = std::unique_ptr<TFileMixReader>(new TFileMixReader());
  reader->path_ = std::string(path);
  reader->file_.open(ToNativePath(path), std::ios::binary);
  reader->base_ = base;
  reader->length_ = *fileLength - base;
  const std::size_t count = static_cast<std::size_t>(ReadLittleEndian(*header, 5, 2));
  const std::optional<std::string> directory = ReadRange(in, base + kFmixHeaderSize, count * kFmixRecordSize);
  if (!directory) {
    error = FormatMessage(kMsgNotFmixFile, {path});
    return nullptr;
  }
  for (std::size_t i = 0; i < count; ++i) {
    const std::string_view record = std::string_view(*directory).substr(i * kFmixRecordSize, kFmixRecordSize);
    std::string_view name = record.substr(0, kFmixNameField);
    name = name.substr(0, std::min(name.find('\0'), name.size()));
    TMember member;
    member.Offset = static_cast<std::uint32_t>(ReadLittleEndian(record, 256, 4));
    member.Size = static_cast<std::uint32_t>(ReadLittleEndian(record, 260, 4));
    member.Scrambled = record[264] == 1;
    reader->names_.emplace_back(name);
    reader->members_.emplace(std::string(name), member);
  }
  return reader;
}

bool TFileMixReader::HasMember(std::string_view name) const { return members_.count(FmixMemberKey(name)) != 0; }

std::optional<std::string> TFileMixReader::ReadMember(std::string_view name) const {
  const auto found = members_.find(FmixMemberKey(name));
  if (found == members_.end()) return std::nullopt;
  const TMember& member = found->second;
  if (static_cast<std::uint64_t>(member.Offset) + member.Size > length_) return std::nullopt;
  std::optional<std::string> bytes = ReadRange(file_, base_ + member.Offset, member.Size);
  if (bytes && member.Scrambled) Scramble(*bytes, kMemberKey);
  return bytes;
}

std::optional<std::string> TFileMixReader::ContainerBytes() const { return ReadRange(file_, base_, length_); }

std::optional<std::string> TFileMixReader::ReadMemberText(std::string_view name) const {
  std::optional<std::string> bytes = ReadMember(name);
  if (bytes) bytes->resize(std::min(bytes->find('\0'), bytes->size()));
  return bytes;
}

bool TFileMixReader::ExtractMember(std::string_view name, std::string_view targetPath) const {
  const std::optional<std::string> bytes = ReadMember(name);
  return bytes && WriteWholeFile(targetPath, *bytes);
}

TFileMixEntry ParseFileMixEntry(std::string_view line) {
  TFileMixEntry entry;
  const std::size_t first = line.find('=');
  entry.Path = std::string(line.substr(0, first));
  if (first == std::string_view::npos) return entry;
  const std::string_view rest = line.substr(first + 1);
  const std::size_t second = rest.find('=');
  entry.Name = std::string(rest.substr(0, second));
  if (second == std::string_view::npos) return entry;
  // The flag is the whole rest read as a 32-bit integer, 0 when it is none.
  const std::optional<std::int64_t> flag = ParseInteger(Trim(rest.substr(second + 1)));
  const bool fits = flag && *flag >= std::numeric_limits<std::int32_t>::min() &&
                    *flag <= std::numeric_limits<std::int32_t>::max();
  entry.Flag = fits ? static_cast<int>(*flag) : 0;
  return entry;
}

bool WriteFileMix(const std::vector<TFileMixEntry>& entries, std::string_view target) {
  if (entries.size() > 0xFFFF) return false;
  TReplacingFile out;
  if (!out.Open(target)) return false;
  std::uint64_t end = kFmixHeaderSize + entries.size() * kFmixRecordSize;
  std::string header(kFmixHeaderSize, '\0');
  header.replace(0, 4, "fMix");
  header[4] = 1;
  WriteLittleEndian(header, 5, 2, entries.size());
  if (!out.WriteAt(0, header)) return false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::string data;
    if (!ReadWholeFile(entries[i].Path, data)) return false;
    const auto flag = static_cast<unsigned char>(entries[i].Flag & 0xFF);
    if (flag == 1) Scramble(data, kMemberKey);
    if (end + data.size() > std::numeric_limits<std::uint32_t>::max()) return false;
    std::string record(kFmixRecordSize, '\0');
    const std::string name = FmixMemberKey(entries[i].Name);
    record.replace(0, name.size(), name);
    WriteLittleEndian(record, 256, 4, end);
    WriteLittleEndian(record, 260, 4, data.size());
    record[264] = static_cast<char>(flag);
    if (!out.WriteAt(kFmixHeaderSize + i * kFmixRecordSize, record) || !out.WriteAt(end, data)) return false;
    end += data.size();
  }
  WriteLittleEndian(header, 7, 4, end);
  return out.WriteAt(0, header) && out.Commit();
}

namespace {

struct TElfLayout {
  bool Is64 = false;
  bool LittleEndian = true;
};

std::uint64_t ReadEndian(std::string_view bytes, std::size_t at, std::size_t width, bool littleEndian) {
  if (littleEndian) return ReadLittleEndian(bytes, at, width);
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < width; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// The end of everything an ELF image's headers describe; nothing when the
// headers do not fit the file.
std::optional<std::uint64_t> ElfImageEnd(std::ifstream& in, std::uint64_t fileLength) {
  const std::optional<std::string> header = ReadRange(in, 0, 64);
  if (!header) return std::nullopt;
  TElfLayout layout;
  const char elfClass = (*header)[4];
  if (elfClass != 1 && elfClass != 2) return std::nullopt;
  layout.Is64 = elfClass == 2;
  layout.LittleEndian = (*header)[5] != 2;
  auto field = [&](std::string_view bytes, std::size_t at32, std::size_t at64, std::size_t width32, std::size_t width64) {
    return layout.Is64 ? ReadEndian(bytes, at64, width64, layout.LittleEndian)
                       : ReadEndian(bytes, at32, width32, layout.LittleEndian);
  };
  const std::uint64_t programOffset = field(*header, 0x1C, 0x20, 4, 8);
  const std::uint64_t sectionOffset = field(*header, 0x20, 0x28, 4, 8);
  const std::uint64_t programEntry = field(*header, 0x2A, 0x36, 2, 2);
  const std::uint64_t programCount = field(*header, 0x2C, 0x38, 2, 2);
  const std::uint64_t sectionEntry = field(*header, 0x2E, 0x3A, 2, 2);
  std::uint64_t sectionCount = field(*header, 0x30, 0x3C, 2, 2);
  std::uint64_t end = field(*header, 0x28, 0x34, 2, 2);  // the header's own size
  const std::uint64_t minimumProgramEntry = layout.Is64 ? 0x38 : 0x20;
  const std::uint64_t minimumSectionEntry = layout.Is64 ? 0x40 : 0x28;
  if (programCount != 0) {
    if (programEntry < minimumProgramEntry || programOffset > fileLength ||
        programCount > (fileLength - programOffset) / programEntry)
      return std::nullopt;
    const std::optional<std::string> table = ReadRange(in, programOffset, programEntry * programCount);
    if (!table) return std::nullopt;
    end = std::max(end, programOffset + programEntry * programCount);
    for (std::uint64_t i = 0; i < programCount; ++i) {
      const std::string_view entry = std::string_view(*table).substr(i * programEntry, programEntry);
      const std::uint64_t offset = field(entry, 0x04, 0x08, 4, 8);
      const std::uint64_t size = field(entry, 0x10, 0x20, 4, 8);
      if (offset > fileLength || size > fileLength - offset) return std::nullopt;
      end = std::max(end, offset + size);
    }
  }
  // With more sections than the field holds, the count is section 0's size.
  if (sectionCount == 0 && sectionOffset != 0) {
    const std::optional<std::string> first = ReadRange(in, sectionOffset, minimumSectionEntry);
    if (!first) return std::nullopt;
    sectionCount = field(*first, 0x14, 0x20, 4, 8);
  }
  if (sectionCount != 0) {
    if (sectionEntry < minimumSectionEntry || sectionOffset > fileLength ||
        sectionCount > (fileLength - sectionOffset) / sectionEntry)
      return std::nullopt;
    const std::optional<std::string> table = ReadRange(in, sectionOffset, sectionEntry * sectionCount);
    if (!table) return std::nullopt;
    end = std::max(end, sectionOffset + sectionEntry * sectionCount);
    constexpr std::uint64_t kNoBits = 8;
    for (std::uint64_t i = 0; i < sectionCount; ++i) {
      const std::string_view entry = std::string_view(*table).substr(i * sectionEntry, sectionEntry);
      if (ReadEndian(entry, 4, 4, layout.LittleEndian) == kNoBits) continue;
      const std::uint64_t offset = field(entry, 0x10, 0x18, 4, 8);
      const std::uint64_t size = field(entry, 0x14, 0x20, 4, 8);
      if (offset > fileLength || size > fileLength - offset) return std::nullopt;
      end = std::max(end, offset + size);
    }
  }
  return end <= fileLength ? std::optional<std::uint64_t>(end) : std::nullopt;
}

// The end of a PE image's last section.
std::optional<std::uint64_t> PeImageEnd(std::ifstream& in, std::uint64_t fileLength) {
  const std::optional<std::string> dosHeader = ReadRange(in, 0, 64);
  if (!dosHeader) return std::nullopt;
  const std::uint64_t header = ReadLittleEndian(*dosHeader, 0x3C, 2);
  const std::optional<std::string> count = ReadRange(in, header + 6, 1);
  if (!count || (*count)[0] == 0) return std::nullopt;
  const std::uint64_t lastSection = header + 248 + 40 * (static_cast<unsigned char>((*count)[0]) - 1u);
  const std::optional<std::string> section = ReadRange(in, lastSection, 40);
  if (!section) return std::nullopt;
  const std::uint64_t end = ReadLittleEndian(*section, 20, 4) + ReadLittleEndian(*section, 16, 4);
  return end <= fileLength ? std::optional<std::uint64_t>(end) : std::nullopt;
}

}  // namespace

std::optional<std::uint64_t> FindOverlay(std::string_view executablePath) {
  std::ifstream in(ToNativePath(executablePath), std::ios::binary);
  if (!in || FolderExists(executablePath)) return std::nullopt;
  const std::optional<std::uint64_t> fileLength = FileLength(in);
  const std::optional<std::string> magic = fileLength ? ReadRange(in, 0, 4) : std::nullopt;
  if (!magic) return std::nullopt;
  std::optional<std::uint64_t> start;
  if ((*magic)[0] == 'M' || (*magic)[0] == 'm')
    start = PeImageEnd(in, *fileLength);
  else if (*magic == "\x7F" "ELF")
    start = ElfImageEnd(in, *fileLength);
  if (!start || *start >= *fileLength) return std::nullopt;
  // The appended data must hold a byte "f" somewhere.
  in.clear();
  in.seekg(static_cast<std::streamoff>(*start));
  std::string block(65536, '\0');
  while (in.read(block.data(), static_cast<std::streamsize>(block.size())) || in.gcount() > 0) {
    if (block.find('f', 0) < static_cast<std::size_t>(in.gcount())) return start;
    if (in.eof()) break;
  }
  return std::nullopt;
}

}  // namespace yura

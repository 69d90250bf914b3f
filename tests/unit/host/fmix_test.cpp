#include "host/fmix.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>

#include "host/cipher.h"
#include "platform/filesystem.h"
#include "platform/paths.h"
#include "platform/tempfolder.h"

namespace yura {
namespace {

using namespace std::literals;

void PutLe(std::string& bytes, std::size_t at, std::uint64_t value, std::size_t width) {
  if (bytes.size() < at + width) bytes.resize(at + width, '\0');
  for (std::size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Scrambled(std::string bytes) {
  Scramble(bytes, kMemberKey);
  return bytes;
}

// A container laid out by hand: members one after the other behind the
// directory, names padded with zeros to 256 bytes.
struct TMember {
  std::string name;
  std::string stored;
  std::uint8_t flag = 0;
};

std::string Container(const std::vector<TMember>& members) {
  std::string bytes = "fMix\x01"s;
  PutLe(bytes, 5, members.size(), 2);
  PutLe(bytes, 7, 0, 4);  // the total size, filled in at the end
  std::uint64_t offset = 11 + 265 * members.size();
  std::string data;
  for (const TMember& m : members) {
    std::string record = m.name;
    record.resize(256, '\0');
    PutLe(record, 256, offset, 4);
    PutLe(record, 260, m.stored.size(), 4);
    record.push_back(static_cast<char>(m.flag));
    bytes += record;
    data += m.stored;
    offset += m.stored.size();
  }
  bytes += data;
  PutLe(bytes, 7, bytes.size(), 4);
  return bytes;
}

// A raw directory record with any offset and size.
std::string Record(const std::string& name, std::uint32_t offset, std::uint32_t size, std::uint8_t flag = 0) {
  std::string record = name;
  record.resize(256, '\0');
  PutLe(record, 256, offset, 4);
  PutLe(record, 260, size, 4);
  record.push_back(static_cast<char>(flag));
  return record;
}

std::string Header(std::uint16_t count) {
  std::string header = "fMix\x01"s;
  PutLe(header, 5, count, 2);
  PutLe(header, 7, 0, 4);
  return header;
}

std::vector<TFileMixEntry> Entries(const std::vector<std::string>& lines) {
  std::vector<TFileMixEntry> entries;
  for (const std::string& line : lines) entries.push_back(ParseFileMixEntry(line));
  return entries;
}

std::unique_ptr<TFileMixReader> OpenReader(const std::string& path) {
  std::string error;
  std::unique_ptr<TFileMixReader> reader = TFileMixReader::Open(path, 0, error);
  EXPECT_NE(reader, nullptr) << error;
  if (!reader) throw std::runtime_error("not a container: " + path);
  return reader;
}

// The appended bytes, as the start-up reads them.
std::optional<std::string> ExtractOverlay(const std::string& path) {
  const std::optional<std::uint64_t> start = FindOverlay(path);
  std::string bytes;
  if (!start || !ReadWholeFile(path, bytes)) return std::nullopt;
  return bytes.substr(static_cast<std::size_t>(*start));
}

struct TOverlayCase {
  const char* label;
  std::string image;
  std::string appended;
  bool found;  // when true, the result is exactly `appended`
};

class FmixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous = CurrentFolder();
    ASSERT_FALSE(temp.Path().empty());
    folder = temp.Path() + "合成フォルダ/";
    ASSERT_EQ(::mkdir(ToNativePath(folder).c_str(), 0700), 0);
    ChangeCurrentFolder(folder);
  }
  void TearDown() override { ChangeCurrentFolder(previous); }

  void Write(const std::string& path, std::string_view bytes) {
    std::ofstream out(ToNativePath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good());
  }
  static std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes)) << path;
    return bytes;
  }
  std::set<std::string> FolderNames() {
    std::set<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(ToNativePath(folder)))
      names.insert(item.path().filename().string());
    return names;
  }
  // Writes each image with its appended bytes and extracts them again.
  void CheckOverlays(const std::vector<TOverlayCase>& cases);

  TTempFolder temp;
  std::string folder, previous;
};

// ---------------------------------------------------------------- names

TEST(FmixMemberKey, UpperCasesLetters) {
  struct TCase {
    std::string in, out;
  };
  const TCase cases[] = {
      {"readme.txt", "README.TXT"},
      {"Mixed-Case_09.Bin", "MIXED-CASE_09.BIN"},
      {"ａｂｚ", "ＡＢＺ"},
      {"\x82\x81\x82\x9a", "\x82\x60\x82\x79"},  // ａ, ｚ: the ends of the range
      {"\x82\x80\x82\x9b", "\x82\x80\x82\x9b"},  // just outside it
      {"ＡＢＣ", "ＡＢＣ"},
      {"\x83\x61\x83\x7a", "\x83\x61\x83\x7a"},  // trail bytes "a" and "z" stay
      {"\x82\x61", "\x82\x61"},                  // a trail "a" even after lead 82
      {"画像/ｉｍｇ.png", "画像/ＩＭＧ.PNG"},
      {"ab\x82", "AB\x82"},  // a lead byte that ends the name
      {"", ""},
  };
  for (const TCase& c : cases) EXPECT_EQ(FmixMemberKey(c.in), c.out) << c.in;
}

TEST(FmixMemberKey, CutTo255Bytes) {
  EXPECT_EQ(FmixMemberKey(std::string(255, 'x')), std::string(255, 'X'));
  EXPECT_EQ(FmixMemberKey(std::string(300, 'x')), std::string(255, 'X'));
  // The cut counts bytes, so it may split the last double-byte character.
  std::string kana;
  for (int i = 0; i < 128; ++i) kana += "か";
  EXPECT_EQ(FmixMemberKey(kana), kana.substr(0, 255));
}

// ---------------------------------------------------------------- writer

TEST_F(FmixTest, WriterLaysOutHeaderDirectoryAndData) {
  const std::string a = "alpha\0text\r\n"s;
  const std::string b = "\x00\x01\x02\xff"s;
  Write("a.txt", a);
  Write(folder + "b.bin", b);
  ASSERT_TRUE(WriteFileMix(Entries({"a.txt=A.TXT=1", folder + "b.bin=b.bin=0"}), "out.fmx"));
  const std::string bytes = Read("out.fmx");
  EXPECT_EQ(bytes, Container({{"A.TXT", Scrambled(a), 1}, {"B.BIN", b, 0}}));
  // The fields, spelled out once: 2 members, total size, first data at 541.
  EXPECT_EQ(bytes.substr(0, 11), "fMix\x01\x02\x00"s + static_cast<char>(541 + 12 + 4) + "\x02\x00\x00"s);
  EXPECT_EQ(bytes.substr(11 + 256, 9), "\x1d\x02\x00\x00\x0c\x00\x00\x00\x01"s);
  EXPECT_EQ(bytes.substr(11 + 265 + 256, 9), "\x29\x02\x00\x00\x04\x00\x00\x00\x00"s);
}

TEST_F(FmixTest, NoEntriesGiveElevenBytes) {
  ASSERT_TRUE(WriteFileMix(Entries({}), "empty.fmx"));
  EXPECT_EQ(Read("empty.fmx"), "fMix\x01\x00\x00\x0b\x00\x00\x00"s);
  const auto reader = OpenReader("empty.fmx");
  EXPECT_TRUE(reader->MemberNames().empty());
  EXPECT_FALSE(reader->ReadMember("").has_value());
}

TEST_F(FmixTest, EntryParts) {
  const std::string content = "0123456789";
  Write("c.dat", content);
  struct TCase {
    std::string entry;
    std::string name;
    std::uint8_t flag;
  };
  const TCase cases[] = {
      {"c.dat=Mixed.Txt=0", "MIXED.TXT", 0},
      {"c.dat=ｄａｔａ=1", "ＤＡＴＡ", 1},
      {"c.dat=x=2", "X", 2},           // stored as it is, flag kept
      {"c.dat=x=257", "X", 1},         // the low byte is the flag
      {"c.dat=x=-255", "X", 1},        // 0xFFFFFF01
      {"c.dat=x= 1 ", "X", 1},         // blanks around the number
      {"c.dat=x=1\r", "X", 1},
      {"c.dat=x=abc", "X", 0},         // not a number
      {"c.dat=x=1x", "X", 0},
      {"c.dat=x=", "X", 0},
      {"c.dat=x", "X", 0},             // no flag part
      {"c.dat=x=1=2", "X", 0},         // the rest after the second "=" is the flag
      {"c.dat=x=4294967297", "X", 0},  // does not fit 32 bits
      {"c.dat=" + std::string(300, 'n') + "=0", std::string(255, 'N'), 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.entry);
    ASSERT_TRUE(WriteFileMix(Entries({c.entry}), "one.fmx"));
    EXPECT_EQ(Read("one.fmx"), Container({{c.name, c.flag == 1 ? Scrambled(content) : content, c.flag}}));
    const auto reader = OpenReader("one.fmx");
    EXPECT_EQ(reader->ReadMember(c.name), content);
  }
}

TEST_F(FmixTest, WriterFailuresLeaveTheTargetAlone) {
  Write("a.txt", "a");
  Write("target.fmx", "old target");
  ::mkdir(ToNativePath(folder + "sub").c_str(), 0700);
  const std::set<std::string> before = FolderNames();
  struct TCase {
    const char* label;
    std::vector<std::string> entries;
    std::string target;
  };
  const TCase cases[] = {
      {"missing file", {"a.txt=A=0", "missing.txt=M=0"}, "target.fmx"},
      {"entry without a path", {"=A=0"}, "target.fmx"},
      {"a folder as member", {"sub=S=0"}, "target.fmx"},
      {"too many entries", std::vector<std::string>(65536, "a.txt=A=0"), "target.fmx"},
      {"target folder missing", {"a.txt=A=0"}, "nowhere/target.fmx"},
      {"target is a folder", {"a.txt=A=0"}, "sub"},
      {"no target", {"a.txt=A=0"}, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_FALSE(WriteFileMix(Entries(c.entries), c.target));
    EXPECT_EQ(Read("target.fmx"), "old target");
    EXPECT_EQ(FolderNames(), before);  // no temporary file left behind
    EXPECT_TRUE(FolderExists(folder + "sub"));
  }
}

TEST_F(FmixTest, WriterReplacesTheTargetOnlyAtTheEnd) {
  const std::string old = "an old container that is longer than the new one" + std::string(1000, '.');
  Write("t.fmx", old);
  // The target itself can be a member: it is read before it is replaced.
  ASSERT_TRUE(WriteFileMix(Entries({"t.fmx=old=0"}), "t.fmx"));
  EXPECT_EQ(Read("t.fmx"), Container({{"OLD", old, 0}}));
  EXPECT_EQ(FolderNames(), std::set<std::string>{"t.fmx"});
}

TEST_F(FmixTest, AtMost65535Entries) {
  Write("e", "");
  ASSERT_TRUE(WriteFileMix(Entries(std::vector<std::string>(65535, "e=E=0")), "max.fmx"));
  const std::string bytes = Read("max.fmx");
  ASSERT_EQ(bytes.size(), 11u + 265u * 65535u);
  EXPECT_EQ(bytes.substr(5, 2), "\xff\xff"s);
  const auto reader = OpenReader("max.fmx");
  EXPECT_EQ(reader->MemberNames().size(), 65535u);
  EXPECT_EQ(reader->ReadMember("e"), "");
}

// ---------------------------------------------------------------- reader

TEST_F(FmixTest, ReaderLookups) {
  Write("a.txt", "first line\0hidden"s);
  Write("b.bin", "\x01\x02"s);
  Write("ｆｕｌｌ.txt", "full-width");
  const std::string longName(300, 'l');
  ASSERT_TRUE(WriteFileMix(Entries({"a.txt=a.txt=1", "b.bin=Data/B.bin=0", "ｆｕｌｌ.txt=ｆｕｌｌ.txt=1",
                                    "b.bin=" + longName + "=0", "a.txt=A.TXT=0"}),
                           "合成.fmx"));
  const auto reader = OpenReader("合成.fmx");
  EXPECT_EQ(reader->Path(), "合成.fmx");
  EXPECT_EQ(reader->MemberNames(),
            (std::vector<std::string>{"A.TXT", "DATA/B.BIN", "ＦＵＬＬ.TXT", std::string(255, 'L'), "A.TXT"}));

  struct TCase {
    std::string name;
    std::optional<std::string> bytes;
    std::optional<std::string> text;
  };
  const TCase cases[] = {
      {"a.txt", "first line\0hidden"s, "first line"},  // the first of two records with the name
      {"A.Txt", "first line\0hidden"s, "first line"},
      {"data/b.BIN", "\x01\x02"s, "\x01\x02"s},
      {"ｆｕｌｌ.ＴＸＴ"s, std::nullopt, std::nullopt},  // ＴＸＴ is not TXT
      {"ＦＵＬＬ.txt", "full-width", "full-width"},
      {"ｆｕｌｌ.txt", "full-width", "full-width"},
      {longName, "\x01\x02"s, "\x01\x02"s},  // cut like the stored name
      {"b.bin", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(reader->ReadMember(c.name), c.bytes);
    EXPECT_EQ(reader->ReadMemberText(c.name), c.text);
    EXPECT_EQ(reader->HasMember(c.name), c.bytes.has_value());
  }
}

TEST_F(FmixTest, ExtractMember) {
  Write("a.txt", "payload\0with zero"s);
  ASSERT_TRUE(WriteFileMix(Entries({"a.txt=a.txt=1"}), "x.fmx"));
  const auto reader = OpenReader("x.fmx");
  EXPECT_TRUE(reader->ExtractMember("A.TXT", "取り出し.txt"));
  EXPECT_EQ(Read("取り出し.txt"), "payload\0with zero"s);
  EXPECT_FALSE(reader->ExtractMember("none", "none.txt"));
  EXPECT_FALSE(FileExists("none.txt"));
  EXPECT_FALSE(reader->ExtractMember("a.txt", "nowhere/a.txt"));
  EXPECT_FALSE(reader->ExtractMember("a.txt", ""));
}

TEST_F(FmixTest, FormatErrors) {
  struct TCase {
    const char* label;
    std::string bytes;
  };
  const TCase cases[] = {
      {"empty", ""},
      {"shorter than the magic", "fMi"},
      {"header cut", "fMix\x01\x00\x00\x0b\x00\x00"s},
      {"wrong magic", "FMIX\x01\x00\x00\x0b\x00\x00\x00"s},
      {"a packed executable's bytes", "MZ\x90\x00" + std::string(100, '\0')},
      {"one record announced, none there", Header(1)},
      {"record cut short", Header(1) + Record("A", 0, 0).substr(0, 264)},
      {"two records announced, one there", Header(2) + Record("A", 0, 0) + "data"},
      {"count 65535 in a small file", Header(65535) + Record("A", 0, 0)},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.label);
    Write("bad.fmx", c.bytes);
    std::string error;
    EXPECT_EQ(TFileMixReader::Open("bad.fmx", 0, error), nullptr);
    EXPECT_EQ(error, "\"bad.fmx\"は、TFileMixHeaderでは形式が違うため読めません。");
  }
}

TEST_F(FmixTest, IgnoredHeaderFieldsAndFileErrors) {
  // Version and total size are not checked.
  std::string bytes = Container({{"A", "abc", 0}});
  bytes[4] = 7;
  PutLe(bytes, 7, 0xDEADBEEF, 4);
  Write("odd.fmx", bytes);
  EXPECT_EQ(OpenReader("odd.fmx")->ReadMember("a"), "abc");

  // A file that cannot be read is no format error.
  for (const std::string path : {"missing.fmx", ".", ""}) {
    SCOPED_TRACE(path);
    std::string error;
    EXPECT_EQ(TFileMixReader::Open(path, 0, error), nullptr);
    EXPECT_EQ(error, "Cannot open file \"" + path + "\"");
  }
}

TEST_F(FmixTest, RecordsOutsideTheFileReadAsFailures) {
  const std::uint32_t dataStart = 11 + 265 * 7;
  const std::string data = "0123456789";
  const std::uint32_t fileSize = dataStart + static_cast<std::uint32_t>(data.size());
  const std::string bytes = Header(7) + Record("INSIDE", dataStart + 2, 3) + Record("TOEND", dataStart, 10) +
                            Record("PASTEND", dataStart + 8, 3) + Record("BEYOND", fileSize + 5, 1) +
                            Record("EMPTYATEND", fileSize, 0) + Record("WRAPS", 0xFFFFFFF0u, 0x20) +
                            Record("HUGE", 0, 0xFFFFFFFFu) + data;
  Write("lying.fmx", bytes);
  const auto reader = OpenReader("lying.fmx");
  struct TCase {
    const char* name;
    std::optional<std::string> bytes;
  };
  const TCase cases[] = {
      {"INSIDE", "234"}, {"TOEND", data},        {"PASTEND", std::nullopt}, {"BEYOND", std::nullopt},
      {"EMPTYATEND", ""}, {"WRAPS", std::nullopt}, {"HUGE", std::nullopt},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(reader->HasMember(c.name));
    EXPECT_EQ(reader->ReadMember(c.name), c.bytes);
    EXPECT_EQ(reader->ExtractMember(c.name, "out.bin"), c.bytes.has_value());
  }
}

TEST_F(FmixTest, OnlyFlagOneIsUnscrambled) {
  const std::string plain = "plain bytes";
  Write("f.fmx", Container({{"ONE", Scrambled(plain), 1}, {"TWO", plain, 2}, {"FF", plain, 0xFF}}));
  const auto reader = OpenReader("f.fmx");
  EXPECT_EQ(reader->ReadMember("one"), plain);
  EXPECT_EQ(reader->ReadMember("two"), plain);
  EXPECT_EQ(reader->ReadMember("ff"), plain);
}

// ---------------------------------------------------------------- appended data

// A PE image of `length` bytes: header position at 0x3C, "PE\0\0" there, the
// section count at +6 and the last section's raw size and position in the
// table from +248. Earlier section entries hold values that must not be used.
struct TPe {
  char first = 'M';
  std::uint16_t header = 0x80;
  std::uint8_t count = 3;
  std::uint32_t rawPosition = 0x400;
  std::uint32_t rawSize = 0x200;
  std::size_t length = 0x600;
  bool junkHighBytes = false;  // non-zero bytes after the 16-bit and 8-bit fields
};

std::string PeImage(const TPe& pe) {
  std::string bytes(0x1000, '\0');
  bytes[0] = pe.first;
  bytes[1] = 'Z';
  PutLe(bytes, 0x3C, pe.header, 2);
  if (pe.junkHighBytes) PutLe(bytes, 0x3E, 0x7F7F, 2);
  PutLe(bytes, pe.header, 0x4550, 4);  // "PE\0\0"
  PutLe(bytes, pe.header + 6, pe.count, 1);
  if (pe.junkHighBytes) PutLe(bytes, pe.header + 7, 0x01, 1);
  for (std::uint32_t i = 0; i + 1 < pe.count; ++i) {
    PutLe(bytes, pe.header + 248 + 40 * i + 16, 0x700, 4);
    PutLe(bytes, pe.header + 248 + 40 * i + 20, 0x700, 4);
  }
  if (pe.count > 0) {
    const std::size_t entry = pe.header + 248 + 40 * (pe.count - 1);
    PutLe(bytes, entry + 16, pe.rawSize, 4);
    PutLe(bytes, entry + 20, pe.rawPosition, 4);
  }
  bytes.resize(pe.length);
  return bytes;
}

// A little-endian ELF image of `length` bytes with the given tables.
struct TSection {
  std::uint32_t type;
  std::uint64_t offset, size;
};
struct TSegment {
  std::uint64_t offset, filesz;
};
struct TElf {
  bool wide = true;
  std::uint64_t phoff = 0;
  std::vector<TSegment> segments;
  std::uint64_t shoff = 0;
  std::vector<TSection> sections;
  std::size_t length = 0;
  std::optional<std::uint16_t> shnumField;  // when not the number of sections
  std::optional<std::uint16_t> phnumField;  // when not the number of segments
  char byteOrder = 1;
  char elfClass = 0;  // 0: by `wide`
};

constexpr std::uint32_t kProgbits = 1, kNobits = 8;

std::string ElfImage(const TElf& elf) {
  std::string b(0x2000, '\0');
  b.replace(0, 4, "\x7f" "ELF");
  b[4] = elf.elfClass != 0 ? elf.elfClass : (elf.wide ? 2 : 1);
  b[5] = elf.byteOrder;
  b[6] = 1;
  const std::uint16_t shnum = elf.shnumField.value_or(static_cast<std::uint16_t>(elf.sections.size()));
  const std::uint16_t phnum = elf.phnumField.value_or(static_cast<std::uint16_t>(elf.segments.size()));
  if (elf.wide) {
    PutLe(b, 0x10, 2, 2);
    PutLe(b, 0x20, elf.phoff, 8);
    PutLe(b, 0x28, elf.shoff, 8);
    PutLe(b, 0x34, 64, 2);
    PutLe(b, 0x36, 56, 2);
    PutLe(b, 0x38, phnum, 2);
    PutLe(b, 0x3A, 64, 2);
    PutLe(b, 0x3C, shnum, 2);
    for (std::size_t i = 0; i < elf.segments.size(); ++i) {
      const std::size_t at = elf.phoff + 56 * i;
      PutLe(b, at, 1, 4);
      PutLe(b, at + 8, elf.segments[i].offset, 8);
      PutLe(b, at + 32, elf.segments[i].filesz, 8);
      PutLe(b, at + 40, elf.segments[i].filesz + 0x1000, 8);  // memsz is not a file size
    }
    for (std::size_t i = 0; i < elf.sections.size(); ++i) {
      const std::size_t at = elf.shoff + 64 * i;
      PutLe(b, at + 4, elf.sections[i].type, 4);
      PutLe(b, at + 24, elf.sections[i].offset, 8);
      PutLe(b, at + 32, elf.sections[i].size, 8);
    }
  } else {
    PutLe(b, 0x10, 2, 2);
    PutLe(b, 0x1C, elf.phoff, 4);
    PutLe(b, 0x20, elf.shoff, 4);
    PutLe(b, 0x28, 52, 2);
    PutLe(b, 0x2A, 32, 2);
    PutLe(b, 0x2C, phnum, 2);
    PutLe(b, 0x2E, 40, 2);
    PutLe(b, 0x30, shnum, 2);
    for (std::size_t i = 0; i < elf.segments.size(); ++i) {
      const std::size_t at = elf.phoff + 32 * i;
      PutLe(b, at, 1, 4);
      PutLe(b, at + 4, elf.segments[i].offset, 4);
      PutLe(b, at + 16, elf.segments[i].filesz, 4);
      PutLe(b, at + 20, elf.segments[i].filesz + 0x1000, 4);
    }
    for (std::size_t i = 0; i < elf.sections.size(); ++i) {
      const std::size_t at = elf.shoff + 40 * i;
      PutLe(b, at + 4, elf.sections[i].type, 4);
      PutLe(b, at + 16, elf.sections[i].offset, 4);
      PutLe(b, at + 20, elf.sections[i].size, 4);
    }
  }
  b.resize(elf.length);
  return b;
}

void FmixTest::CheckOverlays(const std::vector<TOverlayCase>& cases) {
  for (const TOverlayCase& c : cases) {
    SCOPED_TRACE(c.label);
    Write("prog.exe", c.image + c.appended);
    const std::optional<std::string> overlay = ExtractOverlay("prog.exe");
    if (c.found) {
      EXPECT_EQ(overlay, c.appended);
    } else {
      EXPECT_FALSE(overlay.has_value());
    }
  }
}

TEST_F(FmixTest, PeOverlay) {
  const std::string tail = "XYfMix\x01"s;
  CheckOverlays({
      {"after the last section", PeImage({}), tail, true},
      {"lower-case m", PeImage({.first = 'm'}), tail, true},
      {"one section", PeImage({.count = 1, .rawPosition = 0x200, .rawSize = 0x100, .length = 0x300}), tail, true},
      {"only the 16-bit and 8-bit fields count", PeImage({.junkHighBytes = true}), tail, true},
      {"nothing appended", PeImage({}), "", false},
      {"appended bytes without f", PeImage({}), "XYZ\0\x01"s, false},
      {"not M", PeImage({.first = 'Z'}), tail, false},
      {"no sections", PeImage({.count = 0}), tail, false},
      {"header position past the end", PeImage({.header = 0x7000}), tail, false},
      {"section table past the end", PeImage({.count = 200, .length = 0x600}), std::string(16, 'f'), false},
      {"last section past the end", PeImage({.rawSize = 0x300}), tail, false},
      {"cut before the header position", "MZ" + std::string(20, '\0'), tail, false},
  });
}

TEST_F(FmixTest, ElfOverlay) {
  const std::string tail = "..fMix";
  // 64 bits: header 64, one segment entry at 64, sections at 0x100..0x2FF,
  // a NOBITS section claiming far more, the section table last.
  const TElf typical{.phoff = 64,
                     .segments = {{0, 0x200}},
                     .shoff = 0x300,
                     .sections = {{0, 0, 0}, {kProgbits, 0x100, 0x200}, {kNobits, 0x300, 0x100000}},
                     .length = 0x300 + 3 * 64};
  TElf extended = typical;  // more sections than the field holds: the count is section 0's size
  extended.shnumField = 0;
  extended.sections[0].size = 3;
  TElf sectionLast = typical;  // the table before the last section's content
  sectionLast.shoff = 0x100;
  sectionLast.sections[1] = {kProgbits, 0x400, 0x80};
  sectionLast.length = 0x480;
  TElf segmentLast = typical;  // a segment's file image reaches furthest
  segmentLast.segments.push_back({0x200, 0x600});
  segmentLast.length = 0x800;
  TElf narrow{.wide = false,
              .phoff = 52,
              .segments = {{0, 0x100}},
              .shoff = 0x200,
              .sections = {{0, 0, 0}, {kProgbits, 0x100, 0x100}, {kNobits, 0x200, 0x5000}},
              .length = 0x200 + 3 * 40};
  TElf headerOnly{.length = 64};
  TElf sectionPastEnd = typical;
  sectionPastEnd.sections[1].size = 0x1000;
  TElf tablePastEnd = typical;
  tablePastEnd.length = 0x300 + 2 * 64;
  TElf wrapping = typical;
  wrapping.sections[1] = {kProgbits, 0xFFFFFFFFFFFFFFF0u, 0x20};
  TElf bigEndian = typical;
  bigEndian.byteOrder = 2;
  TElf badClass = typical;
  badClass.elfClass = 3;
  TElf manySegments = typical;
  manySegments.phnumField = 2000;  // the segment table would run past the end

  CheckOverlays({
      {"64 bits, section table last", ElfImage(typical), tail, true},
      {"extended section numbering", ElfImage(extended), tail, true},
      {"a section after the table", ElfImage(sectionLast), tail, true},
      {"a segment reaching furthest", ElfImage(segmentLast), tail, true},
      {"32 bits", ElfImage(narrow), tail, true},
      {"no tables at all", ElfImage(headerOnly), tail, true},
      {"nothing appended", ElfImage(typical), "", false},
      {"appended bytes without f", ElfImage(typical), "MIX", false},
      {"a section past the end", ElfImage(sectionPastEnd), tail, false},
      {"section table past the end", ElfImage(tablePastEnd), tail, false},
      {"offset and size overflow", ElfImage(wrapping), tail, false},
      {"big-endian", ElfImage(bigEndian), tail, false},
      {"unknown class", ElfImage(badClass), tail, false},
      {"segment table past the end", ElfImage(manySegments), std::string(64, 'f'), false},
      {"header cut", ElfImage(typical).substr(0, 40), "", false},
      {"neither kind", "#!/bin/sh\n", "fMix", false},
      {"empty file", "", "", false},
  });
  EXPECT_FALSE(ExtractOverlay("missing.exe").has_value());
}

// A container appended to a real executable is found from the executable's
// own headers and read back; other bytes before it make it unreadable.
TEST_F(FmixTest, ContainerAppendedToARealExecutable) {
  std::string runtime;
  if (!ReadWholeFile("/bin/true", runtime) || !runtime.starts_with("\x7f" "ELF"))
    GTEST_SKIP() << "no ELF executable at /bin/true";
  Write("script.yrh", "表示する。");
  ASSERT_TRUE(WriteFileMix(Entries({"script.yrh=yurahosi.yrh=1"}), "packed.fmx"));
  const std::string container = Read("packed.fmx");

  Write("plain.exe", runtime);
  EXPECT_FALSE(ExtractOverlay("plain.exe").has_value());

  Write("packed.exe", runtime + container);
  const std::optional<std::string> overlay = ExtractOverlay("packed.exe");
  ASSERT_EQ(overlay, container);
  Write("overlay.fmx", *overlay);
  EXPECT_EQ(OpenReader("overlay.fmx")->ReadMemberText("YURAHOSI.YRH"), "表示する。");

  Write("prefixed.exe", runtime + "padding" + container);
  ASSERT_EQ(ExtractOverlay("prefixed.exe"), "padding" + container);
  Write("prefixed.fmx", "padding" + container);
  std::string error;
  EXPECT_EQ(TFileMixReader::Open("prefixed.exe", runtime.size(), error), nullptr);
  EXPECT_EQ(error, "\"prefixed.exe\"は、TFileMixHeaderでは形式が違うため読めません。");
}

}  // namespace
}  // namespace yura

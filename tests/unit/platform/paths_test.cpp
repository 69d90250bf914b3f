#include "platform/paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/filesystem.h"
#include "platform/tempfolder.h"
#include "test_text.h"

namespace yura {
namespace {

TEST(Paths, BackslashesBecomeSlashesButTrailBytesStay) {
  // 表 and ソ end in the byte 0x5C.
  EXPECT_EQ(ToNativePath("a\\表\\ソ.yrh"), Utf8(u8"a/表/ソ.yrh"));
  EXPECT_EQ(FromNativePath(Utf8(u8"a/表")), "a/表");
  EXPECT_EQ(FileNamePart("dir\\表"), "表");
  EXPECT_EQ(FileNamePart("表"), "表");
  EXPECT_EQ(FolderPart("x/y\\十.yrh"), "x/y\\");
  EXPECT_EQ(FileNamePart("C:a.yrh"), "a.yrh");
  EXPECT_FALSE(IsPathSeparatorAt("表", 1));
  EXPECT_TRUE(IsPathSeparatorAt("a\\b", 1));
}

TEST(Paths, AbsolutePathTest) {
  EXPECT_TRUE(IsAbsolutePath("/tmp"));
  EXPECT_TRUE(IsAbsolutePath("\\tmp"));
  EXPECT_TRUE(IsAbsolutePath("C:\\x"));
  EXPECT_TRUE(IsAbsolutePath("c:"));
  EXPECT_FALSE(IsAbsolutePath("tmp/x"));
  EXPECT_FALSE(IsAbsolutePath(""));
  EXPECT_FALSE(IsAbsolutePath("1:x"));
}

TEST(Paths, AbsolutePathResolvesDotsAndUsesTheCurrentFolder) {
  EXPECT_EQ(AbsolutePath("/a/./b/../c"), "/a/c");
  EXPECT_EQ(AbsolutePath("\\a\\b\\"), "/a/b/");
  EXPECT_EQ(AbsolutePath("/.."), "/");
  EXPECT_EQ(AbsolutePath("x.yrh"), CurrentFolder() + "x.yrh");
  EXPECT_EQ(WithTrailingSeparator("/a"), "/a/");
  EXPECT_EQ(WithTrailingSeparator("/a\\"), "/a\\");
}

TEST(TempFolder, PrivateExclusiveAndRemoved) {
  std::string folder;
  {
    TTempFolder temp;
    folder = temp.Path();
    ASSERT_FALSE(folder.empty());
    struct stat info {};
    ASSERT_EQ(::stat(ToNativePath(folder).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    const std::string file = temp.CreateFile("TMP1.TMP", "abc");
    ASSERT_EQ(file, folder + "TMP1.TMP");
    std::string content;
    ASSERT_TRUE(ReadWholeFile(file, content));
    EXPECT_EQ(content, "abc");
    EXPECT_EQ(temp.CreateFile("TMP1.TMP", "again"), "");  // never overwrites
    for (const char* unsafe : {"../x", "a/b", "a\\b", "c:x", "..", ""}) EXPECT_EQ(temp.CreateFile(unsafe, "x"), "");
    EXPECT_EQ(temp.CreateFile("表", "x"), folder + "表");  // a trail byte 0x5C is no separator
    EXPECT_EQ(UniqueTempName("", "TMP.TMP", folder), folder + "TMP2.TMP");
  }
  EXPECT_FALSE(FolderExists(folder));
}

TEST(TempFolder, UniqueNameCountsPastExistingFiles) {
  TTempFolder temp;
  const std::string folder = temp.Path();
  temp.CreateFile("TMP1.TMP", "");
  temp.CreateFile("TMP2.TMP", "");
  EXPECT_EQ(UniqueTempName(folder, "TMP.TMP", "/unused"), folder + "TMP3.TMP");
  EXPECT_EQ(UniqueTempName("", "x", folder), folder + "x1");
}

}  // namespace
}  // namespace yura

#include "commands/files/textstream.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/tempfolder.h"

namespace yura {
namespace {

using namespace std::string_literals;

class TextStreamTest : public ::testing::Test {
 protected:
  std::string Make(const std::string& bytes) {
    const std::string path = temp.Path() + "t.txt";
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
  }
  std::vector<std::string> AllLines(TTextFileStream& stream) {
    std::vector<std::string> lines;
    for (int guard = 0; guard < 100 && !stream.AtEnd(); ++guard) lines.push_back(stream.ReadLine());
    return lines;
  }
  TTempFolder temp;
};

// Line ends and double-byte characters that fall on the 4096-byte boundary of
// the read-ahead buffer.
TEST_F(TextStreamTest, BlockBoundariesSplitNothing) {
  const std::string filler(4095, 'x');
  struct TCase {
    const char* label;
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"lead byte last in the block", filler + "\x95\x5C" "b", {filler + "\x95\x5C" "b"}},
      {"CR last, LF first in the next block", filler + "\r\nz", {filler, "z"}},
      {"trail byte 0x0D is no line end", "\x83\x0D\r\n"s, {"\x83\x0D"s}},
      {"lone CR and LF and NUL", "a\rb\nc\0d"s, {"a", "b", "c", "d"}},
      {"empty lines", "\r\n\n\r", {"", "", ""}},
      {"lead byte at the very end", "ab\x95", {"ab\x95"}},
  };
  for (TCase& c : cases) {
    SCOPED_TRACE(c.label);
    TTextFileStream stream;
    ASSERT_TRUE(stream.Open(Make(c.bytes), TOpenMode::Read));
    EXPECT_EQ(AllLines(stream), c.lines);
    EXPECT_TRUE(stream.AtEnd());
  }
}

TEST_F(TextStreamTest, LinesAreWrittenWhereTheReaderStands) {
  TTextFileStream stream;
  ASSERT_TRUE(stream.Open(Make("one\r\ntwo\r\nthree\r\n"), TOpenMode::ReadWrite));
  EXPECT_EQ(stream.ReadLine(), "one");
  ASSERT_TRUE(stream.WriteLine("TWO"));
  EXPECT_EQ(stream.ReadLine(), "three");
  EXPECT_TRUE(stream.AtEnd());
  stream.MoveTo(0);
  EXPECT_EQ(AllLines(stream), (std::vector<std::string>{"one", "TWO", "three"}));
}

TEST_F(TextStreamTest, BinaryAccessUsesTheFilePosition) {
  TTextFileStream stream;
  ASSERT_TRUE(stream.Open(Make("0123456789"), TOpenMode::ReadWrite));
  stream.MoveTo(7);
  char buffer[5] = {};
  EXPECT_EQ(stream.ReadBinary(buffer, 5), 3u);
  EXPECT_EQ(std::string(buffer, 3), "789");
  stream.MoveTo(2);
  ASSERT_TRUE(stream.WriteBinary("ab"));
  stream.MoveTo(0);
  EXPECT_EQ(stream.ReadLine(), "01ab456789");
}

}  // namespace
}  // namespace yura

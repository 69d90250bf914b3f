// A file stream with line reading for file handles. Lines are read through a
// 4096-byte read-ahead buffer; the logical position is where the line reader
// stands (and where the next line is written), while binary reads and writes
// use the file position directly.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/filestream.h"

namespace yura {

class TTextFileStream {
 public:
  static constexpr std::size_t kBlockSize = 4096;

  bool Open(std::string_view sjisPath, TOpenMode mode) { return file_.Open(sjisPath, mode); }

  // One line without its line end: CR, LF, CR LF and a zero byte end a line;
  // a double-byte character is never split.
  std::string ReadLine();
  bool AtEnd() const;
  // Writes the text and CR LF at the logical position.
  bool WriteLine(std::string_view text);

  void MoveTo(std::uint64_t position);
  std::uint64_t Size() const { return file_.Size(); }

  bool WriteBinary(std::string_view bytes) { return file_.Write(bytes); }
  std::size_t ReadBinary(char* buffer, std::size_t count) { return file_.Read(buffer, count); }

 private:
  bool Buffered() const { return cursor_ < end_; }
  // Reads the next block at the file position; false when nothing is left.
  bool Refill();
  // The next byte, refilling the buffer when it is used up; -1 at the end.
  int NextByte();
  int PeekByte();
  void DiscardBuffer() { cursor_ = end_ = 0; }

  TFileStream file_;
  std::array<char, kBlockSize> buffer_{};
  std::size_t cursor_ = 0;
  std::size_t end_ = 0;
  std::uint64_t logical_ = 0;
  std::uint64_t blockEnd_ = 0;  // file offset just after the last block read
};

}  // namespace yura

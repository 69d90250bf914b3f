// An open file with an explicit position, for file handles: reads and writes
// at the position, seeking, the size. Failures are reported by return values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace yura {

enum class TOpenMode {
  Read,       // existing file, read only
  Write,      // existing file, write only
  ReadWrite,  // existing file
  Create,     // created or emptied, read and write
  OpenOrCreate,  // created empty when missing, read and write
};

class TFileStream {
 public:
  TFileStream() = default;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  ~TFileStream();

  bool Open(std::string_view sjisPath, TOpenMode mode);
  bool IsOpen() const { return descriptor_ >= 0; }

  std::uint64_t Position() const { return position_; }
  void Seek(std::uint64_t position) { position_ = position; }
  std::uint64_t Size() const;

  // Reads up to `count` bytes at the position and advances it; the bytes read.
  std::size_t Read(char* buffer, std::size_t count);
  // Writes every byte at the position and advances it; false on failure.
  bool Write(std::string_view bytes);

 private:
  int descriptor_ = -1;
  std::uint64_t position_ = 0;
};

}  // namespace yura

// Little-endian integers inside byte strings (binary buffers, container
// records, the scrambled-file length). Callers check the bounds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace yura {

inline std::uint64_t ReadLittleEndian(std::string_view bytes, std::size_t offset, std::size_t width) {
  std::uint64_t value = 0;
  for (std::size_t k = width; k-- > 0;) value = (value << 8) | static_cast<unsigned char>(bytes[offset + k]);
  return value;
}

inline void WriteLittleEndian(std::string& bytes, std::size_t offset, std::size_t width, std::uint64_t value) {
  for (std::size_t k = 0; k < width; ++k) bytes[offset + k] = static_cast<char>((value >> (8 * k)) & 0xFFu);
}

}  // namespace yura

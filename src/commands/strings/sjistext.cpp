#include "commands/strings/sjistext.h"

#include "source/sjis.h"

namespace yura {

std::size_t CharCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) ++count;
  return count;
}

std::string CharWindow(std::string_view text, long long start, long long count) {
  if (count <= 0) return {};
  const long long last = start + count - 1;
  std::string out;
  long long position = 1;
  for (std::size_t i = 0; i < text.size() && position <= last; ++position) {
    const std::size_t length = CharLengthAt(text, i);
    if (position >= start) out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace yura

#include "source/sjis.h"

namespace yura {

bool IsCharBoundary(std::string_view s, std::size_t index) {
  if (index >= s.size()) return index == s.size();
  // Walk back over the run of bytes that could be lead bytes: the parity of
  // that run decides whether `index` is a trail byte.
  std::size_t k = index;
  while (k > 0 && IsLeadByte(s[k - 1])) --k;
  return (index - k) % 2 == 0;
}

std::vector<std::string_view> PathSegments(std::string_view path) {
  std::vector<std::string_view> segments;
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += CharLengthAt(path, i))
    if (path[i] == '\\') {
      segments.push_back(path.substr(start, i - start));
      start = i + 1;
    }
  if (start < path.size()) segments.push_back(path.substr(start));
  return segments;
}

}  // namespace yura

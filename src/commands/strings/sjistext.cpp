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
  std::size_t from = std::string::npos, to = text.size();
  long long position = 1;
  for (std::size_t i = 0; i < text.size(); ++position) {
    if (position == start || (position > start && from == std::string::npos)) from = i;
    if (position > last) {
      to = i;
      break;
    }
    i += CharLengthAt(text, i);
  }
  if (from == std::string::npos || from >= to) return {};
  return std::string(text.substr(from, to - from));
}

std::string ByteWindow(std::string_view text, long long start, long long count) {
  if (count <= 0) return {};
  const long long first = std::max(start, 1LL);
  const long long last = std::min(start + count - 1, static_cast<long long>(text.size()));
  if (first > last) return {};
  return std::string(text.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1)));
}

std::size_t FindChars(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return std::string_view::npos;
  for (std::size_t i = from; i + needle.size() <= text.size(); i += CharLengthAt(text, i)) {
    // memchr-like skip to the next candidate first byte keeps long texts fast.
    if (text[i] != needle[0]) continue;
    if (text.compare(i, needle.size(), needle) == 0) return i;
  }
  return std::string_view::npos;
}

std::size_t ByteOffsetOfChar(std::string_view text, long long position) {
  std::size_t i = 0;
  for (long long p = 1; p < position && i < text.size(); ++p) i += CharLengthAt(text, i);
  return i;
}

std::string ReplaceAllChars(const std::string& source, const std::string& search, const std::string& replacement) {
  if (search.empty()) return source;
  std::string out;
  std::size_t done = 0;
  for (std::size_t at = FindChars(source, search); at != std::string::npos; at = FindChars(source, search, done)) {
    out.append(source, done, at - done);
    out += replacement;
    done = at + search.size();
  }
  out.append(source, done, std::string::npos);
  return out;
}

}  // namespace yura

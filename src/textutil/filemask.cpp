#include "textutil/filemask.h"

#include "source/sjis.h"

namespace yura {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameChar(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if ((a.size() == 1 ? FoldAscii(a[i]) : a[i]) != (b.size() == 1 ? FoldAscii(b[i]) : b[i])) return false;
  return true;
}

// Greedy matching with one remembered star: linear in practice, never worse
// than name length times mask length.
bool Matches(std::string_view name, std::string_view mask) {
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size()) {
      const std::size_t maskLength = CharLengthAt(mask, m);
      const std::size_t nameLength = CharLengthAt(name, n);
      if (maskLength == 1 && mask[m] == '*') {
        starMask = ++m;
        starName = n;
        continue;
      }
      if ((maskLength == 1 && mask[m] == '?') || SameChar(mask.substr(m, maskLength), name.substr(n, nameLength))) {
        m += maskLength;
        n += nameLength;
        continue;
      }
    }
    if (starMask == std::string_view::npos) return false;
    // Let the last star take one more character.
    starName += CharLengthAt(name, starName);
    n = starName;
    m = starMask;
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool FileMaskMatches(std::string_view name, std::string_view mask) {
  if (Matches(name, mask)) return true;
  return mask.ends_with(".*") && name.find('.') == std::string_view::npos && Matches(name, mask.substr(0, mask.size() - 2));
}

bool HasFileMaskWildcard(std::string_view mask) {
  for (std::size_t i = 0; i < mask.size(); i += CharLengthAt(mask, i))
    if (mask[i] == '*' || mask[i] == '?') return true;
  return false;
}

}  // namespace yura

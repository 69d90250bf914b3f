#include "platform/console.h"

#include <cstdio>

#include "platform/codepage.h"

namespace yura {

void WriteConsoleText(TConsoleStream stream, std::string_view sjisText, bool endLine) {
  std::string utf8 = SjisToUtf8(sjisText);
  std::string out;
  out.reserve(utf8.size() + 1);
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      out += '\n';
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      out += utf8[i];
    }
  }
  if (endLine) out += '\n';
  std::FILE* file = stream == TConsoleStream::Output ? stdout : stderr;
  std::fwrite(out.data(), 1, out.size(), file);
  std::fflush(file);
}

bool ReadConsoleLine(std::string& sjisLine) {
  std::string utf8;
  int c;
  bool any = false;
  while ((c = std::fgetc(stdin)) != EOF) {
    any = true;
    if (c == '\n') break;
    utf8 += static_cast<char>(c);
  }
  if (!any) return false;
  if (!utf8.empty() && utf8.back() == '\r') utf8.pop_back();
  sjisLine = Utf8ToSjis(utf8);
  return true;
}

}  // namespace yura

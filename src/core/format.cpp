#include "core/format.h"

namespace yura {

std::string FormatMessage(std::string_view messageTemplate, std::initializer_list<std::string_view> values) {
  std::string out;
  out.reserve(messageTemplate.size() + 32);
  auto next = values.begin();
  for (std::size_t i = 0; i < messageTemplate.size(); ++i) {
    const char c = messageTemplate[i];
    if (c == '%' && i + 1 < messageTemplate.size()) {
      const char kind = messageTemplate[i + 1];
      if (kind == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (kind == 's' || kind == 'd') {
        if (next != values.end()) out += *next++;
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

}  // namespace yura

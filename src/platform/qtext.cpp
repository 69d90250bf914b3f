#include "platform/qtext.h"

#include "platform/codepage.h"

namespace yura {

QString ToQString(std::string_view sjis) {
  const std::u16string utf16 = SjisToUtf16(sjis);
  return QString(reinterpret_cast<const QChar*>(utf16.data()), static_cast<qsizetype>(utf16.size()));
}

std::string FromQString(const QString& text) {
  return Utf16ToSjis(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                         static_cast<std::size_t>(text.size())));
}

}  // namespace yura

// Script texts (Shift_JIS) <-> Qt's strings, byte for byte reversible.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace yura {

QString ToQString(std::string_view sjis);
std::string FromQString(const QString& text);

}  // namespace yura

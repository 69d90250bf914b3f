// Line ends between script texts (CR LF) and Qt's widgets (LF).
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace yura {

// CR LF and lone CR become LF.
QString LinesToQt(std::string_view sjis);
// LF (and the paragraph separator of selections) becomes CR LF.
std::string LinesFromQt(const QString& text);

// Positions in a text where a line end counts as the two characters CR LF.
int CrLfPosition(const QString& text, int position);
int LfPosition(const QString& text, int crLfPosition);

// Lines of a list text, each followed by CR LF when read back.
std::vector<QString> ItemLines(std::string_view sjis);
std::string ItemText(const std::vector<QString>& items);

}  // namespace yura

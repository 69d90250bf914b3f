#include "host/gui/texts.h"

#include "platform/qtext.h"
#include "source/textlines.h"

namespace yura {

QString LinesToQt(std::string_view sjis) {
  QString text = ToQString(sjis);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

std::string LinesFromQt(const QString& text) {
  QString lines = text;
  lines.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  lines.replace(QChar::LineSeparator, QLatin1Char('\n'));
  lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return FromQString(lines);
}

int CrLfPosition(const QString& text, int position) {
  position = std::clamp(position, 0, static_cast<int>(text.size()));
  int result = position;
  for (int i = 0; i < position; ++i)
    if (text[i] == QLatin1Char('\n') || text[i] == QChar::ParagraphSeparator) ++result;
  return result;
}

int LfPosition(const QString& text, int crLfPosition) {
  int counted = 0;
  int i = 0;
  for (; i < text.size() && counted < crLfPosition; ++i)
    counted += (text[i] == QLatin1Char('\n') || text[i] == QChar::ParagraphSeparator) ? 2 : 1;
  return i;
}

std::vector<QString> ItemLines(std::string_view sjis) {
  std::vector<QString> items;
  for (std::string_view line : SplitLines(sjis)) items.push_back(ToQString(line));
  return items;
}

std::string ItemText(const std::vector<QString>& items) {
  std::vector<std::string> lines;
  lines.reserve(items.size());
  for (const QString& item : items) lines.push_back(FromQString(item));
  return JoinLinesWithEnds(lines);
}

}  // namespace yura

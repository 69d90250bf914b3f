#include "host/gui/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include "platform/qtext.h"

namespace yura {
namespace {

struct TSubstitution {
  const char16_t* Written;
  const char16_t* Installed;
};

// Fixed-pitch Japanese faces go to IPAGothic / IPAMincho, proportional ones to
// the P variants; fontconfig's own fallback covers the rest.
constexpr TSubstitution kSubstitutions[] = {
    {u"ＭＳ ゴシック", u"IPAGothic"}, {u"MS Gothic", u"IPAGothic"},     {u"ＭＳ Ｐゴシック", u"IPAPGothic"},
    {u"MS PGothic", u"IPAPGothic"},   {u"MS UI Gothic", u"IPAPGothic"}, {u"ＭＳ UI Gothic", u"IPAPGothic"},
    {u"ＭＳ 明朝", u"IPAMincho"},     {u"MS Mincho", u"IPAMincho"},     {u"ＭＳ Ｐ明朝", u"IPAPMincho"},
    {u"MS PMincho", u"IPAPMincho"},   {u"メイリオ", u"IPAPGothic"},     {u"Meiryo", u"IPAPGothic"},
    {u"Meiryo UI", u"IPAPGothic"},    {u"游ゴシック", u"IPAPGothic"},   {u"Yu Gothic", u"IPAPGothic"},
    {u"游明朝", u"IPAPMincho"},       {u"Yu Mincho", u"IPAPMincho"},    {u"ＭＳ ｺﾞｼｯｸ", u"IPAGothic"},
};

}  // namespace

void InstallFontSubstitutions() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (const TSubstitution& entry : kSubstitutions)
    QFont::insertSubstitutions(QString::fromUtf16(entry.Written),
                               {QString::fromUtf16(entry.Installed), QStringLiteral("IPAGothic")});
}

std::vector<std::string> InstalledFontFamilies() {
  std::vector<std::string> families;
  for (const QString& family : QFontDatabase::families()) families.push_back(FromQString(family));
  return families;
}

}  // namespace yura

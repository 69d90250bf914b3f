// The font names scripts write, mapped onto the installed Japanese fonts.
#pragma once

#include <string>
#include <vector>

namespace yura {

// Makes "ＭＳ ゴシック", "ＭＳ 明朝", "MS UI Gothic" and their kin render with
// the IPA fonts. Runs once; later calls do nothing.
void InstallFontSubstitutions();

// The installed font families (Shift_JIS).
std::vector<std::string> InstalledFontFamilies();

}  // namespace yura

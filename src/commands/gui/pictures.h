// Image sources: the text that names a picture (a file, the clipboard, or an
// イメージ or フォーム) resolved for the toolkit that loads it.
#pragma once

#include <string_view>

#include "core/guiobject.h"

namespace yura {

class TEngine;

// A name with an extension is a file (resource-archive members stand in for
// files, then the read-name look-up); "クリップボード" is the clipboard;
// anything else must name an イメージ or a フォーム.
TPictureSource ResolvePictureSource(TEngine& engine, std::string_view text);

}  // namespace yura

// Loading a picture from an image source: a file by its extension, the
// clipboard, or a copy of an イメージ's picture or a form's drawing image.
#pragma once

#include <QImage>

#include "core/guiobject.h"

namespace yura {

// Throws EPlainError with the message a script sees. The clipboard without a
// picture gives a null image.
QImage LoadPicture(const TPictureSource& source);

}  // namespace yura

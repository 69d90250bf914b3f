// Reading a script file: the start-up file and every included file.
#pragma once

#include <string>

#include "core/yurabase.h"

namespace yura {

// Reads a script as lines joined with CR LF after each one; a file that starts
// with a UTF-8 byte-order mark, or is valid UTF-8 with a multibyte character,
// is converted to Shift_JIS. Returns false when the file cannot be read or is
// an executable image. Throws EYura, at the line in question, when a UTF-8
// character has no Shift_JIS form.
bool ReadScriptText(TYuraBase& state, const std::string& sjisPath, std::string& text);

// The UTF-8 rule alone, for a script text that comes from elsewhere (a packed
// script): converts the bytes in place when they are UTF-8.
void ConvertScriptEncoding(TYuraBase& state, std::string& bytes);

}  // namespace yura

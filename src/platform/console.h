// The standard streams in console mode: texts go out in UTF-8, lines come in
// from standard input.
#pragma once

#include <string>
#include <string_view>

namespace yura {

enum class TConsoleStream { Output, Error };

// Writes a script text converted to UTF-8; every CR LF or lone CR becomes a
// line end. With `endLine` a line end follows the text. Flushed at once.
void WriteConsoleText(TConsoleStream stream, std::string_view sjisText, bool endLine);

// Reads one line of standard input as a script text (without its line end);
// false at the end of input.
bool ReadConsoleLine(std::string& sjisLine);

}  // namespace yura

// Source preparation: the one pass that turns a script text into the form the
// executor walks (half-width punctuation outside strings, comments removed,
// line markers after every line end outside strings, balance checked).
#pragma once

#include <stdexcept>
#include <string>

namespace yura {

// An unbalanced brace comment or string. `Line` is the line of the opening
// brace or quote; the message is not yet formatted with file and line.
class EPrepareError : public std::runtime_error {
 public:
  EPrepareError(const std::string& message, int line) : std::runtime_error(message), Line(line) {}
  int Line;
};

// Replaces `text` by its prepared form; throws EPrepareError.
void PrepareSource(std::string& text);

}  // namespace yura

// The exceptions that travel through the interpreter.
#pragma once

#include <stdexcept>
#include <string>

namespace yura {

// A script error. Its message is complete ("[エラー] file(N行目): ...") and was
// appended to the error log when the error was raised (TYuraBase::Raise).
class EYura : public std::exception {
 public:
  explicit EYura(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

// The native stack is nearly used up. It travels to the run loop as it is:
// wrapping it again at every level of a deep recursion would only grow it.
class EStackFull : public EYura {
 public:
  using EYura::EYura;
};

// Any other failure inside a command (a refused name, a number out of range,
// a platform error). The dispatcher turns it into a script error whose reason
// is this message.
class EPlainError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace yura

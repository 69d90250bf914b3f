// A position in a prepared text. Texts are shared immutable buffers, so frames,
// events and labels that keep a cursor keep its text alive.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace yura {

using TText = std::shared_ptr<const std::string>;

inline TText MakeText(std::string text) { return std::make_shared<const std::string>(std::move(text)); }

// A cursor is (text, offset) with offset <= size. The byte at size() is the
// string's terminating zero, so reading the current byte is always safe and
// 0 means the end of the text (prepared texts hold no zero bytes).
struct TCursor {
  TText Text;
  std::size_t Pos = 0;

  TCursor() = default;
  TCursor(TText text, std::size_t pos) : Text(std::move(text)), Pos(pos) {}

  bool IsEmpty() const { return !Text; }
  void Clear() {
    Text.reset();
    Pos = 0;
  }
  const char* Ptr() const { return Text->c_str() + Pos; }
  // The byte `ahead` bytes after the cursor; 0 at or beyond the end.
  unsigned char Peek(std::size_t ahead = 0) const {
    return Pos + ahead < Text->size() ? static_cast<unsigned char>((*Text)[Pos + ahead]) : 0;
  }
  bool AtEnd() const { return Peek() == 0; }
  std::size_t Remaining() const { return Text->size() - Pos; }

  friend bool operator==(const TCursor& a, const TCursor& b) {
    return a.Text.get() == b.Text.get() && a.Pos == b.Pos;
  }
};

}  // namespace yura

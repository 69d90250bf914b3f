#include "commands/files/textstream.h"

#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {

bool TTextFileStream::Refill() {
  DiscardBuffer();
  if (file_.Position() >= file_.Size()) return false;
  end_ = file_.Read(buffer_.data(), buffer_.size());
  blockEnd_ = file_.Position();
  return end_ > 0;
}

int TTextFileStream::NextByte() {
  if (!Buffered() && !Refill()) return -1;
  return static_cast<unsigned char>(buffer_[cursor_++]);
}

int TTextFileStream::PeekByte() {
  if (!Buffered() && !Refill()) return -1;
  return static_cast<unsigned char>(buffer_[cursor_]);
}

std::string TTextFileStream::ReadLine() {
  std::string line;
  bool reachedEnd = false;
  for (;;) {
    const int b = NextByte();
    if (b < 0) {
      reachedEnd = true;
      break;
    }
    if (b == '\r') {
      if (PeekByte() == '\n') ++cursor_;
      break;
    }
    if (b == '\n' || b == 0) break;
    line += static_cast<char>(b);
    if (IsLeadByte(static_cast<unsigned char>(b))) {
      const int trail = NextByte();
      if (trail < 0) {
        reachedEnd = true;
        break;
      }
      line += static_cast<char>(trail);
    }
  }
  logical_ = reachedEnd ? file_.Size() : blockEnd_ - (end_ - cursor_);
  return line;
}

bool TTextFileStream::AtEnd() const {
  const std::uint64_t size = file_.Size();
  return logical_ >= size || (!Buffered() && file_.Position() >= size);
}

bool TTextFileStream::WriteLine(std::string_view text) {
  file_.Seek(logical_);
  DiscardBuffer();
  std::string bytes(text);
  bytes += kCrLf;
  const bool written = file_.Write(bytes);
  logical_ = file_.Position();
  return written;
}

void TTextFileStream::MoveTo(std::uint64_t position) {
  file_.Seek(position);
  logical_ = position;
  DiscardBuffer();
}

}  // namespace yura

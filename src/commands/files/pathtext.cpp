// Path texts: パスを切り出す, 拡張子を切り出す, ファイル名を切り出す, 拡張子変更.
// "\", "/" and ":" divide a path, but never as the second byte of a
// double-byte character (表, ソ).
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "engine/engine.h"
#include "source/sjis.h"

namespace yura {
namespace {

// Where the file name begins: just after the last divider.
std::size_t FileNameStart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += CharLengthAt(path, i)) {
    const char c = path[i];
    if (CharLengthAt(path, i) == 1 && (c == '\\' || c == '/' || c == ':')) start = i + 1;
  }
  return start;
}

// Where the extension begins (its dot), or the end when there is none.
std::size_t ExtensionStart(std::string_view path) {
  const std::size_t nameStart = FileNameStart(path);
  std::size_t dot = path.size();
  for (std::size_t i = nameStart; i < path.size(); i += CharLengthAt(path, i))
    if (path[i] == '.') dot = i;
  return dot;
}

void PathPart(TEngine& engine, THashNode&) {
  const std::string path = engine.PopValue();
  engine.SetSore(path.substr(0, FileNameStart(path)), kTagString);
}

void ExtensionPart(TEngine& engine, THashNode&) {
  const std::string path = engine.PopValue();
  engine.SetSore(path.substr(ExtensionStart(path)), kTagString);
}

void FileNamePartOf(TEngine& engine, THashNode&) {
  const std::string path = engine.PopValue();
  engine.SetSore(path.substr(FileNameStart(path)), kTagString);
}

// 拡張子変更 (314): the new extension includes its dot; empty removes it.
void ChangeExtension(TEngine& engine, THashNode&) {
  const std::string extension = engine.PopValue();
  const std::string path = engine.PopValue();
  engine.SetSore(path.substr(0, ExtensionStart(path)) + extension, kTagString);
}

}  // namespace

void RegisterPathTextHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(170, PathPart);
  dispatcher.Register(176, ExtensionPart);
  dispatcher.Register(269, FileNamePartOf);
  dispatcher.Register(314, ChangeExtension);
}

}  // namespace yura

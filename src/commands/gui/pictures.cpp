#include "commands/gui/pictures.h"

#include "commands/files/filenames.h"
#include "commands/gui/objectregistry.h"
#include "core/yurabase.h"
#include "engine/engine.h"

namespace yura {
namespace {

constexpr std::string_view kClipboard = "クリップボード";

bool HasExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot + 1 == name.size()) return false;
  return name.find_first_of("/\\", dot) == std::string_view::npos;
}

}  // namespace

TPictureSource ResolvePictureSource(TEngine& engine, std::string_view text) {
  TPictureSource source;
  source.Written = std::string(text);
  if (text == kClipboard) {
    source.From = TPictureSource::TFrom::Clipboard;
    return source;
  }
  if (HasExtension(text)) {
    source.From = TPictureSource::TFrom::File;
    source.Path = ResolveForReading(engine, text);
    return source;
  }
  TYuraBase& state = engine.State();
  const TObjNode* node = ObjectOfWord(state, state.Words.FindNode(text, false));
  const bool picture = node != nullptr && (node->KindIndex == static_cast<std::int32_t>(TObjectKind::Image) ||
                                           node->KindIndex == static_cast<std::int32_t>(TObjectKind::Form));
  if (!picture) state.RaiseFormatted("画像として、\"" + std::string(text) + "\"を読み込めません。");
  source.From = TPictureSource::TFrom::Object;
  source.Object = node->Control.get();
  return source;
}

}  // namespace yura

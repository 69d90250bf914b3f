#include "commands/gui/kinds.h"

#include <array>

#include "source/sjis.h"

namespace yura {
namespace {

constexpr std::array<std::string_view, kObjectKindCount> kKindWords = {
    "ボタン",    "エディタ", "イメージ",   "バー",       "コンボ", "リスト",        "メモ",     "フォーム",
    "グリッド",  "ラベル",   "チェック",   "トラック",   "アニメ", "メニュー",      "ブラウザ", "パネル",
    "Tエディタ", "ラジオ",   "スクロール", "タブページ", "ツリー", "リッチエディタ"};

}  // namespace

std::string_view KindWord(TObjectKind kind) { return kKindWords[static_cast<std::size_t>(kind)]; }

std::optional<TObjectKind> KindOfWord(std::string_view word) {
  for (std::size_t i = 0; i < kKindWords.size(); ++i)
    if (kKindWords[i] == word) return static_cast<TObjectKind>(i);
  return std::nullopt;
}

std::optional<TObjectKind> KindOfNameEnding(std::string_view name) {
  for (std::size_t i = 0; i < kKindWords.size(); ++i)
    if (EndsWithChars(name, kKindWords[i])) return static_cast<TObjectKind>(i);
  return std::nullopt;
}

std::string DefaultCaption(std::string_view name, TObjectKind kind) {
  const std::string_view word = KindWord(kind);
  if (EndsWithChars(name, word)) name.remove_suffix(word.size());
  return std::string(name);
}

std::optional<std::size_t> DefaultEventSlot(TObjectKind kind) {
  using K = TObjectKind;
  constexpr TKindSet kClick{K::Button, K::Combo,   K::List,  K::Label, K::Check, K::Anime,
                            K::Menu,   K::Browser, K::Panel, K::Radio, K::Tree};
  constexpr TKindSet kChange{K::Edit, K::Bar, K::Track, K::TextEditor, K::TabPage, K::RichEdit};
  constexpr TKindSet kMouseDown{K::Image, K::Form};
  if (kClick.Has(kind)) return 1;
  if (kChange.Has(kind)) return 7;
  if (kMouseDown.Has(kind)) return 3;
  return std::nullopt;
}

}  // namespace yura

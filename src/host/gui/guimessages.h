// The messages of the GUI parts.
#pragma once

#include <string_view>

#include "core/format.h"

namespace yura {

inline constexpr std::string_view kMsgPictureUnsupported = "\"%s\"が読込めません。未対応のファイル形式です。";
inline constexpr std::string_view kMsgPictureUnreadable = "画像ファイル\"%s\"が読込めません。";
inline constexpr std::string_view kMsgNotAPicture = "画像として、\"%s\"を読み込めません。";
inline constexpr std::string_view kMsgMoveFailed = "親変更に失敗。";
inline constexpr std::string_view kMsgNoMainWindow = "母艦がありません。";
inline constexpr std::string_view kMsgNoParentMenu = "親のメニューがありません。";
inline constexpr std::string_view kMsgMenuByCommand = "メニューは、メニュー作成で作ります。";
inline constexpr std::string_view kQuitQuestion = "終了しますか？";

}  // namespace yura

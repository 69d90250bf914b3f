// The messages of the runtime host.
#pragma once

#include <string_view>

#include "core/format.h"

namespace yura {

inline constexpr std::string_view kMsgStartupUnreadable = "起動ファイル「%s」が読込めません。";
inline constexpr std::string_view kMsgBrokenProgramFile = "指定されたプログラムファイルは壊れています。";
inline constexpr std::string_view kCaptionProgramError = "プログラムの実行エラー";
inline constexpr std::string_view kMsgExtractFailed = "ファイルの展開に失敗しました。";
inline constexpr std::string_view kMsgResourceFailed = "リソースファイルの取り込みに失敗しました。";
inline constexpr std::string_view kMsgNotFmixFile = "\"%s\"は、TFileMixHeaderでは形式が違うため読めません。";
inline constexpr std::string_view kMsgPackedMemberFailed = "実行ファイルに梱包されている\"%s\"の展開に失敗しました。";
inline constexpr std::string_view kPackedScriptName = "yurahosi.yrh";
inline constexpr std::string_view kMsgSystemError = "システムエラー:";

inline constexpr std::string_view kMainWindowTitle = "ゆらほし";
inline constexpr std::string_view kErrorWindowCaption = "実行中にエラーが発生しました。";
inline constexpr std::string_view kErrorWindowDebug = "デバッグする(&D)";
inline constexpr std::string_view kErrorWindowContinue = "実行を続ける(&O)";
inline constexpr std::string_view kErrorWindowStop = "終了(&C)";

}  // namespace yura

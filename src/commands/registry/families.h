// The handler registration of every command family.
#pragma once

namespace yura {

class TDispatcher;

void RegisterWordHandlers(TDispatcher& dispatcher);        // words and variables
void RegisterArithmeticHandlers(TDispatcher& dispatcher);  // 入れる, 足す, ... 計算
void RegisterDialogHandlers(TDispatcher& dispatcher);      // dialogs and the clipboard
void RegisterTextOutputHandlers(TDispatcher& dispatcher);  // 表示
void RegisterStringHandlers(TDispatcher& dispatcher);      // the string commands, with:
void RegisterReplaceHandlers(TDispatcher& dispatcher);     //   置換, 単置換, 区切る
void RegisterCutHandlers(TDispatcher& dispatcher);         //   the cut family and マッチ
void RegisterTextFormatHandlers(TDispatcher& dispatcher);  //   trimming, formatting, 行揃え
void RegisterTextConversionHandlers(TDispatcher& dispatcher);  // width, case, kana, codes, Base64
void RegisterTagHandlers(TDispatcher& dispatcher);         //   HTML tags
void RegisterBinaryHandlers(TDispatcher& dispatcher);      //   確保, バイナリ取得, バイナリ設定
void RegisterIntegerHandlers(TDispatcher& dispatcher);     // MOD and the bit operations, HEX
void RegisterRandomHandlers(TDispatcher& dispatcher);      // 乱数, RND, 乱数初期化
void RegisterRoundingHandlers(TDispatcher& dispatcher);    // INT, ROUND, 四捨五入, ...
void RegisterFunctionHandlers(TDispatcher& dispatcher);    // elementary functions, angles
void RegisterArrayHandlers(TDispatcher& dispatcher);       // arrays of lines: sorts, statistics
void RegisterTableHandlers(TDispatcher& dispatcher);       // CSV tables: columns, sorts, joins
void RegisterTableSearchHandlers(TDispatcher& dispatcher); // 表検索, pick-ups, 表条件抽出
void RegisterDateHandlers(TDispatcher& dispatcher);        // dates, times, 待つ
void RegisterProcessHandlers(TDispatcher& dispatcher);     // 起動, windows and keys
void RegisterWholeFileHandlers(TDispatcher& dispatcher);   // 読む, 書く, scrambled files, containers
void RegisterFileHandleHandlers(TDispatcher& dispatcher);  // file handles
void RegisterFileOperationHandlers(TDispatcher& dispatcher);  // copy, move, delete, folders
void RegisterFileQueryHandlers(TDispatcher& dispatcher);   // tests, attributes, enumerations
void RegisterPathTextHandlers(TDispatcher& dispatcher);    // path texts
void RegisterObjectHandlers(TDispatcher& dispatcher);      // GUI objects: 作成, 設定, 得る, ...
void RegisterMenuHandlers(TDispatcher& dispatcher);        // menu items
void RegisterTimerHandlers(TDispatcher& dispatcher);       // タイマー設定, タイマー解除
void RegisterRegexHandlers(TDispatcher& dispatcher);       // 正規表現マッチ, 区切る, 置換, 入換
void RegisterXmlHandlers(TDispatcher& dispatcher);         // XML documents

}  // namespace yura

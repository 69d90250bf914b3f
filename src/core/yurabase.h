// The whole state of a running script: the word table, the stacks, the
// execution position, the error mode, the texts, and direct references to the
// preset-variable entries that commands read and write.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/hash.h"
#include "core/host.h"
#include "core/objlist.h"
#include "core/stacks.h"
#include "platform/tempfolder.h"
#include "source/cursor.h"

namespace yura {

// State a command family owns inside the interpreter state (open handles, a
// registry key, a database connection, ...). Families derive from it.
class TOwnedState {
 public:
  virtual ~TOwnedState() = default;
};

// How the script was started, read by the start-up constants.
// Values of the preset words that the host computes at start-up (system
// colours, folders, the screen): name -> value, both script texts.
using TSystemPresets = std::vector<std::pair<std::string, std::string>>;

struct TStartupInfo {
  // Parameter 0 is the runtime itself, as on the platform the language knows.
  std::vector<std::string> Parameters;
  // The index of the first parameter that belongs to the script (コマンドライン引数).
  std::size_t ScriptParameterIndex = 1;
  std::string RuntimePath;

  // コマンドライン引数: the parameters from the script's index on, joined with
  // CR LF (no line end after the last).
  std::string ScriptArguments() const;
};

inline constexpr std::string_view kSwitchUndefined = "\\~未定義";
inline constexpr std::size_t kMaxTexts = 50;
inline constexpr std::size_t kMaxRunFrames = 65535;
inline constexpr std::size_t kMaxArguments = 5000;

class TYuraBase {
 public:
  explicit TYuraBase(THost& host);
  TYuraBase(const TYuraBase&) = delete;
  TYuraBase& operator=(const TYuraBase&) = delete;
  ~TYuraBase();

  THost& Host() { return host_; }

  // The start of every run: error log, cursor, line, output position, word
  // table and pending condition are reset; objects and stacks are kept.
  void ResetForStart();

  // "[エラー] file(N行目): message" with the file-name part of SourceFileName.
  std::string FormatError(std::string_view message);
  int LineOfCursor();
  // Formats, logs and throws a script error.
  [[noreturn]] void Raise(std::string_view message);
  // Logs and throws a script error whose message is already complete.
  [[noreturn]] void RaiseFormatted(std::string message);
  void AppendToErrorLog(std::string_view message);

  // Frees everything in the order the runtime defines; run once, by the
  // destructor at the latest.
  void Release();

  // --- Execution ---
  std::string SourceFileName;
  TText SourceText;
  bool RuntimeMode = false;
  bool PackedScript = false;
  bool DefaultScript = false;
  bool DebugMode = false;
  TCursor Cursor;
  std::int32_t CurrentLine = 0;
  // Where a sentence ended by a line end runs its command: errors raised
  // there name the sentence's own line, not the next one.
  TCursor PinnedCursor;
  std::int32_t PinnedLine = 0;
  bool Centering = false;
  THash Words;
  std::int32_t TextX = 0;
  std::int32_t TextY = 0;
  TStack ArgStack;
  TRunControlStack RunStack;
  TObjList Objects;
  // Destroyed objects whose controls are freed once no event of theirs can
  // still be running.
  std::vector<std::unique_ptr<TObjNode>> DeferredFree;
  // The installed font names, normalised for matching font texts, with the
  // name each stands for; read on first use.
  std::optional<std::vector<std::pair<std::string, std::string>>> InstalledFonts;
  std::vector<std::unique_ptr<TOwnedState>> DllList;
  std::int32_t CondResult = -1;
  TNodeRef CountNode;  // 回数
  bool StopRequested = false;
  bool ParenCall = false;
  bool SoreImplied = false;
  std::string SwitchValue{kSwitchUndefined};
  TNodeRef SpacingNode;  // 部品配置間隔
  TNodeRef SoshiteNode;  // そして
  std::string LastType{kTagString};
  // The seed of the script's random generator, set from the clock at creation.
  std::uint32_t RandomSeed = 0;

  // --- Errors and the end of the program ---
  bool ErrorWarn = true;
  TNodeRef ErrorLabel;
  TCursor ErrorReturnPos;
  TNodeRef ErrorMessageNode;  // エラーメッセージ
  TNodeRef ExitLabel;
  // Sentences completed so far, and the count when the run last jumped to the
  // error label: a second error before another sentence completes is reported
  // instead of jumping again.
  std::uint64_t SentenceCount = 0;
  std::uint64_t ErrorJumpSentence = UINT64_MAX;
  TNodeRef NoExitNode;  // 終了不可能
  std::string ErrorLog;

  TNodeRef TimerLabel;
  bool LineStop = false;
  std::unique_ptr<TOwnedState> LogObject;
  TNodeRef SoreNode;  // それ
  TNodeRef SoNode;    // そ

  // --- Event variables ---
  TNodeRef MouseXNode, MouseYNode;           // マウスX, マウスY
  TNodeRef PressedKeyNode;                   // 押されたキー
  TNodeRef PressedSpecialKeyNode;            // 押された特殊キー
  TNodeRef EventValueNode;                   // イベントの値
  TNodeRef BrowserAllowNode;                 // ブラウザURL移動許可
  TNodeRef BrowserTargetUrlNode;             // ブラウザ移動先URL
  TNodeRef EventObjectNode;                  // イベントオブジェクト

  // --- Condition keywords ---
  TNodeRef NarabaNode, NaraNode, ChigaebaNode, MoshiNode, DenakerebaNode;

  TNodeRef MatchCountNode;      // マッチ数
  TNodeRef OutputTargetNode;    // 表示出力先
  TNodeRef CompressOptionNode;  // 圧縮オプション
  TNodeRef ExtractOptionNode;   // 解凍オプション
  TNodeRef SfxOptionNode;       // 自己解凍書庫オプション

  // --- Tables ---
  std::unique_ptr<TOwnedState> TableSearch;
  TNodeRef TableFieldNameNode;  // 表フィールド名

  // --- DDE, sound, registry, INI ---
  std::unique_ptr<TOwnedState> DdeServers;
  std::int32_t DdeServerCount = 0;
  TNodeRef DdeFileNameNode, DdeStringNode;  // DDEファイル名, DDE文字列
  TNodeRef PlayRepeatNode;                  // 演奏繰り返し
  bool MediaState = false;
  std::unique_ptr<TOwnedState> Registry;
  std::unique_ptr<TOwnedState> IniFile;

  std::int32_t SecurityLevel = -1;

  // --- Drawing ---
  TNodeRef PenColorNode, PenWidthNode, BrushColorNode;     // ペン色, ペン太さ, 塗り色
  TNodeRef FontColorNode, FontSizeNode, FontNameNode;      // 文字色, 文字サイズ, 文字書体
  TNodeRef JpegQualityNode;                                // JPEG圧縮率

  // --- Sources and files ---
  std::unique_ptr<TOwnedState> ResourceArchive;
  std::vector<std::string> TempFiles;
  TTempFolder TempFolder;  // the run's private temporary folder
  std::array<TText, kMaxTexts> Texts;
  std::int32_t TextCount = 0;
  std::string ScriptFolder;
  std::string ScriptPath;
  TStartupInfo Startup;
  TSystemPresets SystemPresets;
  std::unique_ptr<TOwnedState> Handles;

  bool TrayIcon = false;
  TNodeRef TabWidthNode;  // タブ文字の個数
  TNodeRef KinsokuNode;   // 禁則処理の行頭禁止文字

  // --- Office automation, mail, FTP, TCP, database ---
  std::unique_ptr<TOwnedState> Office;
  struct TMailNodes {
    TNodeRef Host, Id, Password, Title, Body, Attachments, To, Bcc, Cc, From, SenderName, DeleteFromServer;
  } Mail;
  struct TFtpNodes {
    TNodeRef Host, UserId, Password, Mode;
  } Ftp;
  struct TTcpNodes {
    TNodeRef Port, ServiceName, Text, Sender;
  } Tcp;
  std::unique_ptr<TOwnedState> Network;

  TNodeRef DialogCancelNode;  // ダイアログキャンセルの値
  TNodeRef DialogImeNode;     // ダイアログIMEの状態
  TNodeRef DialogInitNode;    // ダイアログ初期値

  TStack FuncArgs;

  struct TDatabaseNodes {
    TNodeRef Provider, DataSource, UserId, Password;
  } Database;
  std::unique_ptr<TOwnedState> DatabaseConnection;

 private:
  THost& host_;
  bool released_ = false;
};

}  // namespace yura

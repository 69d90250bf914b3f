#include "commands/registry/registry.h"

#include "commands/registry/vocabulary.h"
#include "platform/paths.h"

namespace yura {
namespace {

// Commands are stored without okurigana, preset words as written.
TNodeRef Entry(TYuraBase& state, std::string_view name) { return state.Words.Find(name, true); }

// The start-up constants and the values the host computed.
std::string PresetValue(const TYuraBase& state, const TRegistration& row) {
  const std::string_view name = row.Name;
  if (name == "コマンドライン引数") return state.Startup.ScriptArguments();
  if (name == "母艦のパス") return state.ScriptFolder;
  if (name == "ランタイムのパス") return WithTrailingSeparator(FolderPart(state.Startup.RuntimePath));
  for (const auto& [preset, value] : state.SystemPresets)
    if (preset == name) return value;
  return row.Text;
}

void StoreReferences(TYuraBase& state) {
  state.SoshiteNode = Entry(state, "そして");
  state.MoshiNode = Entry(state, "もし");
  state.NarabaNode = Entry(state, "ならば");
  state.NaraNode = Entry(state, "なら");
  state.ChigaebaNode = Entry(state, "違えば");
  state.DenakerebaNode = Entry(state, "でなければ");
  state.CountNode = Entry(state, "回数");
  state.TabWidthNode = Entry(state, "タブ文字の個数");
  state.KinsokuNode = Entry(state, "禁則処理の行頭禁止文字");
  state.MatchCountNode = Entry(state, "マッチ数");
  state.DialogCancelNode = Entry(state, "ダイアログキャンセルの値");
  state.DialogImeNode = Entry(state, "ダイアログIMEの状態");
  state.DialogInitNode = Entry(state, "ダイアログ初期値");
  state.ErrorMessageNode = Entry(state, "エラーメッセージ");
  state.NoExitNode = Entry(state, "終了不可能");
  state.TableFieldNameNode = Entry(state, "表フィールド名");
  state.OutputTargetNode = Entry(state, "表示出力先");
  state.FontColorNode = Entry(state, "文字色");
  state.FontSizeNode = Entry(state, "文字サイズ");
  state.FontNameNode = Entry(state, "文字書体");
  state.PenColorNode = Entry(state, "ペン色");
  state.PenWidthNode = Entry(state, "ペン太さ");
  state.BrushColorNode = Entry(state, "塗り色");
  state.JpegQualityNode = Entry(state, "JPEG圧縮率");
  state.SpacingNode = Entry(state, "部品配置間隔");
  state.MouseXNode = Entry(state, "マウスX");
  state.MouseYNode = Entry(state, "マウスY");
  state.PressedKeyNode = Entry(state, "押されたキー");
  state.PressedSpecialKeyNode = Entry(state, "押された特殊キー");
  state.EventObjectNode = Entry(state, "イベントオブジェクト");
  state.EventValueNode = Entry(state, "イベントの値");
  state.BrowserAllowNode = Entry(state, "ブラウザURL移動許可");
  state.BrowserTargetUrlNode = Entry(state, "ブラウザ移動先URL");
  state.PlayRepeatNode = Entry(state, "演奏繰り返し");
  state.Database = {Entry(state, "DBプロバイダ"), Entry(state, "DBデータソース"), Entry(state, "DBユーザーID"),
                    Entry(state, "DBパスワード")};
  state.CompressOptionNode = Entry(state, "圧縮オプション");
  state.ExtractOptionNode = Entry(state, "解凍オプション");
  state.SfxOptionNode = Entry(state, "自己解凍書庫オプション");
  state.Mail = {Entry(state, "メールホスト"),       Entry(state, "メールID"),          Entry(state, "メールパスワード"),
                Entry(state, "メールタイトル"),     Entry(state, "メール本文"),        Entry(state, "メール添付ファイル"),
                Entry(state, "メール送信先"),       Entry(state, "メールBCC"),         Entry(state, "メールCC"),
                Entry(state, "メール送信元"),       Entry(state, "メール送信者名"),    Entry(state, "メールサーバーから削除")};
  state.Ftp = {Entry(state, "FTPホスト"), Entry(state, "FTPユーザーID"), Entry(state, "FTPパスワード"),
               Entry(state, "FTP接続方式")};
  state.Tcp = {Entry(state, "TCPポート"), Entry(state, "TCPサービス名"), Entry(state, "TCP文字列"),
               Entry(state, "TCP送信元")};
  state.DdeFileNameNode = Entry(state, "DDEファイル名");
  state.DdeStringNode = Entry(state, "DDE文字列");
  state.SoreNode = Entry(state, "それ");
  state.SoNode = Entry(state, "そ");
}

}  // namespace

void RegisterAll(TYuraBase& state) {
  for (std::size_t i = 0; i < kVocabularySize; ++i) {
    const TRegistration& row = kVocabulary[i];
    if (row.Kind == TRegistrationKind::Command) {
      auto node = std::make_shared<THashNode>();
      node->Name = StripOkurigana(row.Name);
      node->ArgPattern = row.Text;
      node->Number = row.Number;
      node->Kind = nkCommand;
      node->Reserved = true;
      state.Words.Add(std::move(node));
    } else {
      auto node = THashNode::MakeVariable(row.Name, PresetValue(state, row), -1,
                                          row.Kind == TRegistrationKind::Constant);
      node->Description = row.Tag;
      state.Words.Add(std::move(node));
    }
  }
  StoreReferences(state);

  // The main window is object 0.
  if (state.Objects.Count() == 0)
    state.Objects.Add(std::make_unique<TObjNode>("母艦", 7, 0, state.Host().MainWindowControl()));
  auto mainWindow = std::make_shared<THashNode>();
  mainWindow->Name = "母艦";
  mainWindow->Kind = nkObject;
  mainWindow->Number = 0;
  mainWindow->Description = "メインフォーム";
  mainWindow->Reserved = true;
  state.Words.Add(std::move(mainWindow));
}

}  // namespace yura

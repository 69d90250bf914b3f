// The dialog commands: 言う, 尋ねる, 二択, 三択, どれか尋ねる, リストから選択,
// ボタンで選択, メモ記入, 色選択, フォント選択, the file and folder dialogs,
// and the clipboard (コピー, クリップボード取得).
#include "commands/registry/arguments.h"
#include "commands/registry/dispatch.h"
#include "commands/registry/families.h"
#include "core/errors.h"
#include "core/platform_errors.h"
#include "engine/engine.h"
#include "platform/dialogservice.h"
#include "platform/filesystem.h"
#include "source/scanner.h"
#include "source/sjis.h"
#include "source/textlines.h"

namespace yura {
namespace {

constexpr std::size_t kMessageLimit = 4095;
constexpr std::size_t kMaxButtons = 20;
constexpr std::string_view kDefaultQuestion = "入力してください。";
constexpr std::string_view kFullWidthBar = "｜";

TDialogFont FontOf(const TYuraBase& state) {
  return {state.FontNameNode ? state.FontNameNode->Value() : std::string(),
          state.FontSizeNode ? state.FontSizeNode->Value() : std::string(),
          state.FontColorNode ? state.FontColorNode->Value() : std::string()};
}

int ImeMode(const TYuraBase& state) {
  const auto mode = state.DialogImeNode ? ParseInteger(state.DialogImeNode->Value()) : std::nullopt;
  return mode && *mode >= 0 && *mode <= 4 ? static_cast<int>(*mode) : 0;
}

std::string InitialText(const TYuraBase& state) { return state.DialogInitNode ? state.DialogInitNode->Value() : std::string(); }

// A cancelled dialog leaves ダイアログキャンセルの値 in それ, with its kind unless
// the dialog answers only texts.
void SetCancelled(TEngine& engine, bool keepKind) {
  const TNodeRef& cancel = engine.State().DialogCancelNode;
  const std::string value = cancel ? cancel->Value() : std::string();
  const std::string tag = keepKind && cancel ? cancel->Description : std::string(kTagString);
  engine.SetSore(value, tag);
}

void SetAnswer(TEngine& engine, const std::optional<std::string>& answer, bool keepKind = true) {
  if (answer)
    engine.SetSore(*answer, kTagString);
  else
    SetCancelled(engine, keepKind);
}

// A long message is cut on a character boundary and marked with "...".
std::string CutMessage(std::string text) {
  if (text.size() <= kMessageLimit) return text;
  return std::string(CutToBytes(text, kMessageLimit)) + "...";
}

// Choices separated by "|" or "｜".
std::vector<std::string> BarChoices(const std::string& text) {
  std::string joined;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = CharLengthAt(text, i);
    const std::string_view character = std::string_view(text).substr(i, length);
    joined += (character == "|" || character == kFullWidthBar) ? std::string_view("\r\n") : character;
    i += length;
  }
  std::vector<std::string> choices;
  for (std::string_view line : SplitLines(joined)) choices.emplace_back(line);
  return choices;
}

// A filter of the file dialogs: a value with "|" as it is, else an extension.
std::string FileFilter(std::string value) {
  if (value.find('|') != std::string::npos) return value;
  if (!value.empty() && value[0] == '.') value.erase(0, 1);
  return value + " 形式(*." + value + ")|*." + value + "|全て(*.*)|*.*";
}

std::string DefaultExtension(const std::string& filter) {
  const std::size_t first = filter.find('|');
  if (first == std::string::npos) return {};
  std::string field = filter.substr(first + 1, filter.find('|', first + 1) - first - 1);
  if (!field.empty() && field[0] == '*') field.erase(0, 1);
  if (!field.empty() && field[0] == '.') field.erase(0, 1);
  return field;
}

void Say(TEngine& engine, THashNode&) {
  const std::string text = ExpandTabs(CutMessage(engine.PopValue()), TabWidth(engine));
  engine.Host().Dialogs().Message(text, FontOf(engine.State()));
}

void Ask(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const bool omitted = state.SoreImplied;
  std::string message = engine.PopValue();
  if (omitted) message = kDefaultQuestion;
  const auto answer = engine.Host().Dialogs().Ask(message, InitialText(state), ImeMode(state), FontOf(state));
  if (!answer) {
    SetCancelled(engine, true);
    return;
  }
  const bool number = !answer->empty() && ((*answer)[0] == '$' || ((*answer)[0] >= '0' && (*answer)[0] <= '9'));
  engine.SetSore(*answer, number ? kTagNumber : kTagString);
}

void YesNo(TEngine& engine, THashNode&) {
  const TYesNo answer = engine.Host().Dialogs().YesNo(engine.PopValue(), false);
  engine.SetSore(answer == TYesNo::Yes ? "1" : "0", kTagNumber);
}

void YesNoCancel(TEngine& engine, THashNode&) {
  const TYesNo answer = engine.Host().Dialogs().YesNo(engine.PopValue(), true);
  engine.SetSore(answer == TYesNo::Yes ? "1" : (answer == TYesNo::No ? "0" : "2"), kTagNumber);
}

void Select(TEngine& engine, bool editable) {
  TYuraBase& state = engine.State();
  const std::vector<std::string> choices = BarChoices(engine.PopValue());
  const std::string message = engine.PopValue();
  engine.SetSore("", kTagString);
  SetAnswer(engine,
            engine.Host().Dialogs().Select(message, choices, InitialText(state), editable, ImeMode(state), FontOf(state)));
}

void SelectAny(TEngine& engine, THashNode&) { Select(engine, true); }
void SelectFromList(TEngine& engine, THashNode&) { Select(engine, false); }

void ChooseButton(TEngine& engine, THashNode&) {
  const std::string list = engine.PopValue();
  std::vector<std::string> choices;
  for (std::string_view line : SplitLines(list)) choices.emplace_back(Trim(line));
  const std::string message = engine.PopValue();
  if (choices.size() > kMaxButtons) throw EPlainError(std::string(kMsgRangeCheck));
  SetAnswer(engine, engine.Host().Dialogs().ChooseButton(message, choices, FontOf(engine.State())), false);
}

void Memo(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  SetAnswer(engine, engine.Host().Dialogs().Memo(engine.PopValue(), ImeMode(state), FontOf(state)), false);
}

void ChooseColor(TEngine& engine, THashNode&) {
  const auto color = engine.Host().Dialogs().ChooseColor();
  if (color)
    engine.SetSore(std::to_string(*color), kTagNumber);
  else
    SetCancelled(engine, true);
}

void ChooseFont(TEngine& engine, THashNode&) {
  const auto font = engine.Host().Dialogs().ChooseFont();
  if (!font) {
    SetCancelled(engine, true);
    return;
  }
  std::string text = font->Name;
  const bool styled = font->Bold || font->Italic || font->Underline || font->StrikeOut;
  if (styled) {
    text += "|";
    if (font->Bold) text += "太字";
    if (font->Italic) text += "傾斜";
    if (font->Underline) text += "下線";
  }
  if (font->Points > 0) {
    if (!styled) text += "|";
    text += "|" + std::to_string(font->Points);
  }
  engine.SetSore(std::move(text), kTagString);
}

void OpenFiles(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const auto files = engine.Host().Dialogs().OpenFiles(FileFilter(engine.PopValue()), InitialText(state), CurrentFolder());
  if (!files) {
    SetCancelled(engine, true);
    return;
  }
  std::string text;
  for (const std::string& file : *files) text += file + "\r\n";
  engine.SetSore(std::string(Trim(text)), kTagString);
}

void SaveFile(TEngine& engine, THashNode&) {
  TYuraBase& state = engine.State();
  const std::string filter = FileFilter(engine.PopValue());
  SetAnswer(engine,
            engine.Host().Dialogs().SaveFile(filter, DefaultExtension(filter), InitialText(state), CurrentFolder()));
}

void ChooseFolder(TEngine& engine, THashNode&) {
  SetAnswer(engine, engine.Host().Dialogs().ChooseFolder(CurrentFolder(), false));
}

void BrowseFolder(TEngine& engine, THashNode&) {
  SetAnswer(engine, engine.Host().Dialogs().ChooseFolder(engine.PopValue(), true));
}

void Copy(TEngine& engine, THashNode&) { engine.Host().SetClipboardText(engine.PopValue()); }

void Paste(TEngine& engine, THashNode&) { engine.SetSore(engine.Host().ClipboardText(), kTagString); }

}  // namespace

void RegisterDialogHandlers(TDispatcher& dispatcher) {
  dispatcher.Register(12, Say);
  dispatcher.Register(10, Ask);
  dispatcher.Register(40, YesNo);
  dispatcher.Register(160, YesNoCancel);
  dispatcher.Register(264, SelectAny);
  dispatcher.Register(301, SelectFromList);
  dispatcher.Register(309, ChooseButton);
  dispatcher.Register(265, Memo);
  dispatcher.Register(103, ChooseColor);
  dispatcher.Register(312, ChooseFont);
  dispatcher.Register(41, OpenFiles);
  dispatcher.Register(42, SaveFile);
  dispatcher.Register(169, ChooseFolder);
  dispatcher.Register(498, BrowseFolder);
  dispatcher.Register(429, Copy);
  dispatcher.Register(430, Paste);
}

}  // namespace yura

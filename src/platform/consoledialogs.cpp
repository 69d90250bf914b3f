#include "platform/consoledialogs.h"

#include <charconv>

#include "platform/console.h"
#include "platform/paths.h"

namespace yura {
namespace {

void Prompt(const std::string& text) { WriteConsoleText(TConsoleStream::Output, text, true); }

std::optional<std::string> ReadAnswer() {
  std::string line;
  if (!ReadConsoleLine(line)) return std::nullopt;
  return line;
}

void ShowChoices(const std::vector<std::string>& choices) {
  for (std::size_t i = 0; i < choices.size(); ++i) Prompt(std::to_string(i + 1) + ": " + choices[i]);
}

// An answer names a choice by its number or by its text.
std::optional<std::size_t> ChoiceIndex(const std::string& answer, const std::vector<std::string>& choices) {
  std::size_t number = 0;
  const auto [end, ec] = std::from_chars(answer.data(), answer.data() + answer.size(), number);
  if (ec == std::errc() && end == answer.data() + answer.size() && number >= 1 && number <= choices.size())
    return number - 1;
  for (std::size_t i = 0; i < choices.size(); ++i)
    if (choices[i] == answer) return i;
  return std::nullopt;
}

}  // namespace

void TConsoleDialogs::Message(const std::string& text, const TDialogFont&) { Prompt(text); }

std::optional<std::string> TConsoleDialogs::Ask(const std::string& message, const std::string&, int,
                                                const TDialogFont&) {
  Prompt(message);
  return ReadAnswer();
}

TYesNo TConsoleDialogs::YesNo(const std::string& message, bool withCancel) {
  std::vector<std::string> choices{"はい", "いいえ"};
  if (withCancel) choices.push_back("キャンセル");
  Prompt(message);
  ShowChoices(choices);
  const auto answer = ReadAnswer();
  const auto index = answer ? ChoiceIndex(*answer, choices) : std::nullopt;
  if (!index) return withCancel ? TYesNo::Cancel : TYesNo::No;
  return *index == 0 ? TYesNo::Yes : (*index == 1 ? TYesNo::No : TYesNo::Cancel);
}

std::optional<std::string> TConsoleDialogs::Select(const std::string& message, const std::vector<std::string>& choices,
                                                   const std::string& initial, bool editable, int,
                                                   const TDialogFont&) {
  Prompt(message);
  ShowChoices(choices);
  const auto answer = ReadAnswer();
  if (!answer) return std::nullopt;
  if (const auto index = ChoiceIndex(*answer, choices)) return choices[*index];
  // A listed choice or the initial text only, unless the answer may be written.
  if (editable || *answer == initial) return answer;
  return std::nullopt;
}

std::optional<std::string> TConsoleDialogs::ChooseButton(const std::string& message,
                                                         const std::vector<std::string>& choices,
                                                         const TDialogFont&) {
  Prompt(message);
  ShowChoices(choices);
  const auto answer = ReadAnswer();
  if (!answer) return std::nullopt;
  if (const auto index = ChoiceIndex(*answer, choices)) return choices[*index];
  return std::nullopt;
}

std::optional<std::string> TConsoleDialogs::Memo(const std::string& initial, int, const TDialogFont&) {
  Prompt(initial);
  std::string text;
  bool first = true;
  for (;;) {
    const auto line = ReadAnswer();
    if (!line) return std::nullopt;
    if (*line == ".") return text;
    if (!first) text += "\r\n";
    text += *line;
    first = false;
  }
}

std::optional<std::uint32_t> TConsoleDialogs::ChooseColor() {
  const auto answer = ReadAnswer();
  if (!answer || answer->size() != 7 || (*answer)[0] != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  const auto [end, ec] = std::from_chars(answer->data() + 1, answer->data() + 7, rgb, 16);
  if (ec != std::errc() || end != answer->data() + 7) return std::nullopt;
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::optional<TFontChoice> TConsoleDialogs::ChooseFont() {
  // A line "name|style|size": the style may hold 太字, 傾斜, 下線.
  const auto answer = ReadAnswer();
  if (!answer || answer->empty()) return std::nullopt;
  TFontChoice font;
  const std::size_t first = answer->find('|');
  font.Name = answer->substr(0, first);
  if (first != std::string::npos) {
    const std::size_t second = answer->find('|', first + 1);
    const std::string style = answer->substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    font.Bold = style.find("太字") != std::string::npos;
    font.Italic = style.find("傾斜") != std::string::npos;
    font.Underline = style.find("下線") != std::string::npos;
    if (second != std::string::npos) {
      const std::string size = answer->substr(second + 1);
      std::from_chars(size.data(), size.data() + size.size(), font.Points);
    }
  }
  return font;
}

std::optional<std::vector<std::string>> TConsoleDialogs::OpenFiles(const std::string&, const std::string&,
                                                                   const std::string&) {
  const auto answer = ReadAnswer();
  if (!answer || answer->empty()) return std::nullopt;
  return std::vector<std::string>{*answer};
}

std::optional<std::string> TConsoleDialogs::SaveFile(const std::string&, const std::string&, const std::string&,
                                                     const std::string&) {
  const auto answer = ReadAnswer();
  if (!answer || answer->empty()) return std::nullopt;
  return answer;
}

std::optional<std::string> TConsoleDialogs::ChooseFolder(const std::string&, bool) {
  const auto answer = ReadAnswer();
  if (!answer || answer->empty()) return std::nullopt;
  return WithTrailingSeparator(*answer);
}

}  // namespace yura

// A host that records what the engine asks of it.
#pragma once

#include <string>
#include <vector>

#include "core/desktop.h"
#include "core/errors.h"
#include "core/guiobject.h"
#include "core/host.h"
#include "platform/dialogservice.h"

namespace yura {

// Answers questions from a queue and remembers what was asked.
class TFakeDialogs final : public TDialogService {
 public:
  void Message(const std::string& text, const TDialogFont&) override { Questions.push_back(text); }
  std::optional<std::string> Ask(const std::string& message, const std::string&, int, const TDialogFont&) override {
    return Next(message);
  }
  TYesNo YesNo(const std::string& message, bool) override {
    Questions.push_back(message);
    return TYesNo::No;
  }
  std::optional<std::string> Select(const std::string& message, const std::vector<std::string>&, const std::string&,
                                    bool, int, const TDialogFont&) override {
    return Next(message);
  }
  std::optional<std::string> ChooseButton(const std::string& message, const std::vector<std::string>& choices,
                                          const TDialogFont&) override {
    Choices = choices;
    return Next(message);
  }
  std::optional<std::string> Memo(const std::string& initial, int, const TDialogFont&) override { return Next(initial); }
  std::optional<std::uint32_t> ChooseColor() override { return std::nullopt; }
  std::optional<TFontChoice> ChooseFont() override { return std::nullopt; }
  std::optional<std::vector<std::string>> OpenFiles(const std::string& filter, const std::string&,
                                                    const std::string&) override {
    Filter = filter;
    return std::nullopt;
  }
  std::optional<std::string> SaveFile(const std::string& filter, const std::string& extension, const std::string&,
                                      const std::string&) override {
    Filter = filter;
    DefaultExtension = extension;
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(const std::string&, bool) override { return std::nullopt; }

  std::vector<std::optional<std::string>> Answers;
  std::vector<std::string> Questions, Choices;
  std::string Filter, DefaultExtension;

 private:
  std::optional<std::string> Next(const std::string& question) {
    Questions.push_back(question);
    if (Answers.empty()) return std::nullopt;
    auto answer = Answers.front();
    Answers.erase(Answers.begin());
    return answer;
  }
};

// Remembers the keystrokes and activations asked for.
class TFakeDesktop final : public TDesktopService {
 public:
  std::vector<std::string> WindowTitles() override { return Titles; }
  bool ActivateWindow(std::string_view title) override {
    Activated.emplace_back(title);
    return true;
  }
  void SendKeys(const std::vector<TKeyStroke>& strokes) override {
    Strokes.insert(Strokes.end(), strokes.begin(), strokes.end());
  }

  std::vector<std::string> Titles, Activated;
  std::vector<TKeyStroke> Strokes;
};

// The engine's unit tests make no parts.
class TFakeGui final : public TGuiService {
 public:
  std::shared_ptr<TObjectControl> CreateControl(const TControlSetup&) override { throw EPlainError("no parts"); }
  std::shared_ptr<TObjectControl> CreateMenuItem(TObjectControl*, std::string_view, std::int32_t) override {
    throw EPlainError("no parts");
  }
  std::vector<std::string> FontFamilies() override { return {}; }
  void SetTrayIcon(bool) override {}
};

class TFakeHost final : public THost {
 public:
  TGuiService& Gui() override { return FakeGui; }
  TFakeGui FakeGui;
  void StartScriptTimer(std::int32_t milliseconds) override { TimerInterval = milliseconds; }
  void StopScriptTimer() override { TimerInterval = -1; }
  void ScheduleDeferredFree() override { ++DeferredFreeRequests; }
  std::int32_t TimerInterval = -1;
  int DeferredFreeRequests = 0;
  TDesktopService& Desktop() override { return FakeDesktop; }
  TFakeDesktop FakeDesktop;
  void ShowRuntimeMessage(std::string_view text, std::string_view caption) override {
    RuntimeMessages.emplace_back(text);
  }
  void ShowMessage(std::string_view text, std::string_view) override { Messages.emplace_back(text); }
  void WriteTextOutput(std::string_view text) override { Output.emplace_back(text); }
  TErrorWindowChoice ShowErrorWindow(std::string_view log, bool) override {
    ErrorWindows.emplace_back(log);
    return TErrorWindowChoice::Stop;
  }
  std::int32_t DrawTextLines(const std::vector<std::string>& lines, std::int32_t, std::int32_t y, bool,
                             const TTextStyle&) override {
    for (const std::string& line : lines) Drawn.push_back(line);
    return y + 20 * static_cast<std::int32_t>(lines.size());
  }
  std::shared_ptr<TObjectControl> MainWindowControl() override { return nullptr; }
  TDialogService& Dialogs() override { return FakeDialogs; }
  void SetClipboardText(std::string_view text) override { Clipboard = text; }
  std::string ClipboardText() override { return Clipboard; }
  void ProcessEvents() override {}
  void CloseMainWindow() override { ++CloseRequests; }
  bool IsConsoleMode() const override { return true; }

  std::vector<std::string> RuntimeMessages, Messages, Output, ErrorWindows, Drawn;
  int CloseRequests = 0;
  std::string Clipboard;
  TFakeDialogs FakeDialogs;
};

}  // namespace yura

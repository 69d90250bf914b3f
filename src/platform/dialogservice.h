// The questions a script asks the person running it. The desktop program
// answers them with Qt dialogs; console mode with a line on standard input.
// Texts are script texts (Shift_JIS).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace yura {

// The settings that give a dialog's message its font (文字色, 文字サイズ, 文字書体).
struct TDialogFont {
  std::string Face;
  std::string Size;
  std::string Color;
};

struct TFontChoice {
  std::string Name;
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  int Points = 0;
};

enum class TYesNo { Yes, No, Cancel };

class TDialogService {
 public:
  virtual ~TDialogService() = default;

  // 言う: the message box.
  virtual void Message(const std::string& text, const TDialogFont& font) = 0;
  // 尋ねる: nothing when cancelled.
  virtual std::optional<std::string> Ask(const std::string& message, const std::string& initial, int imeMode,
                                         const TDialogFont& font) = 0;
  // 二択 (withCancel false) and 三択 (true).
  virtual TYesNo YesNo(const std::string& message, bool withCancel) = 0;
  // どれか尋ねる (editable) and リストから選択.
  virtual std::optional<std::string> Select(const std::string& message, const std::vector<std::string>& choices,
                                            const std::string& initial, bool editable, int imeMode,
                                            const TDialogFont& font) = 0;
  // ボタンで選択 and the question of the file access guard: the caption pressed.
  virtual std::optional<std::string> ChooseButton(const std::string& message, const std::vector<std::string>& choices,
                                                  const TDialogFont& font) = 0;
  // メモ記入.
  virtual std::optional<std::string> Memo(const std::string& initial, int imeMode, const TDialogFont& font) = 0;
  // 色選択: the colour as the platform value (red in the low byte).
  virtual std::optional<std::uint32_t> ChooseColor() = 0;
  virtual std::optional<TFontChoice> ChooseFont() = 0;
  // 読込ファイル選択: one or more script paths.
  virtual std::optional<std::vector<std::string>> OpenFiles(const std::string& filter, const std::string& initialName,
                                                            const std::string& folder) = 0;
  virtual std::optional<std::string> SaveFile(const std::string& filter, const std::string& defaultExtension,
                                              const std::string& initialName, const std::string& folder) = 0;
  // フォルダ選択 and フォルダ拡張選択 (with a root, empty for the desktop).
  virtual std::optional<std::string> ChooseFolder(const std::string& start, bool browse) = 0;
};

}  // namespace yura

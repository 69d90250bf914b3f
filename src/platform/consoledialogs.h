// The dialog service of console mode: each question prints its prompt (with
// numbered choices) on standard output and reads one line of standard input.
// The end of input is cancel.
#pragma once

#include "platform/dialogservice.h"

namespace yura {

class TConsoleDialogs final : public TDialogService {
 public:
  void Message(const std::string& text, const TDialogFont& font) override;
  std::optional<std::string> Ask(const std::string& message, const std::string& initial, int imeMode,
                                 const TDialogFont& font) override;
  TYesNo YesNo(const std::string& message, bool withCancel) override;
  std::optional<std::string> Select(const std::string& message, const std::vector<std::string>& choices,
                                    const std::string& initial, bool editable, int imeMode,
                                    const TDialogFont& font) override;
  std::optional<std::string> ChooseButton(const std::string& message, const std::vector<std::string>& choices,
                                          const TDialogFont& font) override;
  std::optional<std::string> Memo(const std::string& initial, int imeMode, const TDialogFont& font) override;
  std::optional<std::uint32_t> ChooseColor() override;
  std::optional<TFontChoice> ChooseFont() override;
  std::optional<std::vector<std::string>> OpenFiles(const std::string& filter, const std::string& initialName,
                                                    const std::string& folder) override;
  std::optional<std::string> SaveFile(const std::string& filter, const std::string& defaultExtension,
                                      const std::string& initialName, const std::string& folder) override;
  std::optional<std::string> ChooseFolder(const std::string& start, bool browse) override;
};

}  // namespace yura

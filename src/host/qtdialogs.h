// The dialog service of the desktop program: the runtime's own dialog windows
// and Qt's colour, font, file and folder dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/dialogservice.h"

namespace yura {

// A filter of the language ("説明|*.txt|全て|*.*") as Qt writes it.
QString QtFileFilter(const std::string& filter);

class TQtDialogs final : public TDialogService {
 public:
  void SetOwner(QWidget* owner) { owner_ = owner; }

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

 private:
  QPointer<QWidget> owner_;
};

}  // namespace yura

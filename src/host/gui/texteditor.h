// Tエディタ: the programmer's text editor part. Positions count characters
// of its text as stored (a CR LF counts two).
#pragma once

#include "host/gui/control.h"

class QsciScintilla;

namespace yura {

class TTextEditorControl final : public TQtControl {
 public:
  explicit TTextEditorControl(const TPartContext& context);
  void ApplyFont(const QFont& font) override;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ClearContents() override;
  std::vector<TInput> InputWidgets() const override;
  void ApplyBackColor(const QColor& color) override;
  std::vector<QPalette::ColorRole> BackgroundRoles() const override { return {QPalette::Base}; }

 private:
  QsciScintilla* Editor() const;
  int CharPosition(long bytePosition) const;
  long BytePosition(int charPosition) const;

  std::int64_t ime_ = 0;
};

}  // namespace yura

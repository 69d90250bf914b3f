// Parts that edit text: エディタ (one line), メモ (plain, many lines) and
// リッチエディタ (rich text). Positions count characters, a line end as the two
// characters CR LF.
#pragma once

#include "host/gui/control.h"

class QLineEdit;

namespace yura {

class TEditControl final : public TQtControl {
 public:
  explicit TEditControl(const TPartContext& context);
  // The height follows the font.
  void ApplyFont(const QFont& font) override;

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ClearContents() override;
  std::vector<QPalette::ColorRole> BackgroundRoles() const override { return {QPalette::Base}; }

 private:
  QLineEdit* Edit() const;

  std::int64_t ime_ = 0;
};

// メモ over QPlainTextEdit, リッチエディタ over QTextEdit.
template <class TEditor>
class TMultiLineControl final : public TQtControl {
 public:
  TMultiLineControl(TObjectKind kind, const TPartContext& context);

 protected:
  bool SetOwn(TProperty property, const TPropertyValue& value) override;
  std::optional<std::string> GetOwn(TProperty property) override;
  void ClearContents() override;
  std::vector<TInput> InputWidgets() const override;
  std::vector<QPalette::ColorRole> BackgroundRoles() const override { return {QPalette::Base}; }

 private:
  TEditor* Editor() const;
  void SetScrollBars(const std::string& mode);
  void Select(int start, int length);

  std::int64_t ime_ = 0;
  std::string scrollBars_;
};

}  // namespace yura

#include "host/qtdialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include "host/dialogwindows.h"
#include "host/textstyle.h"
#include "platform/paths.h"
#include "platform/qtext.h"

namespace yura {
namespace {

QFont DialogFont(const TDialogFont& font) { return FontFromStyle(TTextStyle{font.Face, font.Size, font.Color}); }

// The IME modes the language names become input hints where the platform has
// them: closed means Latin input.
void ApplyImeMode(QWidget* widget, int imeMode) {
  if (widget == nullptr) return;
  widget->setInputMethodHints(imeMode >= 1 && imeMode <= 4 ? Qt::ImhNone : Qt::ImhLatinOnly);
}

QStringList ToQStringList(const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << ToQString(item);
  return list;
}

std::optional<std::string> Answer(const TAnswerDialog& dialog) {
  if (dialog.Cancelled()) return std::nullopt;
  return FromQString(dialog.Result());
}

}  // namespace

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return entries.join(QStringLiteral(";;"));
}

void TQtDialogs::Message(const std::string& text, const TDialogFont& font) {
  TfrmMsgBox box(owner_, ToQString(text), DialogFont(font));
  box.exec();
}

std::optional<std::string> TQtDialogs::Ask(const std::string& message, const std::string& initial, int imeMode,
                                           const TDialogFont& font) {
  TfrmInputBox dialog(owner_, ToQString(message), ToQString(initial), DialogFont(font));
  ApplyImeMode(dialog.findChild<QWidget*>("edtInput"), imeMode);
  dialog.exec();
  return Answer(dialog);
}

TYesNo TQtDialogs::YesNo(const std::string& message, bool withCancel) {
  QMessageBox box(QMessageBox::Question, QGuiApplication::applicationDisplayName(), ToQString(message),
                  QMessageBox::NoButton, withCancel ? owner_.data() : nullptr);
  QPushButton* yes = box.addButton(ToQString("はい"), QMessageBox::YesRole);
  QPushButton* no = box.addButton(ToQString("いいえ"), QMessageBox::NoRole);
  yes->setObjectName("btnYes");
  no->setObjectName("btnNo");
  QPushButton* cancel = nullptr;
  if (withCancel) {
    cancel = box.addButton(ToQString("キャンセル"), QMessageBox::RejectRole);
    cancel->setObjectName("btnCancel");
    box.setEscapeButton(cancel);
  } else {
    box.setEscapeButton(no);
  }
  box.exec();
  if (box.clickedButton() == yes) return TYesNo::Yes;
  if (box.clickedButton() == no) return TYesNo::No;
  return withCancel ? TYesNo::Cancel : TYesNo::No;
}

std::optional<std::string> TQtDialogs::Select(const std::string& message, const std::vector<std::string>& choices,
                                              const std::string& initial, bool editable, int imeMode,
                                              const TDialogFont& font) {
  TfrmSelectDialog dialog(owner_, ToQString(message), ToQStringList(choices), ToQString(initial), editable,
                          DialogFont(font));
  ApplyImeMode(dialog.findChild<QWidget*>("EditResult"), imeMode);
  dialog.exec();
  return Answer(dialog);
}

std::optional<std::string> TQtDialogs::ChooseButton(const std::string& message,
                                                    const std::vector<std::string>& choices,
                                                    const TDialogFont& font) {
  const int mainWidth = owner_ ? owner_->width() : 640;
  TfrmSelectButton dialog(owner_, ToQString(message), ToQStringList(choices), DialogFont(font), mainWidth);
  dialog.exec();
  return Answer(dialog);
}

std::optional<std::string> TQtDialogs::Memo(const std::string& initial, int imeMode, const TDialogFont& font) {
  TfrmMemoDialog dialog(owner_, ToQString(initial), DialogFont(font));
  ApplyImeMode(dialog.findChild<QWidget*>("Memo"), imeMode);
  dialog.exec();
  return Answer(dialog);
}

std::optional<std::uint32_t> TQtDialogs::ChooseColor() {
  const QColor color = QColorDialog::getColor(Qt::black, owner_);
  if (!color.isValid()) return std::nullopt;
  return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8) |
         (static_cast<std::uint32_t>(color.blue()) << 16);
}

std::optional<TFontChoice> TQtDialogs::ChooseFont() {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, owner_);
  if (!ok) return std::nullopt;
  TFontChoice choice;
  choice.Name = FromQString(font.family());
  choice.Bold = font.bold();
  choice.Italic = font.italic();
  choice.Underline = font.underline();
  choice.StrikeOut = font.strikeOut();
  choice.Points = font.pointSize();
  return choice;
}

std::optional<std::vector<std::string>> TQtDialogs::OpenFiles(const std::string& filter,
                                                              const std::string& initialName,
                                                              const std::string& folder) {
  QFileDialog dialog(owner_, QGuiApplication::applicationDisplayName(), ToQString(ToNativePath(folder)),
                     QtFileFilter(filter));
  dialog.setFileMode(QFileDialog::ExistingFiles);
  if (!initialName.empty()) dialog.selectFile(ToQString(initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  std::vector<std::string> files;
  for (const QString& file : dialog.selectedFiles()) files.push_back(FromNativePath(file.toStdString()));
  return files;
}

std::optional<std::string> TQtDialogs::SaveFile(const std::string& filter, const std::string& defaultExtension,
                                                const std::string& initialName, const std::string& folder) {
  QFileDialog dialog(owner_, QGuiApplication::applicationDisplayName(), ToQString(ToNativePath(folder)),
                     QtFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(ToQString(defaultExtension));
  if (!initialName.empty()) dialog.selectFile(ToQString(initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromNativePath(dialog.selectedFiles().first().toStdString());
}

std::optional<std::string> TQtDialogs::ChooseFolder(const std::string& start, bool browse) {
  const QString folder = QFileDialog::getExistingDirectory(
      owner_, QGuiApplication::applicationDisplayName(), ToQString(ToNativePath(start)),
      browse ? QFileDialog::ShowDirsOnly : QFileDialog::Options());
  if (folder.isEmpty()) return std::nullopt;
  return WithTrailingSeparator(FromNativePath(folder.toStdString()));
}

}  // namespace yura

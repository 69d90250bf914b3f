// The runtime's own dialog windows: message box, input box, selection dialog,
// button dialog, memo dialog and progress window. Their controls carry the
// object names scripts' tests and tools look for (lblMsg, edtInput, ...).
#pragma once

#include <QDialog>
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace yura {

// A window that ends with a result text or as cancelled.
class TAnswerDialog : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;
  bool Cancelled() const { return cancelled_; }
  const QString& Result() const { return result_; }

 protected:
  void Answer(const QString& text) {
    result_ = text;
    cancelled_ = false;
    accept();
  }
  void Cancel() {
    result_.clear();
    cancelled_ = true;
    reject();
  }
  void Start() {
    cancelled_ = true;
    result_.clear();
  }

  bool cancelled_ = true;
  QString result_;
};

class TfrmMsgBox final : public QDialog {
  Q_OBJECT
 public:
  TfrmMsgBox(QWidget* owner, const QString& text, const QFont& font);

 private:
  QLabel* label_;
  QPushButton* ok_;
};

class TfrmInputBox final : public TAnswerDialog {
  Q_OBJECT
 public:
  TfrmInputBox(QWidget* owner, const QString& message, const QString& initial, const QFont& font);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QLineEdit* edit_;
};

class TfrmSelectDialog final : public TAnswerDialog {
  Q_OBJECT
 public:
  TfrmSelectDialog(QWidget* owner, const QString& message, const QStringList& choices, const QString& initial,
                   bool editable, const QFont& font);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* list_;
  QLineEdit* edit_;
};

class TfrmSelectButton final : public TAnswerDialog {
  Q_OBJECT
 public:
  // `mainWidth` is the main window's width, which decides between a row and a
  // column of buttons.
  TfrmSelectButton(QWidget* owner, const QString& message, const QStringList& choices, const QFont& font,
                   int mainWidth);
};

class TfrmMemoDialog final : public TAnswerDialog {
  Q_OBJECT
 public:
  TfrmMemoDialog(QWidget* owner, const QString& text, const QFont& font);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPlainTextEdit* memo_;
};

// Shown without blocking while a long transfer runs.
class TfrmProg final : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmProg(QWidget* owner);
  void SetMessage(const QString& text);
  void SetPosition(int percent);
  // With a stop action 中止 is enabled and runs it; without one it is disabled.
  void SetStopAction(std::function<void()> action);

 private:
  QProgressBar* bar_;
  QPushButton* stop_;
  QLabel* label_;
  std::function<void()> stopAction_;
};

}  // namespace yura

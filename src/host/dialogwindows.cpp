#include "host/dialogwindows.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "platform/qtext.h"

namespace yura {
namespace {

constexpr int kMargin = 8;

QFont DialogDefaultFont(const char* face, int points) {
  QFont font(ToQString(face));
  font.setPointSize(points);
  return font;
}

int ScreenHeight() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->geometry().height() : 768;
}

QString Caption() { return QGuiApplication::applicationDisplayName(); }

void CentreOnScreen(QWidget* window) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    window->move(area.center() - window->rect().center());
  }
}

// OK and cancel buttons in a panel, `gap` pixels apart.
QWidget* ButtonPanel(QWidget* parent, QPushButton*& ok, QPushButton*& cancel, int width, int gap) {
  auto* panel = new QWidget(parent);
  panel->setObjectName("panel");
  panel->resize(width, 25);
  ok = new QPushButton(ToQString("&OK"), panel);
  ok->setObjectName("btnOk");
  ok->setGeometry(0, 0, 81, 25);
  cancel = new QPushButton(ToQString("キャンセル(&C)"), panel);
  cancel->setObjectName("btnCancel");
  cancel->setGeometry(81 + gap, 0, 81, 25);
  return panel;
}

}  // namespace

TfrmMsgBox::TfrmMsgBox(QWidget* owner, const QString& text, const QFont& font) : QDialog(owner) {
  setObjectName("frmMsgBox");
  setWindowTitle(Caption());
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  label_ = new QLabel(this);
  label_->setObjectName("lblMsg");
  label_->setFont(font);
  label_->setTextFormat(Qt::PlainText);
  ok_ = new QPushButton(ToQString("&OK"), this);
  ok_->setObjectName("btnOk");
  ok_->resize(75, 25);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  // Only as many lines as fit in 70 % of the screen are shown.
  const int limit = ScreenHeight() * 70 / 100;
  const QFontMetrics metrics(font);
  const int lineHeight = std::max(1, static_cast<int>(metrics.height() * 1.2));
  QStringList lines = text.split(QStringLiteral("\r\n"));
  QString shown = text;
  if (static_cast<long long>(lines.size()) * lineHeight > limit) {
    shown.clear();
    for (int i = 0; i < limit / lineHeight && i < lines.size(); ++i) shown += lines[i] + QStringLiteral("\r\n");
    shown += QStringLiteral("...");
  }
  label_->setText(shown);
  label_->adjustSize();
  label_->move(kMargin, kMargin);

  const int okTop = std::min(label_->geometry().bottom() + 1 + kMargin, limit);
  const int width = std::max(100, label_->width() + 2 * kMargin);
  ok_->move((width - ok_->width()) / 2, okTop);
  setFixedSize(width, okTop + ok_->height() + kMargin);
  CentreOnScreen(this);
}

TfrmInputBox::TfrmInputBox(QWidget* owner, const QString& message, const QString& initial, const QFont& font)
    : TAnswerDialog(owner) {
  Start();
  setObjectName("frmInputBox");
  setWindowTitle(Caption());
  auto* label = new QLabel(message, this);
  label->setObjectName("lblMsg");
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->adjustSize();
  label->move(kMargin, kMargin);
  edit_ = new QLineEdit(initial, this);
  edit_->setObjectName("edtInput");
  edit_->setFont(DialogDefaultFont("ＭＳ ゴシック", 10));
  QPushButton *ok, *cancel;
  QWidget* panel = ButtonPanel(this, ok, cancel, 169, 7);
  connect(ok, &QPushButton::clicked, this, [this] { Answer(edit_->text()); });
  connect(cancel, &QPushButton::clicked, this, [this] { Cancel(); });

  const int width = std::max(300, label->width() + 2 * kMargin);
  edit_->setGeometry(kMargin, label->geometry().bottom() + 1 + kMargin, width - 2 * kMargin, 21);
  panel->move((width - panel->width()) / 2, edit_->geometry().bottom() + 1 + kMargin);
  setFixedSize(width, panel->geometry().bottom() + 1 + kMargin);
  edit_->setFocus();
  CentreOnScreen(this);
}

void TfrmInputBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Answer(edit_->text());
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    Cancel();
    return;
  }
  TAnswerDialog::keyPressEvent(event);
}

TfrmSelectDialog::TfrmSelectDialog(QWidget* owner, const QString& message, const QStringList& choices,
                                   const QString& initial, bool editable, const QFont& font)
    : TAnswerDialog(owner) {
  Start();
  setObjectName("frmSelectDialog");
  setWindowTitle(Caption());
  auto* label = new QLabel(message, this);
  label->setObjectName("Label1");
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->adjustSize();
  label->move(kMargin, kMargin);
  list_ = new QListWidget(this);
  list_->setObjectName("ListBox");
  list_->setFont(font);
  list_->addItems(choices);
  edit_ = new QLineEdit(initial, this);
  edit_->setObjectName("EditResult");
  edit_->setFont(font);
  edit_->setReadOnly(!editable);
  QPushButton *ok, *cancel;
  QWidget* panel = ButtonPanel(this, ok, cancel, 177, 15);

  const int width = std::max(280, label->width() + 2 * kMargin);
  list_->setGeometry(kMargin, label->geometry().bottom() + 1 + kMargin, width - 2 * kMargin, 169);
  edit_->setGeometry(kMargin, list_->geometry().bottom() + 1 + kMargin, width - 2 * kMargin, 20);
  panel->move((width - panel->width()) / 2, edit_->geometry().bottom() + 1 + kMargin);
  setFixedSize(width, panel->geometry().bottom() + 1 + kMargin);

  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { edit_->setText(item->text()); });
  connect(list_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item != nullptr) edit_->setText(item->text());
  });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { Answer(item->text()); });
  connect(ok, &QPushButton::clicked, this, [this] { Answer(edit_->text()); });
  connect(cancel, &QPushButton::clicked, this, [this] {
    edit_->clear();
    Cancel();
  });
  list_->installEventFilter(this);
  edit_->installEventFilter(this);
  CentreOnScreen(this);
}

bool TfrmSelectDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return TAnswerDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    Answer(edit_->text());
    return true;
  }
  if (key->key() == Qt::Key_Escape) {
    edit_->clear();
    Cancel();
    return true;
  }
  if (watched == list_ && !key->text().isEmpty()) {
    // Any other key selects the first item that begins with its character.
    const std::string typed = FromQString(key->text());
    list_->setCurrentItem(nullptr);
    for (int i = 0; i < list_->count(); ++i) {
      const std::string item = FromQString(list_->item(i)->text());
      if (!item.empty() && !typed.empty() && item[0] == typed[0]) {
        list_->setCurrentRow(i);
        break;
      }
    }
    return true;
  }
  return TAnswerDialog::eventFilter(watched, event);
}

TfrmSelectButton::TfrmSelectButton(QWidget* owner, const QString& message, const QStringList& choices,
                                   const QFont& font, int mainWidth)
    : TAnswerDialog(owner) {
  Start();
  setObjectName("frmSelectButton");
  setWindowTitle(Caption());
  auto* label = new QLabel(message, this);
  label->setObjectName("Label1");
  label->setFont(font);
  label->setTextFormat(Qt::PlainText);
  label->adjustSize();
  label->move(kMargin, kMargin);

  const QFontMetrics metrics(font);
  const int unit = metrics.height() * 2;
  int widest = 30;
  for (const QString& choice : choices) widest = std::max(widest, metrics.horizontalAdvance(choice));
  const int w = static_cast<int>(widest * 1.3);
  const int buttonHeight = static_cast<int>(unit * 0.8);
  const int count = static_cast<int>(choices.size());

  int clientWidth, margin;
  if (label->width() < w) {
    clientWidth = w + 16;
    margin = 8;
  } else {
    clientWidth = label->width() + 16;
    margin = (clientWidth - w) / 2;
  }
  int clientHeight;
  const bool row = mainWidth * 0.8 > count * w * 1.1;
  for (int i = 0; i < count; ++i) {
    auto* button = new QPushButton(choices[i], this);
    button->setObjectName(QStringLiteral("btnChoice%1").arg(i + 1));
    button->setFont(font);
    if (row)
      button->setGeometry(static_cast<int>(i * w * 1.1) + 8, label->geometry().bottom() + 1 + kMargin, w,
                          buttonHeight);
    else
      button->setGeometry(margin, 2 * kMargin + label->height() + i * unit, w, buttonHeight);
    const QString caption = choices[i];
    connect(button, &QPushButton::clicked, this, [this, caption] { Answer(caption); });
  }
  if (row) {
    clientWidth = count == 1 ? w + 16 : static_cast<int>(count * w * 1.1) + 16;
    clientWidth = std::max(clientWidth, label->width() + kMargin + 8);
    clientHeight = 2 * kMargin + unit + label->height();
  } else {
    clientHeight = count * unit + 2 * kMargin + label->height();
  }
  setFixedSize(clientWidth, clientHeight);
  CentreOnScreen(this);
}

TfrmMemoDialog::TfrmMemoDialog(QWidget* owner, const QString& text, const QFont& font) : TAnswerDialog(owner) {
  Start();
  setObjectName("frmMemoDialog");
  setWindowTitle(Caption());
  resize(412, 323);
  memo_ = new QPlainTextEdit(text, this);
  memo_->setObjectName("Memo");
  memo_->setFont(font);
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  auto* bottom = new QWidget(this);
  bottom->setObjectName("panelBottom");
  auto* load = new QPushButton(QStringLiteral("..."), bottom);
  load->setObjectName("btnLoad");
  auto* save = new QPushButton(QStringLiteral("S"), bottom);
  save->setObjectName("btnSave");
  auto* ok = new QPushButton(ToQString("&OK"), bottom);
  ok->setObjectName("btnOK");
  auto* cancel = new QPushButton(ToQString("キャンセル(&C)"), bottom);
  cancel->setObjectName("btnCancel");
  auto layout = [this, bottom, load, save, ok, cancel] {
    const int w = width(), h = height();
    memo_->setGeometry(0, 0, w, h - 41);
    bottom->setGeometry(0, h - 41, w, 41);
    load->setGeometry(8, 8, 25, 25);
    save->setGeometry(36, 8, 25, 25);
    cancel->setGeometry(w - 8 - 81, 8, 81, 25);
    ok->setGeometry(w - 8 - 81 - 8 - 113, 8, 113, 25);
  };
  layout();
  connect(ok, &QPushButton::clicked, this, [this] { Answer(memo_->toPlainText()); });
  connect(cancel, &QPushButton::clicked, this, [this] {
    memo_->clear();
    Cancel();
  });
  const QString qtFilter = ToQString("*.txt (*.txt);;すべてのファイル (*)");
  connect(load, &QPushButton::clicked, this, [this, qtFilter] {
    const QString file = QFileDialog::getOpenFileName(this, QString(), QString(), qtFilter);
    QFile in(file);
    if (!file.isEmpty() && in.open(QIODevice::ReadOnly)) memo_->setPlainText(ToQString(in.readAll().toStdString()));
  });
  connect(save, &QPushButton::clicked, this, [this, qtFilter] {
    QFileDialog dialog(this, QString(), QString(), qtFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QFile out(dialog.selectedFiles().first());
    if (out.open(QIODevice::WriteOnly)) {
      const std::string bytes = FromQString(memo_->toPlainText());
      out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
  });

  memo_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(memo_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    menu.addAction(ToQString("元に戻す"), QKeySequence::Undo, memo_, &QPlainTextEdit::undo);
    menu.addSeparator();
    menu.addAction(ToQString("コピー"), QKeySequence::Copy, memo_, &QPlainTextEdit::copy);
    menu.addAction(ToQString("切り取り"), QKeySequence::Cut, memo_, &QPlainTextEdit::cut);
    menu.addAction(ToQString("貼付け"), QKeySequence::Paste, memo_, &QPlainTextEdit::paste);
    menu.addSeparator();
    menu.addAction(ToQString("全て選択"), QKeySequence::SelectAll, memo_, &QPlainTextEdit::selectAll);
    menu.exec(memo_->mapToGlobal(at));
  });
  CentreOnScreen(this);
}

void TfrmMemoDialog::closeEvent(QCloseEvent* event) {
  // Closing by the frame counts as OK.
  if (cancelled_) {
    result_ = memo_->toPlainText();
    cancelled_ = false;
  }
  TAnswerDialog::closeEvent(event);
}

TfrmProg::TfrmProg(QWidget* owner) : QDialog(owner) {
  setObjectName("frmProg");
  setWindowTitle(Caption());
  setFixedSize(318, 47);
  bar_ = new QProgressBar(this);
  bar_->setObjectName("progBar");
  bar_->setGeometry(8, 8, 257, 17);
  bar_->setRange(0, 100);
  stop_ = new QPushButton(ToQString("中止"), this);
  stop_->setObjectName("btnStop");
  stop_->setGeometry(272, 8, 41, 17);
  stop_->setEnabled(false);
  label_ = new QLabel(QStringLiteral("---"), this);
  label_->setObjectName("lblMsg");
  label_->move(8, 32);
  connect(stop_, &QPushButton::clicked, this, [this] {
    if (stopAction_) stopAction_();
  });
}

void TfrmProg::SetMessage(const QString& text) {
  label_->setText(text);
  label_->adjustSize();
}

void TfrmProg::SetPosition(int percent) { bar_->setValue(std::clamp(percent, 0, 100)); }

void TfrmProg::SetStopAction(std::function<void()> action) {
  stopAction_ = std::move(action);
  stop_->setEnabled(static_cast<bool>(stopAction_));
}

}  // namespace yura

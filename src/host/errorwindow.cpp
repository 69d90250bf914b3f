#include "host/errorwindow.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QPushButton>

#include "host/messages.h"
#include "platform/qtext.h"

namespace yura {

TfrmError::TfrmError(QWidget* owner, const QString& log, bool offerDebug) : QDialog(owner) {
  setObjectName("frmError");
  setWindowTitle(ToQString(kErrorWindowCaption));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(514, 159);

  auto* memo = new QPlainTextEdit(this);
  memo->setObjectName("memError");
  memo->setGeometry(0, 0, 513, 121);
  memo->setReadOnly(true);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(ToQString("ＭＳ ゴシック"));
  font.setPixelSize(12);
  memo->setFont(font);
  memo->setPlainText(log);

  struct TButton {
    const char* name;
    std::string_view text;
    TErrorWindowChoice choice;
  };
  const TButton buttons[] = {
      {"btnDebug", kErrorWindowDebug, TErrorWindowChoice::Debug},
      {"btnContinue", kErrorWindowContinue, TErrorWindowChoice::Continue},
      {"btnStop", kErrorWindowStop, TErrorWindowChoice::Stop},
  };
  int x = 514 - 3 * 128;
  for (const TButton& b : buttons) {
    auto* button = new QPushButton(ToQString(b.text), this);
    button->setObjectName(b.name);
    button->setGeometry(x, 127, 120, 26);
    x += 128;
    const TErrorWindowChoice choice = b.choice;
    connect(button, &QPushButton::clicked, this, [this, choice] {
      choice_ = choice;
      accept();
    });
    if (b.choice == TErrorWindowChoice::Debug && !offerDebug) button->hide();
  }
}

TErrorWindowChoice TfrmError::Choose() {
  choice_ = TErrorWindowChoice::Stop;
  exec();
  return choice_;
}

}  // namespace yura

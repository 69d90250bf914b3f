// The dialog windows, offscreen, answered through their named controls.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <fstream>
#include <functional>

#include "host/dialogwindows.h"
#include "host/mainwindow.h"
#include "host/qtdialogs.h"
#include "host/qthost.h"
#include "platform/filesystem.h"
#include "platform/tempfolder.h"

using namespace yura;

namespace {

// Runs `action` on the modal dialog as soon as it is open.
void WhenOpen(std::function<void(QWidget*)> action, int attempts = 500) {
  QTimer::singleShot(attempts == 500 ? 0 : 10, [action, attempts] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr && attempts > 0) {
      WhenOpen(action, attempts - 1);
      return;
    }
    QVERIFY(dialog != nullptr);
    action(dialog);
  });
}

template <typename T>
T* Child(QWidget* dialog, const char* name) {
  T* child = dialog->findChild<T*>(name);
  if (child == nullptr) qFatal("no control named %s", name);
  return child;
}

const TDialogFont kFont{};

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void InputBoxEnterEscapeAndClose() {
    TQtDialogs dialogs;
    WhenOpen([](QWidget* d) {
      auto* edit = Child<QLineEdit>(d, "edtInput");
      QCOMPARE(edit->text(), QStringLiteral("init"));
      edit->clear();
      QTest::keyClicks(edit, QStringLiteral("abc"));
      QTest::keyClick(edit, Qt::Key_Return);
    });
    QCOMPARE(dialogs.Ask("q", "init", 0, kFont), std::optional<std::string>("abc"));
    WhenOpen([](QWidget* d) { QTest::keyClick(Child<QLineEdit>(d, "edtInput"), Qt::Key_Escape); });
    QCOMPARE(dialogs.Ask("q", "", 0, kFont), std::nullopt);
    WhenOpen([](QWidget* d) { d->close(); });
    QCOMPARE(dialogs.Ask("q", "x", 0, kFont), std::nullopt);
    WhenOpen([](QWidget* d) {
      QCOMPARE(Child<QLabel>(d, "lblMsg")->text(), QString::fromUtf16(u"質問"));
      Child<QPushButton>(d, "btnOk")->click();
    });
    QCOMPARE(dialogs.Ask("\x8E\xBF\x96\xE2", "ok", 0, kFont), std::optional<std::string>("ok"));
  }

  void SelectDialogKeysAndClicks() {
    TQtDialogs dialogs;
    const std::vector<std::string> choices{"apple", "banana", "cherry"};
    WhenOpen([](QWidget* d) {
      auto* list = Child<QListWidget>(d, "ListBox");
      QCOMPARE(list->count(), 3);
      list->setFocus();
      QTest::keyClick(list, Qt::Key_B);  // the first item that begins with "b"
      QCOMPARE(Child<QLineEdit>(d, "EditResult")->text(), QStringLiteral("banana"));
      QTest::keyClick(list, Qt::Key_Return);
    });
    QCOMPARE(dialogs.Select("m", choices, "", false, 0, kFont), std::optional<std::string>("banana"));
    WhenOpen([](QWidget* d) {
      auto* edit = Child<QLineEdit>(d, "EditResult");
      QVERIFY(!edit->isReadOnly());
      edit->setText(QStringLiteral("free"));
      QTest::keyClick(edit, Qt::Key_Enter);
    });
    QCOMPARE(dialogs.Select("m", choices, "", true, 0, kFont), std::optional<std::string>("free"));
    WhenOpen([](QWidget* d) {
      QVERIFY(Child<QLineEdit>(d, "EditResult")->isReadOnly());
      QTest::keyClick(Child<QListWidget>(d, "ListBox"), Qt::Key_Escape);
    });
    QCOMPARE(dialogs.Select("m", choices, "", false, 0, kFont), std::nullopt);
    WhenOpen([](QWidget* d) {
      auto* list = Child<QListWidget>(d, "ListBox");
      emit list->itemDoubleClicked(list->item(2));
    });
    QCOMPARE(dialogs.Select("m", choices, "", false, 0, kFont), std::optional<std::string>("cherry"));
  }

  void ButtonDialog() {
    TQtDialogs dialogs;
    WhenOpen([](QWidget* d) { Child<QPushButton>(d, "btnChoice2")->click(); });
    QCOMPARE(dialogs.ChooseButton("m", {"one", "two", "three"}, kFont), std::optional<std::string>("two"));
    WhenOpen([](QWidget* d) { d->close(); });
    QCOMPARE(dialogs.ChooseButton("m", {"one"}, kFont), std::nullopt);
  }

  void MemoDialog() {
    TQtDialogs dialogs;
    WhenOpen([](QWidget* d) {
      auto* memo = Child<QPlainTextEdit>(d, "Memo");
      QCOMPARE(memo->toPlainText(), QStringLiteral("start"));
      memo->setPlainText(QStringLiteral("changed"));
      Child<QPushButton>(d, "btnOK")->click();
    });
    QCOMPARE(dialogs.Memo("start", 0, kFont), std::optional<std::string>("changed"));
    WhenOpen([](QWidget* d) { Child<QPushButton>(d, "btnCancel")->click(); });
    QCOMPARE(dialogs.Memo("start", 0, kFont), std::nullopt);
    WhenOpen([](QWidget* d) { d->close(); });  // closing by the frame counts as OK
    QCOMPARE(dialogs.Memo("kept", 0, kFont), std::optional<std::string>("kept"));
  }

  void YesNoBoxes() {
    TQtDialogs dialogs;
    WhenOpen([](QWidget* d) { Child<QPushButton>(d, "btnYes")->click(); });
    QCOMPARE(dialogs.YesNo("m", false), TYesNo::Yes);
    WhenOpen([](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
    QCOMPARE(dialogs.YesNo("m", true), TYesNo::Cancel);
    WhenOpen([](QWidget* d) { QTest::keyClick(d, Qt::Key_Escape); });
    QCOMPARE(dialogs.YesNo("m", false), TYesNo::No);
  }

  void MessageBoxCutsLongTexts() {
    TQtDialogs dialogs;
    std::string text;
    for (int i = 0; i < 500; ++i) text += "line\r\n";
    WhenOpen([](QWidget* d) {
      const QString shown = Child<QLabel>(d, "lblMsg")->text();
      QVERIFY(shown.endsWith(QStringLiteral("...")));
      QVERIFY(shown.count(QStringLiteral("line")) < 500);
      QTest::keyClick(Child<QPushButton>(d, "btnOk"), Qt::Key_Return);
    });
    dialogs.Message(text, kFont);
  }

  void ProgressWindowStopsOnlyWithAnAction() {
    TfrmProg window(nullptr);
    auto* stop = Child<QPushButton>(&window, "btnStop");
    QVERIFY(!stop->isEnabled());
    int stopped = 0;
    window.SetStopAction([&stopped] { ++stopped; });
    QVERIFY(stop->isEnabled());
    stop->click();
    QCOMPARE(stopped, 1);
    window.SetPosition(150);
    QCOMPARE(Child<QProgressBar>(&window, "progBar")->value(), 100);
  }

  void AnswerReachesSoreThroughTheEngine() {
    TTempFolder temp;
    const std::string script = temp.Path() + "ask.yrh";
    std::ofstream(script, std::ios::binary) << "\x81\x75q\x81\x76\x82\xC6\x81\x41\x90\x71\x82\xCB\x82\xE9\r\n";  // 「q」と、尋ねる
    TQtHost host(false);
    TfrmYura window(host, {RuntimeExecutablePath(), script});
    WhenOpen([](QWidget* d) {
      auto* edit = Child<QLineEdit>(d, "edtInput");
      QTest::keyClicks(edit, QStringLiteral("12"));
      QTest::keyClick(edit, Qt::Key_Return);
    });
    window.EventDoTimer();
    QCOMPARE(window.State().SoreNode->Value(), std::string("12"));
    QCOMPARE(window.State().SoreNode->Description, std::string("e"));
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"

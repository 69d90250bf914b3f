// The main window and the error window, offscreen.
#include <QPushButton>
#include <QPlainTextEdit>
#include <QtTest>
#include <fstream>

#include "host/errorwindow.h"
#include "host/mainwindow.h"
#include "host/qthost.h"
#include "platform/filesystem.h"
#include "platform/tempfolder.h"

using namespace yura;

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::string Script(const char* name, const std::string& content) {
    const std::string path = temp_.Path() + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  TTempFolder temp_;

 private slots:
  void ShowsItsClientAreaAndTitle() {
    TQtHost host(false);
    TfrmYura window(host, {RuntimeExecutablePath(), Script("empty.yrh", "\r\n\r\n")});
    window.EventDoTimer();
    QVERIFY(window.isVisible());
    QCOMPARE(window.size(), QSize(640, 400));
    QCOMPARE(window.windowTitle(), QString::fromUtf16(u"ゆらほし"));
    QCOMPARE(host.ExitStatus(), 0);
  }

  void StaysHiddenWhenTheScriptShowsItLater() {
    TQtHost host(false);
    // Even inside a string the word keeps the window hidden (narrow literals are Shift_JIS).
    TfrmYura window(host, {RuntimeExecutablePath(), Script("later.yrh", "\r\nA=「母艦浮上」\r\n")});
    window.EventDoTimer();
    QVERIFY(!window.isVisible());
  }

  void ErrorWindowOffersItsButtons() {
    for (const bool debug : {false, true}) {
      TfrmError window(nullptr, QStringLiteral("log line"), debug);
      QCOMPARE(window.windowTitle(), QString::fromUtf16(u"実行中にエラーが発生しました。"));
      QCOMPARE(window.size(), QSize(514, 159));
      auto* memo = window.findChild<QPlainTextEdit*>("memError");
      QVERIFY(memo != nullptr);
      QVERIFY(memo->isReadOnly());
      QCOMPARE(memo->toPlainText(), QStringLiteral("log line"));
      auto* debugButton = window.findChild<QPushButton*>("btnDebug");
      auto* continueButton = window.findChild<QPushButton*>("btnContinue");
      auto* stopButton = window.findChild<QPushButton*>("btnStop");
      QVERIFY(debugButton && continueButton && stopButton);
      QCOMPARE(debugButton->isHidden(), !debug);
      QCOMPARE(continueButton->text(), QString::fromUtf16(u"実行を続ける(&O)"));
      QCOMPARE(stopButton->text(), QString::fromUtf16(u"終了(&C)"));
      QTimer::singleShot(0, continueButton, &QPushButton::click);
      QCOMPARE(window.Choose(), TErrorWindowChoice::Continue);
      QTimer::singleShot(0, &window, &QDialog::reject);
      QCOMPARE(window.Choose(), TErrorWindowChoice::Stop);
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"

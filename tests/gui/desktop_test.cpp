// Windows and keystrokes of the runtime's own windows, offscreen.
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

#include "commands/system/keynotation.h"
#include "host/qtdesktop.h"
#include "platform/qtext.h"

using namespace yura;

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  // The notation reaches the focused part as key events: Shift over a group,
  // Backspace and the cursor keys.
  void KeysReachTheFocusedPart() {
    QWidget other;
    other.setWindowTitle(QStringLiteral("other"));
    other.show();
    QWidget window;
    window.setWindowTitle(QStringLiteral("editor window"));
    auto* layout = new QVBoxLayout(&window);
    auto* editor = new QLineEdit(&window);
    layout->addWidget(editor);
    window.show();
    editor->setFocus();
    TQtDesktop desktop;
    QVERIFY(desktop.ActivateWindow("editor"));  // a title's beginning will do
    QCOMPARE(QApplication::activeWindow(), &window);
    desktop.SendKeys(ParseKeyNotation("+(abc)d{BS}{LEFT}x"));
    QCOMPARE(editor->text(), QStringLiteral("ABxC"));
    desktop.SendKeys(ParseKeyNotation("{END}{} 2}~\x82\xa0"));
    QCOMPARE(editor->text(), QString::fromUtf16(u"ABxC}}あ"));
  }

  void ListsAndActivatesByTitle() {
    QWidget first, second, untitled;
    first.setWindowTitle(QStringLiteral("alpha"));
    second.setWindowTitle(QStringLiteral("alphabet"));
    first.show();
    second.show();
    untitled.show();
    TQtDesktop desktop;
    const std::vector<std::string> titles = desktop.WindowTitles();
    QVERIFY(std::find(titles.begin(), titles.end(), "alpha") != titles.end());
    QVERIFY(std::find(titles.begin(), titles.end(), "alphabet") != titles.end());
    QVERIFY(std::find(titles.begin(), titles.end(), "") == titles.end());
    QVERIFY(desktop.ActivateWindow("alphabet"));
    QCOMPARE(QApplication::activeWindow(), &second);
    QVERIFY(desktop.ActivateWindow("alpha"));  // the exact title wins over a longer one
    QCOMPARE(QApplication::activeWindow(), &first);
    QVERIFY(!desktop.ActivateWindow("nothing like it"));
  }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"

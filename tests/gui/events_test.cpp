// Events of real parts, offscreen, in a window run (not console mode): the
// event code runs when the platform delivers the input, never inside a
// running command.
#include "engine/events.h"

#include <QDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <QtTest>
#include <fstream>

#include "core/yurabase.h"
#include "host/gui/control.h"
#include "host/mainwindow.h"
#include "host/qthost.h"
#include "platform/filesystem.h"
#include "platform/qtext.h"
#include "platform/tempfolder.h"

using namespace yura;

class EventsTest : public QObject {
  Q_OBJECT

 private:
  // Scripts are written in UTF-8 here and stored in Shift_JIS.
  std::string Script(const char* name, const char16_t* content) {
    const std::string path = temp_.Path() + name;
    std::ofstream(path, std::ios::binary) << FromQString(QString::fromUtf16(content));
    return path;
  }
  static std::string Value(TfrmYura& window, const char16_t* name) {
    return window.State().Words.GetValue(FromQString(QString::fromUtf16(name)), false);
  }
  static QWidget* Part(TfrmYura& window, const char16_t* name) {
    TYuraBase& state = window.State();
    const THashNode* word = state.Words.FindNode(FromQString(QString::fromUtf16(name)), false);
    if (word == nullptr || word->Kind != nkObject) return nullptr;
    const TObjNode* node = state.Objects.GetItem(static_cast<std::size_t>(word->Number));
    const auto* control = node != nullptr ? dynamic_cast<const TQtControl*>(node->Control.get()) : nullptr;
    return control != nullptr ? control->Widget() : nullptr;
  }
  static QString Utf(const std::string& sjis) { return ToQString(sjis); }

  TTempFolder temp_;

 private slots:
  void PartDestroyedInItsOwnClickIsSafe() {
    TQtHost host(false);
    TfrmYura window(host, {RuntimeExecutablePath(), Script("self.yrh",
                                                           u"消ボタンを、ボタンとして、作成\r\n"
                                                           u"消ボタンの、クリック時は、消す\r\n"
                                                           u"N=0\r\n"
                                                           u"待機\r\n"
                                                           u"*消す\r\n"
                                                           u"消ボタンを、オブジェクト破壊\r\n"
                                                           u"N=N+1\r\n"
                                                           u"戻る\r\n")});
    window.EventDoTimer();
    QPointer<QWidget> button = Part(window, u"消ボタン");
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(Utf(Value(window, u"N")), QStringLiteral("1"));
    QVERIFY(Part(window, u"消ボタン") == nullptr);
    // The widget goes once the event loop frees it; a second click on what
    // is left (hidden, still alive until then) runs nothing.
    if (button) QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(Utf(Value(window, u"N")), QStringLiteral("1"));
    // The deferred-free timer's tick frees it.
    window.Engine().Events().FreeDestroyedObjects();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!button);
  }

  void EventsDuringAModalDialogWaitForTheHandler() {
    TQtHost host(false);
    TfrmYura run(host, {RuntimeExecutablePath(), Script("modal2.yrh",
                                                        u"Aボタンを、ボタンとして、作成\r\n"
                                                        u"Aボタンの、マウス押した時は、押下\r\n"
                                                        u"Bボタンを、ボタンとして、作成\r\n"
                                                        u"Bボタンの、クリック時は、B押\r\n"
                                                        u"Cボタンを、ボタンとして、作成\r\n"
                                                        u"Cボタンの、クリック時は、C押\r\n"
                                                        u"記録=「」\r\n"
                                                        u"待機\r\n"
                                                        u"*押下\r\n"
                                                        u"記録=記録&「押下前,」\r\n"
                                                        u"「確認」と、言う\r\n"
                                                        u"記録=記録&「押下後,」\r\n"
                                                        u"戻る\r\n"
                                                        u"*B押\r\n"
                                                        u"記録=記録&「B,」\r\n"
                                                        u"戻る\r\n"
                                                        u"*C押\r\n"
                                                        u"記録=記録&「C,」\r\n"
                                                        u"戻る\r\n")});
    run.EventDoTimer();
    QWidget* a = Part(run, u"Aボタン");
    QPointer<QWidget> b = Part(run, u"Bボタン");
    QPointer<QWidget> c = Part(run, u"Cボタン");
    QVERIFY(a != nullptr && b != nullptr && c != nullptr);
    bool sawDialog = false;
    // While the message box of the mouse-down handler is open, B and then C
    // are clicked: their code runs in that order once the handler's command
    // has returned, before the handler's next sentence.
    QTimer::singleShot(50, [&] {
      QDialog* box = nullptr;
      for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<QDialog*>(top); found != nullptr && found->isVisible()) box = found;
      sawDialog = box != nullptr;
      if (b) QTest::mouseClick(b, Qt::LeftButton);
      if (c) QTest::mouseClick(c, Qt::LeftButton);
      if (box != nullptr) box->accept();
    });
    QTest::mousePress(a, Qt::LeftButton);
    QVERIFY(sawDialog);
    QCOMPARE(Utf(Value(run, u"記録")), QString::fromUtf16(u"押下前,B,C,押下後,"));
    QTest::mouseRelease(a, Qt::LeftButton);
  }

  void TypingRunsTheChangeEventWithTheNewText() {
    TQtHost host(false);
    TfrmYura window(host, {RuntimeExecutablePath(), Script("type.yrh",
                                                           u"E1エディタを、エディタとして、作成\r\n"
                                                           u"E1エディタの、変更した時は、変化\r\n"
                                                           u"E1エディタの、キー押した時は、鍵\r\n"
                                                           u"記録=「」\r\n"
                                                           u"待機\r\n"
                                                           u"*変化\r\n"
                                                           u"記録=記録&(E1エディタの、テキスト)&「,」\r\n"
                                                           u"戻る\r\n"
                                                           u"*鍵\r\n"
                                                           u"鍵番号=押されたキー\r\n"
                                                           u"戻る\r\n")});
    window.EventDoTimer();
    auto* edit = qobject_cast<QLineEdit*>(Part(window, u"E1エディタ"));
    QVERIFY(edit != nullptr);
    QTest::keyClicks(edit, QStringLiteral("xy"));
    QCOMPARE(Utf(Value(window, u"記録")), QStringLiteral("x,xy,"));
    QTest::keyClick(edit, Qt::Key_F5);
    QCOMPARE(Utf(Value(window, u"鍵番号")), QStringLiteral("116"));
  }

  void DroppedFilesReachTheDropEventOrTheEditItself() {
    TQtHost host(false);
    TfrmYura window(host, {RuntimeExecutablePath(), Script("drop.yrh",
                                                           u"E1エディタを、エディタとして、作成\r\n"
                                                           u"E1エディタの、ファイルドロップは、1\r\n"
                                                           u"L1リストを、リストとして、作成\r\n"
                                                           u"L1リストの、ファイルドロップは、1\r\n"
                                                           u"L1リストの、ファイルドロップした時は、落\r\n"
                                                           u"待機\r\n"
                                                           u"*落\r\n"
                                                           u"受取=イベントの値\r\n"
                                                           u"戻る\r\n")});
    window.EventDoTimer();
    auto drop = [](QWidget* target, const QStringList& paths) {
      QMimeData data;
      QList<QUrl> urls;
      for (const QString& path : paths) urls.push_back(QUrl::fromLocalFile(path));
      data.setUrls(urls);
      const QPoint place = target->rect().center();
      QDragEnterEvent enter(place, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &enter);
      QDropEvent dropped(QPointF(place), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &dropped);
    };
    auto* edit = qobject_cast<QLineEdit*>(Part(window, u"E1エディタ"));
    QWidget* list = Part(window, u"L1リスト");
    QVERIFY(edit != nullptr && list != nullptr);
    drop(edit, {QStringLiteral("/tmp/a.txt"), QStringLiteral("/tmp/b.txt")});
    QCOMPARE(edit->text(), QStringLiteral("/tmp/a.txt\r\n/tmp/b.txt"));
    QWidget* viewport = list->childAt(list->rect().center());
    drop(viewport != nullptr ? viewport : list, {QStringLiteral("/tmp/c.txt")});
    QCOMPARE(Utf(Value(window, u"受取")), QStringLiteral("/tmp/c.txt"));
  }

  void TheCloseBoxAsksTheEndHandler() {
    TQtHost host(false);
    TfrmYura window(host, {RuntimeExecutablePath(), Script("close.yrh",
                                                           u"「終了」に、終了処理設定\r\n"
                                                           u"N=0\r\n"
                                                           u"待機\r\n"
                                                           u"*終了\r\n"
                                                           u"N=N+1\r\n"
                                                           u"もし、Nが、1ならば、「終了」に、終了処理設定\r\n"
                                                           u"戻る\r\n")});
    window.EventDoTimer();
    QVERIFY(window.isVisible());
    window.close();
    QVERIFY(window.isVisible());  // the handler set itself again: refused once
    QCOMPARE(Utf(Value(window, u"N")), QStringLiteral("1"));
    window.close();
    QVERIFY(!window.isVisible());
    QCOMPARE(Utf(Value(window, u"N")), QStringLiteral("2"));
  }
};

QTEST_MAIN(EventsTest)
#include "events_test.moc"

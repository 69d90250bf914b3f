// The GUI parts through the toolkit interface, offscreen: what each kind does
// with its properties, containers, pictures, events and destruction.
#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <fstream>
#include <set>

#include "core/errors.h"
#include "host/gui/animebox.h"
#include "host/gui/control.h"
#include "host/gui/formwindow.h"
#include "host/gui/imagebox.h"
#include "host/gui/qtgui.h"
#include "host/gui/sortgrid.h"
#include "platform/qtext.h"
#include "platform/tempfolder.h"

using namespace yura;

namespace {

using TPart = std::shared_ptr<TObjectControl>;

TPropertyValue Text(std::string text) {
  TPropertyValue value;
  value.Text = std::move(text);
  return value;
}

TPropertyValue Number(std::int64_t number) {
  TPropertyValue value;
  value.Number = number;
  return value;
}

TPropertyValue Children(std::vector<TObjectControl*> children) {
  TPropertyValue value;
  value.Children = std::move(children);
  return value;
}

TPropertyValue PictureFile(const std::string& path) {
  TPropertyValue value;
  value.Pictures.push_back({TPictureSource::TFrom::File, path, path, nullptr});
  return value;
}

QWidget* Tagged(int index) {
  for (QWidget* widget : QApplication::allWidgets())
    if (widget->property("yuraTag").toInt() == index && !widget->property("yuraGone").toBool()) return widget;
  return nullptr;
}

void FreeLaterWidgets() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class PartsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TQtGui> gui_;
  std::unique_ptr<TFormWindow> main_;
  TPart mainControl_;
  std::vector<std::pair<int, int>> events_;
  int next_ = 1;

  TPart Make(TObjectKind kind, std::string caption = "part", int left = 10, int top = 10) {
    TControlSetup setup;
    setup.Kind = kind;
    setup.Index = next_++;
    setup.Caption = std::move(caption);
    setup.Font = TFontSetting{"ＭＳ ゴシック", false, false, false, 12};
    setup.Left = left;
    setup.Top = top;
    return gui_->CreateControl(setup);
  }

 private slots:
  void init() {
    gui_ = std::make_unique<TQtGui>();
    main_ = std::make_unique<TFormWindow>(Qt::white);
    main_->SetClientSize(QSize(640, 400));
    mainControl_ = gui_->AttachMainWindow(main_.get());
    main_->show();
    events_.clear();
    next_ = 1;
    gui_->SetEventSink([this](std::int32_t index, std::int32_t slot, const TEventVariables&) {
      events_.emplace_back(index, slot);
      return false;
    });
  }

  void cleanup() {
    mainControl_.reset();
    main_.reset();
    gui_.reset();
    FreeLaterWidgets();
  }

  // Each kind carries out its own properties: a value set reads back as the
  // part understood it.
  void PropertiesReadBackPerKind() {
    struct TCase {
      TObjectKind Kind;
      std::vector<std::pair<TProperty, TPropertyValue>> Sets;
      TProperty Read;
      std::string Expected;
    };
    using P = TProperty;
    using K = TObjectKind;
    const std::vector<TCase> cases = {
        {K::Button, {{P::Text, Text("決定")}}, P::Text, "決定"},
        {K::Edit, {{P::Text, Text("表示ソ")}}, P::Text, "表示ソ"},
        {K::Edit, {{P::Edit, Number(0)}}, P::Edit, "0"},
        {K::Edit, {{P::Edit, Number(0)}, {P::Edit, Number(1)}}, P::Edit, "1"},
        {K::Edit, {{P::Ime, Number(2)}}, P::Ime, "2"},
        {K::Edit, {{P::Ime, Number(9)}}, P::Ime, "0"},
        {K::Edit,
         {{P::Text, Text("abcdef")}, {P::SelStart, Number(1)}, {P::SelLength, Number(3)}},
         P::SelectedText,
         "bcd"},
        {K::Edit,
         {{P::Text, Text("abcdef")}, {P::SelStart, Number(1)}, {P::SelLength, Number(3)}, {P::SelectedText, Text("X")}},
         P::Text,
         "aXef"},
        {K::Combo, {{P::Items, Text("a\r\n\r\nb\r\n")}}, P::Items, "a\r\nb\r\n"},
        {K::Combo, {{P::Items, Text("a\r\nb\r\n")}}, P::Value, "-1"},
        {K::Combo, {{P::Items, Text("a\r\nb\r\n")}, {P::Value, Number(1)}, {P::Value, Number(2)}}, P::Text, "b"},
        {K::Combo, {{P::Text, Text("自由")}, {P::Items, Text("x\r\n")}}, P::Text, "自由"},
        {K::Combo, {{P::Edit, Number(0)}}, P::Edit, "0"},
        {K::Combo, {{P::Items, Text("c\r\na\r\nb\r\n")}, {P::Sort, Number(1)}}, P::Items, "a\r\nb\r\nc\r\n"},
        {K::List, {{P::Items, Text("a\r\nb\r\n")}, {P::Value, Number(1)}}, P::Text, "b"},
        {K::List,
         {{P::Items, Text("a\r\nb\r\n")}, {P::Value, Number(1)}, {P::Text, Text("z")}},
         P::Items,
         "a\r\nz\r\n"},
        {K::List, {{P::Items, Text("a\r\nb\r\n")}, {P::Text, Text("z")}}, P::Items, "a\r\nb\r\n"},
        {K::List, {{P::Items, Text("a\r\n")}, {P::Value, Number(4)}}, P::Value, "-1"},
        {K::Radio, {{P::Items, Text("一\r\n二\r\n")}, {P::Value, Number(1)}}, P::Text, "二"},
        {K::Radio,
         {{P::Items, Text("一\r\n二\r\n")}, {P::Value, Number(0)}, {P::Text, Text("壱")}},
         P::Items,
         "壱\r\n二\r\n"},
        {K::Radio, {{P::Items, Text("一\r\n")}}, P::Value, "-1"},
        {K::Memo, {{P::Text, Text("一行\r\n二行")}}, P::Text, "一行\r\n二行"},
        {K::Memo, {{P::ScrollBars, Text("縦")}}, P::ScrollBars, "縦"},
        {K::Memo, {{P::ScrollBars, Text("斜め")}}, P::ScrollBars, ""},
        {K::Memo, {{P::Text, Text("ab\r\ncd\r\nef")}, {P::Row, Number(2)}}, P::SelStart, "8"},
        {K::Memo, {{P::Text, Text("ab\r\ncd\r\nef")}, {P::Row, Number(1)}, {P::Column, Number(1)}}, P::Column, "1"},
        {K::Memo,
         {{P::Text, Text("ab\r\ncd")}, {P::SelStart, Number(1)}, {P::SelLength, Number(4)}},
         P::SelectedText,
         "b\r\nc"},
        {K::RichEdit, {{P::Text, Text("ab\r\ncd")}, {P::Row, Number(1)}}, P::Row, "1"},
        {K::RichEdit, {{P::Edit, Number(0)}}, P::Edit, "0"},
        {K::TextEditor, {{P::Text, Text("あい\r\nうえお")}}, P::Text, "あい\r\nうえお"},
        {K::TextEditor,
         {{P::Text, Text("あい\r\nうえお")}, {P::Row, Number(1)}, {P::Column, Number(2)}},
         P::SelStart,
         "6"},
        {K::TextEditor,
         {{P::Text, Text("あいう")}, {P::SelStart, Number(1)}, {P::SelLength, Number(1)}},
         P::SelectedText,
         "い"},
        {K::Check, {{P::Value, Number(5)}}, P::Value, "1"},
        {K::Check, {{P::Text, Text("同意")}}, P::Text, "同意"},
        {K::Label, {{P::Text, Text("二行の\r\nラベル")}}, P::Text, "二行の\r\nラベル"},
        {K::Label, {}, P::Transparent, "1"},
        {K::Label, {{P::Transparent, Number(0)}}, P::Transparent, "0"},
        {K::Bar, {{P::Maximum, Number(50)}, {P::Value, Number(80)}}, P::Value, "50"},
        {K::Bar, {{P::Value, Number(30)}, {P::Value, Number(-3)}}, P::Value, "30"},
        {K::Bar, {{P::Minimum, Number(10)}, {P::Value, Number(5)}}, P::Value, "10"},
        {K::Bar, {{P::Orientation, Text("縦")}}, P::Orientation, "縦"},
        {K::Bar, {{P::Orientation, Text("何か")}}, P::Orientation, "横"},
        {K::Anime, {{P::Value, Number(120)}}, P::Value, "120"},
        {K::Anime, {{P::ButtonMode, Number(2)}, {P::ButtonMode, Number(7)}}, P::ButtonMode, "2"},
        {K::Anime, {{P::RepeatCount, Number(3)}}, P::RepeatCount, "3"},
        {K::Anime, {{P::Sound, Text("音.wav")}}, P::Sound, "音.wav"},
        {K::Anime, {{P::BackColor, Number(255)}}, P::BackColor, "255"},
        {K::Image, {{P::Stretch, Number(1)}}, P::Stretch, "1"},
        {K::Image, {{P::Transparent, Number(-1)}}, P::Transparent, "0"},
        {K::Panel, {{P::Text, Text("枠")}}, P::Text, "枠"},
        {K::TabPage, {{P::Text, Text("一\r\n二\r\n三\r\n")}, {P::Value, Number(2)}}, P::Value, "2"},
        {K::TabPage, {{P::Text, Text("一\r\n二\r\n三\r\n")}, {P::Text, Text("甲\r\n乙\r\n")}}, P::Text, "甲\r\n乙\r\n"},
        {K::Grid, {{P::Text, Text("h\r\n1\r\n2\r\n")}, {P::Value, Number(2)}}, P::Value, "2"},
        {K::Grid, {{P::Text, Text("h\r\n1\r\n2\r\n")}, {P::Value, Number(0)}}, P::Row, "1"},
        {K::Grid, {{P::Text, Text("a,b\r\n1,2\r\n")}, {P::Column, Number(1)}}, P::Column, "1"},
        {K::Grid, {{P::Edit, Number(1)}}, P::Edit, "1"},
        {K::Tree, {{P::Items, Text("a\\b\r\nc\r\n")}, {P::SelStart, Number(1)}}, P::SelectedText, "b"},
        {K::Tree,
         {{P::Items, Text("a\\b\r\nc\r\n")}, {P::SelStart, Number(2)}, {P::SelectedText, Text("d")}},
         P::Items,
         "a\r\na\\b\r\nd\r\n"},
        {K::Tree, {{P::Items, Text("a\r\n")}}, P::SelStart, "-1"},
        {K::Tree, {{P::Edit, Number(0)}}, P::Edit, "0"},
        {K::Browser, {{P::Url, Text("http://127.0.0.1/index.html")}}, P::Url, "http://127.0.0.1/index.html"},
        {K::Form, {{P::Title, Text("窓")}}, P::Text, "窓"},
        {K::Form, {{P::Resizable, Number(0)}}, P::Resizable, "0"},
        {K::Form, {{P::Style, Number(3)}}, P::Style, "3"},
        {K::Form, {{P::BackColor, Number(0x00FF00)}}, P::BackColor, "65280"},
        // Common to all kinds.
        {K::Button, {{P::Visible, Number(0)}}, P::Visible, "0"},
        {K::Memo, {{P::Enabled, Number(0)}}, P::Enabled, "0"},
        {K::Edit, {{P::BackColor, Number(0xFF0000)}}, P::BackColor, "16711680"},
        {K::List, {{P::FontColor, Number(0x0000FF)}}, P::FontColor, "255"},
        {K::Grid, {{P::FontSize, Number(20)}}, P::FontSize, "20"},
        {K::Edit, {}, P::FontSize, "12"},
        {K::Edit, {}, P::Handle, "0"},
    };
    for (const TCase& c : cases) {
      const TPart part = Make(c.Kind);
      for (const auto& [property, value] : c.Sets) part->Set(property, value);
      const std::string got = part->Get(c.Read);
      QVERIFY2(got == c.Expected, qPrintable(QStringLiteral("kind %1 property %2: got \"%3\", expected \"%4\"")
                                                 .arg(static_cast<int>(c.Kind))
                                                 .arg(static_cast<int>(c.Read))
                                                 .arg(ToQString(got), ToQString(c.Expected))));
    }
  }

  void FontsResolveToInstalledJapaneseFaces() {
    const TPart label = Make(TObjectKind::Label, "文字");
    TPropertyValue face;
    face.Font = TFontSetting{"ＭＳ 明朝", true, false, false, 15};
    label->Set(TProperty::FontFace, face);
    QCOMPARE(label->Get(TProperty::FontFace), std::string("ＭＳ 明朝"));
    QCOMPARE(label->Get(TProperty::FontSize), std::string("15"));
    const QFontInfo shown(Tagged(1)->font());
    QCOMPARE(shown.family(), QStringLiteral("IPAMincho"));
    QVERIFY(shown.bold());
    const std::vector<std::string> families = gui_->FontFamilies();
    QVERIFY(std::find(families.begin(), families.end(), "IPAGothic") != families.end());
  }

  // A form's size is its client area's, also below a menu bar; a part at
  // (0,0) of the main window sits just below the menu bar.
  void FormSizesAreClientSizes() {
    const TPart form = Make(TObjectKind::Form, "窓");
    QVERIFY(Tagged(1)->isWindow());
    QVERIFY(Tagged(1)->isVisible());
    form->SetBounds({30, 40, 200, 150});
    const TBounds bounds = form->Bounds();
    QCOMPARE(bounds.Width, 200);
    QCOMPARE(bounds.Height, 150);
    QCOMPARE(static_cast<TFormWindow*>(Tagged(1))->Canvas().size(), QSize(200, 150));

    const TPart menu = gui_->CreateMenuItem(nullptr, "ファイル", 50);
    QCOMPARE(mainControl_->Bounds().Width, 640);
    QCOMPARE(mainControl_->Bounds().Height, 400);
    const TPart button = Make(TObjectKind::Button, "OK", 0, 0);
    const int barHeight = main_->ExistingMenuBar()->height();
    QVERIFY(barHeight > 0);
    QCOMPARE(Tagged(2)->mapTo(main_.get(), QPoint(0, 0)), QPoint(0, barHeight));
    QCOMPARE(button->Bounds().Top, 0);
  }

  // The drawing image follows the client size and keeps its picture at (0,0);
  // the resize is the form's change event.
  void FormKeepsItsPictureOnResize() {
    const TPart form = Make(TObjectKind::Form, "窓");
    auto* window = static_cast<TFormWindow*>(Tagged(1));
    window->Canvas().setPixel(5, 5, qRgb(255, 0, 0));
    events_.clear();
    form->SetBounds({0, 0, 100, 80});
    QCOMPARE(window->Canvas().size(), QSize(100, 80));
    QCOMPARE(window->Canvas().pixel(5, 5), qRgb(255, 0, 0));
    QVERIFY(std::find(events_.begin(), events_.end(), std::make_pair(1, 7)) != events_.end());
    form->Set(TProperty::BackColor, Number(0xFF0000));  // blue
    QCOMPARE(window->Canvas().pixel(5, 5), qRgb(0, 0, 255));
    form->SetBounds({0, 0, 120, 90});
    QCOMPARE(window->Canvas().pixel(110, 85), qRgb(0, 0, 255));
  }

  void ButtonsWidenForTheirCaption() {
    const QFont canvasFont = main_->CanvasFont();
    const std::string caption = "とても長いボタン";  // 16 bytes
    const TPart button = Make(TObjectKind::Button, caption);
    QCOMPARE(button->Bounds().Width, std::max(75, QFontMetrics(canvasFont).horizontalAdvance(QLatin1Char('W')) *
                                                      static_cast<int>(caption.size())));
    button->SetBounds({10, 10, 40, 25});
    button->Set(TProperty::Text, Text("もっと長い長い長いキャプション"));
    const int needed = QFontMetrics(Tagged(1)->font()).horizontalAdvance(ToQString("もっと長い長い長いキャプション"));
    QCOMPARE(button->Bounds().Width, needed + 10);
    button->Set(TProperty::Text, Text("短"));
    QCOMPARE(button->Bounds().Width, needed + 10);
  }

  // A font colour or a picture turns the push button into an image button;
  // the part stays the same object at the same place with the same caption.
  void ButtonBecomesAnImageButton() {
    const TPart button = Make(TObjectKind::Button, "押す", 20, 30);
    const TBounds before = button->Bounds();
    QVERIFY(qobject_cast<QToolButton*>(Tagged(1)) == nullptr);
    button->Set(TProperty::FontColor, Number(0x0000FF));
    FreeLaterWidgets();
    auto* image = qobject_cast<QToolButton*>(Tagged(1));
    QVERIFY(image != nullptr);
    QCOMPARE(button->Get(TProperty::Text), std::string("押す"));
    QCOMPARE(button->Get(TProperty::FontColor), std::string("255"));
    QCOMPARE(button->Bounds().Left, before.Left);
    QCOMPARE(button->Bounds().Width, before.Width);
    QVERIFY(!button->Detached());
    events_.clear();
    QTest::mouseClick(image, Qt::LeftButton);
    const std::vector<std::pair<int, int>> clicked = {{1, 3}, {1, 1}, {1, 4}};
    QCOMPARE(events_, clicked);
  }

  void ComboWithoutEditingIsADropDownList() {
    const TPart combo = Make(TObjectKind::Combo);
    auto* box = qobject_cast<QComboBox*>(Tagged(1));
    QVERIFY(box->isEditable());
    combo->Set(TProperty::Edit, Number(0));
    QVERIFY(!box->isEditable());
    combo->Set(TProperty::Items, Text("赤\r\n青\r\n"));
    combo->Set(TProperty::Text, Text("青"));
    QCOMPARE(combo->Get(TProperty::Value), std::string("1"));
  }

  void GridLoadsAndReadsCsv() {
    const TPart grid = Make(TObjectKind::Grid);
    const std::string csv = "名前,値\r\nりんご,\"1,5\"\r\nバナナ,表\r\n";
    grid->Set(TProperty::Text, Text(csv));
    QCOMPARE(grid->Get(TProperty::Text), csv);
    QCOMPARE(grid->Get(TProperty::Items), csv);
    auto* view = static_cast<TStrSortGrid*>(Tagged(1));
    QCOMPARE(view->Model().Rows().size(),
             std::size_t(4));  // plus the empty last row
    QCOMPARE(view->model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf16(u"名前"));
    QCOMPARE(view->selectionBehavior(), QAbstractItemView::SelectRows);
    grid->Dismantle();
    QCOMPARE(grid->Get(TProperty::Text), std::string());
  }

  // Header presses sort the rows between the header and the empty last row,
  // the direction turning with each press.
  void GridSortsOnHeaderPress() {
    const TPart grid = Make(TObjectKind::Grid);
    grid->Set(TProperty::Text, Text("k,n\r\nb,1\r\nC,2\r\na,3\r\n"));
    auto* view = static_cast<TStrSortGrid*>(Tagged(1));
    emit view->horizontalHeader()->sectionPressed(0);
    QCOMPARE(grid->Get(TProperty::Text),
             std::string("k,n\r\nb,1\r\nC,2\r\na,3\r\n"));  // no sorting yet
    grid->Set(TProperty::Sort, Number(1));
    emit view->horizontalHeader()->sectionPressed(0);
    const std::string first = grid->Get(TProperty::Text);
    emit view->horizontalHeader()->sectionPressed(0);
    const std::string second = grid->Get(TProperty::Text);
    QCOMPARE(std::set({first, second}),
             std::set<std::string>({"k,n\r\na,3\r\nb,1\r\nC,2\r\n", "k,n\r\nC,2\r\nb,1\r\na,3\r\n"}));
    QCOMPARE(view->Model().Rows().back(), std::vector<std::string>(2));
  }

  // Paths split at "\" only where it is a character of its own: the second
  // byte of 表 and ソ is the same byte.
  void TreePathsRoundTrip() {
    const TPart tree = Make(TObjectKind::Tree);
    tree->Set(TProperty::Items, Text("表\\ソフト\r\na\\b\\c\r\na\\d\r\n"));
    QCOMPARE(tree->Get(TProperty::Items), std::string("表\r\n表\\ソフト\r\na\r\na\\b\r\na\\b\\c\r\na\\d\r\n"));
    tree->Set(TProperty::Items, Text("x\r\n"));
    QCOMPARE(tree->Get(TProperty::Items), std::string("x\r\n"));
  }

  // Containers list the parts they hold in child order; a part moved
  // elsewhere leaves the list.
  void ContainersListTheirParts() {
    const TPart panel = Make(TObjectKind::Panel);            // 1
    const TPart scroll = Make(TObjectKind::Scroll);          // 2
    const TPart form = Make(TObjectKind::Form);              // 3
    const TPart a = Make(TObjectKind::Button);               // 4
    const TPart b = Make(TObjectKind::Edit, "e", 500, 600);  // 5
    const TPart c = Make(TObjectKind::Label);                // 6
    QCOMPARE(mainControl_->ChildIndexes(), std::vector<std::int32_t>({1, 2, 4, 5, 6}));
    panel->Set(TProperty::Items, Children({c.get(), a.get()}));
    QCOMPARE(panel->ChildIndexes(), std::vector<std::int32_t>({6, 4}));
    QCOMPARE(mainControl_->ChildIndexes(), std::vector<std::int32_t>({1, 2, 5}));
    scroll->Set(TProperty::Items, Children({b.get()}));
    QCOMPARE(scroll->ChildIndexes(), std::vector<std::int32_t>({5}));
    QCOMPARE(b->Bounds().Left, 500);  // the position is kept
    QVERIFY(Tagged(5)->isVisibleTo(Tagged(2)));
    form->Set(TProperty::Items, Children({a.get()}));
    QCOMPARE(form->ChildIndexes(), std::vector<std::int32_t>({4}));
    QCOMPARE(panel->ChildIndexes(), std::vector<std::int32_t>({6}));
    // Centring: a panel's parts centre in its outer width.
    panel->SetBounds({0, 0, 150, 60});
    QCOMPARE(c->ParentWidth(), 150);
    QCOMPARE(panel->ParentWidth(), 640);
    // No part goes inside itself.
    QVERIFY_THROWS_EXCEPTION(EPlainError, panel->Set(TProperty::Items, Children({panel.get()})));
    scroll->Set(TProperty::Items, Children({panel.get()}));
    QVERIFY_THROWS_EXCEPTION(EPlainError, panel->Set(TProperty::Items, Children({scroll.get()})));
  }

  // Parts on a sheet that goes away are destroyed with it.
  void TabSheetsAndTheirParts() {
    const TPart tabs = Make(TObjectKind::TabPage);
    tabs->Set(TProperty::Text, Text("一\r\n二\r\n"));
    tabs->Set(TProperty::Value, Number(1));
    const TPart edit = Make(TObjectKind::Edit);
    const TPart keep = Make(TObjectKind::Button);
    tabs->Set(TProperty::Items, Children({edit.get()}));
    QCOMPARE(tabs->ChildIndexes(), std::vector<std::int32_t>({2}));
    QCOMPARE(edit->ParentWidth(), tabs->Bounds().Width);
    tabs->Set(TProperty::Value, Number(0));
    tabs->Set(TProperty::Items, Children({keep.get()}));
    QCOMPARE(tabs->ChildIndexes(), std::vector<std::int32_t>({3}));
    QVERIFY(!edit->Detached());
    tabs->Set(TProperty::Text, Text("一\r\n"));
    QVERIFY(edit->Detached());
    QVERIFY(!keep->Detached());
    FreeLaterWidgets();
    QVERIFY(edit->Detached());
    QCOMPARE(edit->Get(TProperty::Text), std::string());
    edit->Set(TProperty::Text,
              Text("x"));  // a gone widget takes nothing, safely
    const TPart empty = Make(TObjectKind::TabPage);
    QVERIFY_THROWS_EXCEPTION(EPlainError, empty->Set(TProperty::Items, Children({keep.get()})));
  }

  void PicturesLoadFromFilesAndParts() {
    TTempFolder temp;
    QImage drawn(7, 5, QImage::Format_RGB32);
    drawn.fill(qRgb(10, 20, 30));
    const std::string png = temp.Path() + "画.png";
    const std::string bmp = temp.Path() + "b.BMP";
    QVERIFY(drawn.save(ToQString(png), "PNG"));
    QVERIFY(drawn.save(ToQString(bmp), "BMP"));

    const TPart image = Make(TObjectKind::Image);
    // Drawing on a part without a picture gives it a white one of its size.
    auto* box = static_cast<TImageBox*>(Tagged(1));
    QCOMPARE(box->Surface().size(), QSize(105, 105));
    QCOMPARE(box->Surface().pixel(50, 50), qRgb(255, 255, 255));
    image->Set(TProperty::Picture, PictureFile(png));
    QCOMPARE(image->Bounds().Width, 7);
    QCOMPARE(image->Bounds().Height, 5);
    image->Set(TProperty::Picture, PictureFile(bmp));
    QCOMPARE(QColor(static_cast<TQtControl*>(image.get())->Picture()->pixel(3, 3)), QColor(10, 20, 30));

    // A part as the source: a copy of its picture.
    const TPart form = Make(TObjectKind::Form);
    TPropertyValue fromImage;
    fromImage.Pictures.push_back({TPictureSource::TFrom::Object, "画像1", "", image.get()});
    form->Set(TProperty::Picture, fromImage);
    QCOMPARE(static_cast<TFormWindow*>(Tagged(2))->Canvas().size(), QSize(7, 5));

    // An icon comes as a bitmap of its size.
    const std::string ico = temp.Path() + "i.ico";
    QVERIFY(drawn.scaled(16, 16).save(ToQString(ico), "ICO"));
    image->Set(TProperty::Picture, PictureFile(ico));
    QCOMPARE(image->Bounds().Width, 16);
    QCOMPARE(static_cast<TQtControl*>(image.get())->Picture()->format(), QImage::Format_RGB32);

    const auto failure = [&](const std::string& path) {
      try {
        image->Set(TProperty::Picture, PictureFile(path));
      } catch (const EPlainError& error) {
        return std::string(error.what());
      }
      return std::string("no error");
    };
    QCOMPARE(failure("a.gif"), std::string("\"a.gif\"が読込めません。未対応のファイル形式です。"));
    QCOMPARE(failure("prog.exe"), std::string("\"prog.exe\"が読込めません。未対応のファイル形式です。"));
    const std::string missing = temp.Path() + "none.png";
    QCOMPARE(failure(missing), "画像ファイル\"" + missing + "\"が読込めません。");
    const std::string broken = temp.Path() + "broken.png";
    std::ofstream(broken, std::ios::binary) << "not a picture";
    const std::string brokenMessage = failure(broken);
    QVERIFY(brokenMessage.starts_with("画像ファイル\"" + broken + "\"が読込めません。"));
    QVERIFY(brokenMessage.size() > ("画像ファイル\"" + broken + "\"が読込めません。").size());
    QCOMPARE(image->Bounds().Width, 16);  // a failed load leaves the picture

    const TPart button = Make(TObjectKind::Button);
    TPropertyValue fromButton;
    fromButton.Pictures.push_back({TPictureSource::TFrom::Object, "ボタン", "", button.get()});
    QVERIFY_THROWS_EXCEPTION(EPlainError, image->Set(TProperty::Picture, fromButton));
  }

  void AnimationStepsThroughItsFrames() {
    TTempFolder temp;
    TPropertyValue frames;
    for (const QColor& color : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue)}) {
      QImage frame(4 + frames.Pictures.size(), 6, QImage::Format_RGB32);
      frame.fill(color);
      const std::string path = temp.Path() + std::to_string(frames.Pictures.size()) + ".png";
      QVERIFY(frame.save(QString::fromStdString(path)));
      frames.Pictures.push_back({TPictureSource::TFrom::File, path, path, nullptr});
    }
    const TPart anime = Make(TObjectKind::Anime);
    anime->Set(TProperty::Value, Number(5));
    anime->Set(TProperty::RepeatCount, Number(1));
    anime->Set(TProperty::Picture, frames);
    QCOMPARE(anime->Bounds().Width, 6);  // the size of the last frame
    auto* box = static_cast<TAnimeBox*>(Tagged(1));
    QVERIFY(box->Running());
    // One round, then it stops by itself.
    QTRY_VERIFY_WITH_TIMEOUT(!box->Running(), 2000);
    QCOMPARE(box->CurrentFrame(), -1);
    anime->Dismantle();
    QVERIFY(Tagged(1) == nullptr);
  }

  // Events reach the sink as (object index, slot), each from the part it
  // happened on, never also from the container.
  void EventsReachTheSink() {
    const TPart panel = Make(TObjectKind::Panel);                  // 1
    const TPart button = Make(TObjectKind::Button, "押す", 5, 5);  // 2
    const TPart edit = Make(TObjectKind::Edit, "e", 10, 100);      // 3
    panel->Set(TProperty::Items, Children({button.get()}));
    events_.clear();
    QTest::mouseClick(Tagged(2), Qt::LeftButton);
    QCOMPARE(events_, (std::vector<std::pair<int, int>>{{2, 3}, {2, 1}, {2, 4}}));

    events_.clear();
    QTest::mouseClick(Tagged(1), Qt::LeftButton, {}, QPoint(150, 30));
    QCOMPARE(events_, (std::vector<std::pair<int, int>>{{1, 3}, {1, 1}, {1, 4}}));

    main_->activateWindow();
    Tagged(3)->setFocus();
    events_.clear();
    QTest::keyClick(Tagged(3), Qt::Key_A);
    QCOMPARE(events_, (std::vector<std::pair<int, int>>{{3, 5}, {3, 7}, {3, 6}}));

    // The main window's own events: its drawing image, its keys.
    events_.clear();
    QTest::mouseClick(static_cast<QWidget*>(main_->Img()), Qt::LeftButton, {}, QPoint(600, 300));
    QCOMPARE(events_, (std::vector<std::pair<int, int>>{{0, 3}, {0, 1}, {0, 4}}));

    const TPart menu = gui_->CreateMenuItem(nullptr, "ファイル", 10);
    const TPart open = gui_->CreateMenuItem(menu.get(), "開く", 11);
    events_.clear();
    main_->ExistingMenuBar()->actions().front()->menu()->actions().front()->trigger();
    QCOMPARE(events_, (std::vector<std::pair<int, int>>{{11, 1}}));

    // A part inside a scroll area still sees its own releases.
    const TPart list = Make(TObjectKind::List, "", 200, 100);  // 4
    list->Set(TProperty::Items, Text("a\r\nb\r\n"));
    auto* view = qobject_cast<QListWidget*>(Tagged(4));
    int itemClicks = 0;
    connect(view, &QListWidget::itemClicked, view, [&itemClicks] { ++itemClicks; });
    events_.clear();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(view->item(1)).center());
    QCOMPARE(itemClicks, 1);
    QCOMPARE(list->Get(TProperty::Value), std::string("1"));
    QCOMPARE(events_, (std::vector<std::pair<int, int>>{{4, 3}, {4, 1}, {4, 4}}));

    // Destroyed parts are quiet, even while their contents are emptied.
    events_.clear();
    edit->Dismantle();
    QCOMPARE(events_.size(), std::size_t(0));
  }

  void MenusNestAndCarryTheirSettings() {
    const TPart file = gui_->CreateMenuItem(nullptr, "ファイル", 1);
    const TPart save = gui_->CreateMenuItem(file.get(), "保存", 2);
    const TPart split = gui_->CreateMenuItem(file.get(), "-", 3);
    QMenuBar* bar = main_->ExistingMenuBar();
    QCOMPARE(bar->actions().size(), 1);
    QMenu* fileMenu = bar->actions().front()->menu();
    QVERIFY(fileMenu != nullptr);
    QCOMPARE(fileMenu->actions().size(), 2);
    QVERIFY(fileMenu->actions().at(1)->isSeparator());
    save->Set(TProperty::Shortcut, Text("Ctrl+S"));
    QCOMPARE(save->Get(TProperty::Shortcut), std::string("Ctrl+S"));
    save->Set(TProperty::Value, Number(1));
    QCOMPARE(save->Get(TProperty::Value), std::string("1"));
    save->Set(TProperty::Enabled, Number(0));
    QCOMPARE(save->Get(TProperty::Enabled), std::string("0"));
    QCOMPARE(file->Get(TProperty::Text), std::string("ファイル"));
    save->Dismantle();
    QCOMPARE(save->Get(TProperty::Visible), std::string("0"));
    file->Dismantle();
    QVERIFY(!save->Detached());
  }

  void DismantlingEmptiesAndHides() {
    const TPart edit = Make(TObjectKind::Edit);
    const TPart list = Make(TObjectKind::List);
    const TPart label = Make(TObjectKind::Label, "見出し");
    const TPart form = Make(TObjectKind::Form);
    const TPart onForm = Make(TObjectKind::Button);
    edit->Set(TProperty::Text, Text("abc"));
    list->Set(TProperty::Items, Text("a\r\n"));
    form->Set(TProperty::Items, Children({onForm.get()}));
    for (const TPart& part : {edit, list, label, form}) part->Dismantle();
    QCOMPARE(edit->Get(TProperty::Text), std::string());
    QCOMPARE(list->Get(TProperty::Items), std::string());
    QCOMPARE(label->Get(TProperty::Text), std::string());
    QCOMPARE(edit->Get(TProperty::Visible), std::string("0"));
    QCOMPARE(form->Get(TProperty::Visible), std::string("0"));
    QVERIFY(onForm->Detached());
    QVERIFY(!edit->Detached());  // only what sits inside a dismantled part
    QCOMPARE(mainControl_->ChildIndexes(), std::vector<std::int32_t>());
  }

  void TrayIconNeedsNoTray() {
    gui_->SetTrayIcon(true);
    gui_->SetTrayIcon(false);
  }

  // A look at the main window with parts and Japanese captions.
  void GrabsTheMainWindow() {
    const TPart file = gui_->CreateMenuItem(nullptr, "ファイル", 40);
    const TPart edit1 = gui_->CreateMenuItem(nullptr, "編集", 41);
    const TPart button = Make(TObjectKind::Button, "決定ボタン", 10, 10);
    const TPart edit = Make(TObjectKind::Edit, "", 10, 50);
    edit->Set(TProperty::Text, Text("日本語の入力欄"));
    const TPart label = Make(TObjectKind::Label, "ラベルの文字です", 150, 14);
    const TPart check = Make(TObjectKind::Check, "同意する", 150, 50);
    const TPart list = Make(TObjectKind::List, "", 10, 90);
    list->Set(TProperty::Items, Text("りんご\r\nみかん\r\nぶどう\r\n"));
    list->Set(TProperty::Value, Number(1));
    const TPart memo = Make(TObjectKind::Memo, "", 150, 90);
    memo->Set(TProperty::Text, Text("メモ帳の\r\n二行目"));
    const TPart grid = Make(TObjectKind::Grid, "", 340, 10);
    grid->Set(TProperty::Text, Text("名前,値\r\n東京,1\r\n大阪,2\r\n"));
    const TPart tabs = Make(TObjectKind::TabPage, "", 340, 150);
    tabs->Set(TProperty::Text, Text("一枚目\r\n二枚目\r\n"));
    const TPart radio = Make(TObjectKind::Radio, "", 10, 200);
    radio->Set(TProperty::Items, Text("甲\r\n乙\r\n"));
    radio->Set(TProperty::Value, Number(0));
    const TPart bar = Make(TObjectKind::Bar, "", 10, 320);
    const TPart combo = Make(TObjectKind::Combo, "", 150, 200);
    combo->Set(TProperty::Text, Text("選択肢"));
    QPainter painter(&main_->Canvas());
    painter.setFont(main_->CanvasFont());
    painter.drawText(200, 380, QString::fromUtf16(u"キャンバスの文字"));
    painter.end();
    QCoreApplication::processEvents();
    QCOMPARE(mainControl_->Bounds().Height, 400);
    QVERIFY(main_->grab().save(QStringLiteral("/tmp/parts.png")));
  }
};

QTEST_MAIN(PartsTest)
#include "parts_test.moc"

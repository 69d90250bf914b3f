#include "host/gui/containers.h"

#include <QApplication>
#include <QChildEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>

#include "core/errors.h"
#include "host/gui/children.h"
#include "host/gui/formwindow.h"
#include "host/gui/guimessages.h"
#include "host/gui/imagebox.h"
#include "host/gui/picture.h"
#include "host/gui/texts.h"
#include "host/textstyle.h"
#include "platform/qtext.h"

namespace yura {
namespace {

constexpr QSize kFormClientSize(320, 240);

// A raised panel with its caption in the middle.
class TCaptionPanel final : public QFrame {
 public:
  explicit TCaptionPanel(QWidget* parent) : QFrame(parent) { setFrameStyle(QFrame::Panel | QFrame::Raised); }
  QString Caption;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    if (Caption.isEmpty()) return;
    QPainter painter(this);
    painter.drawText(contentsRect(), Qt::AlignCenter, Caption);
  }
};

// The inside of a scroll box: as large as the viewport, or as the parts on it
// reach, so the scroll bars appear when needed.
class TScrollContent final : public QWidget {
 public:
  TScrollContent(QScrollArea* area) : QWidget(area->viewport()), area_(area) {
    area->viewport()->installEventFilter(this);
  }

  void Fit() {
    QRect reach(QPoint(0, 0), area_->viewport()->size());
    for (const QObject* child : children())
      if (const auto* widget = qobject_cast<const QWidget*>(child); widget != nullptr && !widget->isHidden())
        reach = reach.united(widget->geometry());
    if (size() != reach.size()) resize(reach.size());
  }

 protected:
  void childEvent(QChildEvent* event) override {
    QWidget::childEvent(event);
    if (event->added() && event->child()->isWidgetType()) event->child()->installEventFilter(this);
    if (event->removed()) event->child()->removeEventFilter(this);
    Fit();
  }
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Hide:
        Fit();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  QScrollArea* area_;
};

QWidget* MakeSheet(QTabWidget* tabs) {
  auto* sheet = new QWidget(tabs);
  SetOuterWidget(sheet, tabs);
  return sheet;
}

}  // namespace

// ---- フォーム

TFormControl::TFormControl(const TPartContext& context) : TQtControl(TObjectKind::Form, context.Source) {
  auto* window = new TFormWindow(Qt::white);
  SetWidget(window);
  window->setWindowTitle(ToQString(context.Setup.Caption));
  window->setWindowIcon(QApplication::windowIcon());
  QPalette palette = window->palette();
  palette.setColor(QPalette::WindowText, ColorFromPlatform(context.Setup.TextColor));
  window->setPalette(palette);
  window->SetClientSize(kFormClientSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize area = screen->geometry().size();
    window->move((area.width() - kFormClientSize.width()) / 2, (area.height() - kFormClientSize.height()) / 2);
  }
  window->show();
  Connect();
}

TFormControl::TFormControl(TFormWindow* window, std::shared_ptr<TEventSource> source)
    : TQtControl(TObjectKind::Form, std::move(source)), main_(true) {
  SetWidget(window, false);
  Connect();
}

void TFormControl::Connect() {
  QObject::connect(Window(), &TFormWindow::ClientResized, Window(), Firer(esChange));
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove, esKeyDown, esKeyUp}));
}

TFormWindow* TFormControl::Window() const { return static_cast<TFormWindow*>(Widget()); }

std::vector<TQtControl::TInput> TFormControl::InputWidgets() const {
  // Keys reach the window; the mouse is the drawing image's.
  return {{Window(), kKeySlots}, {Window()->Img(), kMouseSlots}};
}

const QImage* TFormControl::Picture() const { return Widget() != nullptr ? &Window()->Canvas() : nullptr; }

TBounds TFormControl::Bounds() const {
  if (Widget() == nullptr) return {};
  const QSize client = Window()->ClientSize();
  return {Window()->x(), Window()->y(), client.width(), client.height()};
}

void TFormControl::SetBounds(const TBounds& bounds) {
  if (Widget() == nullptr) return;
  Window()->move(bounds.Left, bounds.Top);
  Window()->SetClientSize(QSize(bounds.Width, bounds.Height));
}

std::vector<std::int32_t> TFormControl::ChildIndexes() const {
  return Widget() != nullptr ? TagsOf(Window()->ClientArea()) : std::vector<std::int32_t>();
}

void TFormControl::ApplyBackColor(const QColor& color) { Window()->SetColor(color); }

bool TFormControl::SetOwn(TProperty property, const TPropertyValue& value) {
  TFormWindow* window = Window();
  switch (property) {
    case TProperty::Text:
    case TProperty::Title:
      window->setWindowTitle(ToQString(value.Text));
      if (main_) QGuiApplication::setApplicationDisplayName(ToQString(value.Text));
      return true;
    case TProperty::Picture: {
      if (value.Pictures.empty()) {
        window->SetColor(window->Color());
        return true;
      }
      QImage picture = LoadPicture(value.Pictures.front());
      window->Img()->resize(picture.size());
      window->Img()->SetImage(std::move(picture));
      return true;
    }
    case TProperty::Stretch:
      window->Img()->SetStretch(value.Number > 0);
      return true;
    case TProperty::Transparent:
      window->Img()->SetTransparent(value.Number > 0);
      return true;
    case TProperty::Items:
      MoveInto(window->ClientArea(), value.Children);
      return true;
    case TProperty::Resizable:
      window->SetBorderStyle(value.Number >= 1 ? TFormWindow::bsSizeable : TFormWindow::bsSingle);
      return true;
    case TProperty::Style:
      window->SetBorderStyle(static_cast<int>(std::clamp<std::int64_t>(value.Number, -1, 4)));
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TFormControl::GetOwn(TProperty property) {
  const TFormWindow* window = Window();
  switch (property) {
    case TProperty::Text:
    case TProperty::Title:
      return FromQString(window->windowTitle());
    case TProperty::BackColor:
      return Decimal(StoredBackColor(PlatformFromColor(window->Color())));
    case TProperty::Stretch:
      return Flag(window->Img()->Stretch());
    case TProperty::Transparent:
      return Flag(window->Img()->Transparent());
    case TProperty::Resizable:
      return Flag(window->BorderStyle() != TFormWindow::bsSingle);
    case TProperty::Style:
      return Decimal(window->BorderStyle());
    case TProperty::Handle:
      return Decimal(static_cast<std::int64_t>(window->window()->winId()));
    default:
      return std::nullopt;
  }
}

void TFormControl::HideForDismantle() { Window()->close(); }

// ---- パネル

TPanelControl::TPanelControl(const TPartContext& context) : TQtControl(TObjectKind::Panel, context.Source) {
  auto* panel = new TCaptionPanel(context.Parent);
  SetWidget(panel);
  panel->resize(185, 41);
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove}));
}

std::vector<std::int32_t> TPanelControl::ChildIndexes() const { return TagsOf(Widget()); }

bool TPanelControl::SetOwn(TProperty property, const TPropertyValue& value) {
  auto* panel = static_cast<TCaptionPanel*>(Widget());
  switch (property) {
    case TProperty::Text:
      panel->Caption = LinesToQt(value.Text);
      panel->update();
      return true;
    case TProperty::Items:
      MoveInto(panel, value.Children);
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TPanelControl::GetOwn(TProperty property) {
  if (property == TProperty::Text) return LinesFromQt(static_cast<TCaptionPanel*>(Widget())->Caption);
  return std::nullopt;
}

// ---- スクロール

TScrollControl::TScrollControl(const TPartContext& context) : TQtControl(TObjectKind::Scroll, context.Source) {
  auto* area = new QScrollArea(context.Parent);
  SetWidget(area);
  auto* content = new TScrollContent(area);
  SetOuterWidget(content, area);
  area->setWidget(content);
  area->setWidgetResizable(false);
  area->resize(300, 200);
  content->Fit();
  Watch(SlotMask({esClick, esDoubleClick, esMouseDown, esMouseUp, esMouseMove}));
}

QWidget* TScrollControl::Content() const { return static_cast<QScrollArea*>(Widget())->widget(); }

std::vector<TQtControl::TInput> TScrollControl::InputWidgets() const {
  return {{static_cast<QScrollArea*>(Widget())->viewport(), kMouseSlots}, {Content(), kMouseSlots}};
}

std::vector<std::int32_t> TScrollControl::ChildIndexes() const { return TagsOf(Content()); }

void TScrollControl::ApplyBackColor(const QColor& color) {
  TQtControl::ApplyBackColor(color);
  QPalette palette = Content()->palette();
  palette.setColor(QPalette::Window, color);
  Content()->setPalette(palette);
  Content()->setAutoFillBackground(true);
}

bool TScrollControl::SetOwn(TProperty property, const TPropertyValue& value) {
  if (property != TProperty::Items) return false;
  MoveInto(Content(), value.Children);
  return true;
}

// ---- タブページ

TTabPageControl::TTabPageControl(const TPartContext& context) : TQtControl(TObjectKind::TabPage, context.Source) {
  auto* tabs = new QTabWidget(context.Parent);
  SetWidget(tabs);
  tabs->resize(289, 193);
  QObject::connect(tabs, &QTabWidget::currentChanged, tabs, Firer(esChange));
  Watch(SlotMask({esMouseDown, esMouseUp, esMouseMove}));
}

QTabWidget* TTabPageControl::Tabs() const { return static_cast<QTabWidget*>(Widget()); }

std::vector<TQtControl::TInput> TTabPageControl::InputWidgets() const {
  return {{Widget(), kMouseSlots}, {Tabs()->tabBar(), kMouseSlots}};
}

void TTabPageControl::AddSheet(const QString& caption) { Tabs()->addTab(MakeSheet(Tabs()), caption); }

// Sheets are renamed in order, added, or removed from the end; the parts on a
// removed sheet go with it.
void TTabPageControl::SetSheets(const std::vector<QString>& captions) {
  QTabWidget* tabs = Tabs();
  const int wanted = static_cast<int>(captions.size());
  for (int i = 0; i < std::min(wanted, tabs->count()); ++i) tabs->setTabText(i, captions[i]);
  for (int i = tabs->count(); i < wanted; ++i) AddSheet(captions[i]);
  while (tabs->count() > wanted) {
    QWidget* sheet = tabs->widget(tabs->count() - 1);
    tabs->removeTab(tabs->count() - 1);
    MarkGone(sheet);
    sheet->hide();
    sheet->deleteLater();
  }
}

std::vector<std::int32_t> TTabPageControl::ChildIndexes() const { return TagsOf(Tabs()->currentWidget()); }

bool TTabPageControl::SetOwn(TProperty property, const TPropertyValue& value) {
  QTabWidget* tabs = Tabs();
  switch (property) {
    case TProperty::Text: {
      TEventSource::TQuiet quiet(Source());
      SetSheets(ItemLines(value.Text));
      return true;
    }
    case TProperty::Items:
      if (tabs->currentWidget() == nullptr) throw EPlainError(std::string(kMsgMoveFailed));
      MoveInto(tabs->currentWidget(), value.Children);
      return true;
    case TProperty::Value:
      if (value.Number >= 0 && value.Number < tabs->count()) {
        TEventSource::TQuiet quiet(Source());
        tabs->setCurrentIndex(static_cast<int>(value.Number));
      }
      return true;
    default:
      return false;
  }
}

std::optional<std::string> TTabPageControl::GetOwn(TProperty property) {
  const QTabWidget* tabs = Tabs();
  switch (property) {
    case TProperty::Text: {
      std::vector<QString> captions;
      for (int i = 0; i < tabs->count(); ++i) captions.push_back(tabs->tabText(i));
      return ItemText(captions);
    }
    case TProperty::Value:
      return Decimal(tabs->currentIndex());
    default:
      return std::nullopt;
  }
}

}  // namespace yura

#include "host/gui/formwindow.h"

#include <QMenuBar>
#include <QPainter>
#include <QResizeEvent>

#include "host/gui/imagebox.h"
#include "host/textstyle.h"

namespace yura {

TFormWindow::TFormWindow(const QColor& color, QWidget* parent)
    : QWidget(parent), client_(new QWidget(this)), img_(new TImageBox(client_)), color_(color) {
  client_->setObjectName("client");
  img_->setObjectName("img");
  canvasFont_ = FontFromStyle(TTextStyle{"ＭＳ ゴシック", "12", "0"});
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, color_);
  client_->setPalette(palette);
  client_->setAutoFillBackground(true);
  Arrange();
}

QImage& TFormWindow::Canvas() { return img_->Image(); }

QMenuBar* TFormWindow::MenuBar() {
  if (menuBar_ == nullptr) {
    const QSize client = ClientSize();
    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);
    menuBar_->installEventFilter(this);
    menuBar_->show();
    SetClientSize(client);
  }
  return menuBar_;
}

// The menu bar's height changes with its items; the client area keeps its size.
bool TFormWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != menuBar_ || (event->type() != QEvent::ActionAdded && event->type() != QEvent::ActionRemoved &&
                              event->type() != QEvent::ActionChanged))
    return false;
  // The bar takes the change in first, then tells its new height.
  static_cast<QObject*>(menuBar_)->event(event);
  if (menuBar_->sizeHint().height() != menuBar_->height()) SetClientSize(ClientSize());
  return true;
}

int TFormWindow::MenuHeight() const { return menuBar_ != nullptr ? menuBar_->sizeHint().height() : 0; }

QSize TFormWindow::ClientSize() const { return client_->size(); }

void TFormWindow::SetClientSize(const QSize& size) {
  const QSize outer(std::max(0, size.width()), std::max(0, size.height()) + MenuHeight());
  if (borderStyle_ == bsSingle || borderStyle_ == bsDialog) setFixedSize(outer);
  resize(outer);
  Arrange();
}

void TFormWindow::SetColor(const QColor& color) {
  color_ = color;
  QPalette palette = client_->palette();
  palette.setColor(QPalette::Window, color_);
  client_->setPalette(palette);
  QImage image(client_->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.fill(color_);
  img_->setGeometry(client_->rect());
  img_->SetImage(std::move(image));
}

void TFormWindow::SetBorderStyle(int style) {
  if (style < bsNone || style > bsDialog) return;
  const bool shown = isVisible();
  const QSize client = ClientSize();
  borderStyle_ = style;
  Qt::WindowFlags flags = Qt::Window;
  switch (style) {
    case bsNone:
      flags |= Qt::FramelessWindowHint;
      break;
    case bsSingle:
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
               Qt::WindowCloseButtonHint;
      break;
    case bsDialog:
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      break;
    default:
      break;
  }
  if (isWindow()) setWindowFlags(flags);
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  SetClientSize(client);
  if (shown) show();
}

void TFormWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
}

void TFormWindow::Arrange() {
  const int menu = MenuHeight();
  if (menuBar_ != nullptr) menuBar_->setGeometry(0, 0, width(), menu);
  const QRect client(0, menu, width(), std::max(0, height() - menu));
  if (client_->geometry() == client) return;
  client_->setGeometry(client);
  FitImageToClient();
  emit ClientResized();
}

void TFormWindow::FitImageToClient() {
  // The picture so far stays at (0,0); new area takes the form colour.
  const QSize size = client_->size().expandedTo(QSize(1, 1));
  QImage image(size, QImage::Format_RGB32);
  image.fill(color_);
  const QImage& old = img_->Image();
  if (!old.isNull()) {
    QPainter painter(&image);
    painter.drawImage(0, 0, old);
  }
  img_->setGeometry(client_->rect());
  img_->SetImage(std::move(image));
}

}  // namespace yura

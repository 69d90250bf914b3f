#include "host/gui/animebox.h"

#include <QMouseEvent>
#include <QPainter>

#include "host/gui/imagebox.h"

namespace yura {

TAnimeBox::TAnimeBox(QWidget* parent) : QWidget(parent) {
  resize(100, 100);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &TAnimeBox::Tick);
}

void TAnimeBox::ClearFrames() {
  Stop();
  frames_.clear();
  update();
}

void TAnimeBox::AddFrame(const QImage& frame) {
  frames_.push_back(frame.copy());
  if (!frame.isNull()) resize(frame.size());
  update();
}

void TAnimeBox::Start() {
  if (frames_.empty()) return;
  current_ = 0;
  repeatLeft_ = RepeatTime;
  timer_.start(interval_);
  update();
}

void TAnimeBox::Stop() {
  current_ = -1;
  timer_.stop();
  update();
}

void TAnimeBox::SetInterval(int milliseconds) {
  interval_ = std::max(0, milliseconds);
  if (timer_.isActive()) timer_.start(interval_);
}

void TAnimeBox::SetStretch(bool on) {
  stretch_ = on;
  update();
}

void TAnimeBox::SetTransparent(bool on) {
  transparent_ = on;
  update();
}

void TAnimeBox::SetColor(const QColor& color) {
  color_ = color;
  update();
}

void TAnimeBox::Tick() {
  if (current_ < 0 || frames_.empty()) return;
  if (!(UseButton && pressed_)) {
    ++current_;
    if (current_ >= FrameCount()) {
      current_ = UseButton2 ? std::min(1, FrameCount() - 1) : 0;
      if (repeatLeft_ > 0 && --repeatLeft_ == 0) {
        Stop();
        return;
      }
    }
  }
  update();
  timer_.start(interval_);
}

void TAnimeBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!transparent_) painter.fillRect(rect(), color_);
  const int shown = current_ >= 0 ? current_ : 0;
  if (shown < FrameCount() && !frames_[shown].isNull()) {
    const QImage frame = transparent_ ? WithoutKeyColor(frames_[shown], QPoint(0, 0)) : frames_[shown];
    if (stretch_)
      painter.drawImage(rect(), frame);
    else
      painter.drawImage(0, 0, frame);
  }
  if (hover_ && UseButton) {
    const int pen = width() / 24 + 1;
    const QRect box = rect();
    painter.fillRect(QRect(box.left(), box.bottom() - pen + 1, box.width(), pen), palette().color(QPalette::Shadow));
    painter.fillRect(QRect(box.right() - pen + 1, box.top(), pen, box.height()), palette().color(QPalette::Shadow));
    painter.fillRect(QRect(box.left(), box.top(), box.width(), pen), palette().color(QPalette::Light));
    painter.fillRect(QRect(box.left(), box.top(), pen, box.height()), palette().color(QPalette::Light));
  }
  if (pressed_ && (UseButton || UseButton2)) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(rect(), Qt::white);
  }
}

void TAnimeBox::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (UseButton2) {
    Start();
    return;
  }
  hover_ = true;
  update();
}

void TAnimeBox::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (UseButton2) {
    Stop();
    return;
  }
  hover_ = false;
  update();
}

void TAnimeBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    update();
  }
  event->accept();
}

void TAnimeBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = false;
    update();
  }
  event->accept();
}

}  // namespace yura

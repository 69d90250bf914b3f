#include "host/gui/imagebox.h"

#include <QPainter>

namespace yura {

QImage WithoutKeyColor(const QImage& image, QPoint key) {
  if (image.isNull() || !image.rect().contains(key)) return image;
  QImage result = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb keyColor = result.pixel(key) | 0xFF000000u;
  for (int y = 0; y < result.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x)
      if ((line[x] | 0xFF000000u) == keyColor) line[x] = 0;
  }
  return result;
}

TImageBox::TImageBox(QWidget* parent) : QWidget(parent) {}

void TImageBox::SetImage(QImage image) {
  image_ = std::move(image);
  update();
}

QImage& TImageBox::Surface() {
  if (image_.isNull()) {
    image_ = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image_.fill(Qt::white);
  }
  return image_;
}

void TImageBox::SetStretch(bool on) {
  stretch_ = on;
  update();
}

void TImageBox::SetTransparent(bool on) {
  transparent_ = on;
  update();
}

void TImageBox::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  QPainter painter(this);
  const QImage shown = transparent_ ? WithoutKeyColor(image_, QPoint(0, image_.height() - 1)) : image_;
  if (stretch_)
    painter.drawImage(rect(), shown);
  else
    painter.drawImage(0, 0, shown);
}

}  // namespace yura

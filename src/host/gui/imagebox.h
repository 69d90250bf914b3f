// A picture on screen that drawing commands paint on: the イメージ part and the
// "img" drawing image of every form. It never auto-sizes; where there is no
// picture the container shows through.
#pragma once

#include <QImage>
#include <QWidget>

namespace yura {

class TImageBox final : public QWidget {
  Q_OBJECT
 public:
  explicit TImageBox(QWidget* parent);

  // Painting on the image directly is allowed; call update() afterwards.
  QImage& Image() { return image_; }
  const QImage& Image() const { return image_; }
  void SetImage(QImage image);
  // The picture to draw on: an empty one first becomes a white bitmap of
  // the box's size.
  QImage& Surface();

  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  // The colour of the bottom-left pixel is left out.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
  bool stretch_ = false;
  bool transparent_ = false;
};

// The picture with the colour of its pixel at `key` made transparent.
QImage WithoutKeyColor(const QImage& image, QPoint key);

}  // namespace yura

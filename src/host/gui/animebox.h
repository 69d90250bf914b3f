// The animation box: frames shown in turn by a timer, optionally looking
// like a button, or animating only while the mouse is over it.
#pragma once

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <string>
#include <vector>

namespace yura {

class TAnimeBox final : public QWidget {
  Q_OBJECT
 public:
  explicit TAnimeBox(QWidget* parent);

  void ClearFrames();
  // Copies the frame and sizes the box to it.
  void AddFrame(const QImage& frame);
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  int CurrentFrame() const { return current_; }

  // Needs a frame; the repeat count starts again.
  void Start();
  void Stop();
  bool Running() const { return current_ >= 0; }

  int Interval() const { return interval_; }
  void SetInterval(int milliseconds);
  // A raised look while the mouse is over the box; the frame holds while it
  // is pressed.
  bool UseButton = false;
  // Animates only while the mouse is over the box, from frame 1 on.
  bool UseButton2 = false;
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  // Each frame leaves out the colour of its top-left pixel.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  QColor Color() const { return color_; }
  void SetColor(const QColor& color);
  // Positive: that many rounds, then the animation stops; else endless.
  int RepeatTime = -1;
  // The sound played while the mouse is over the box (Shift_JIS path).
  std::string WaveFile;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Tick();

  std::vector<QImage> frames_;
  QTimer timer_;
  int current_ = -1;
  int interval_ = 300;
  int repeatLeft_ = -1;
  bool stretch_ = false;
  bool transparent_ = false;
  QColor color_ = Qt::white;
  bool hover_ = false;
  bool pressed_ = false;
};

}  // namespace yura

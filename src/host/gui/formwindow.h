// A top-level window as scripts see it: a menu bar on top once menus exist,
// and below it the client area, which holds the drawing image "img" and the
// parts. The main window 母艦 and every フォーム part are such windows.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

class QMenuBar;

namespace yura {

class TImageBox;

class TFormWindow : public QWidget {
  Q_OBJECT
 public:
  // Border styles, as 母艦スタイル設定 numbers them.
  enum TBorderStyle { bsNone = 0, bsSingle = 1, bsSizeable = 2, bsDialog = 3 };

  explicit TFormWindow(const QColor& color, QWidget* parent = nullptr);

  QWidget* ClientArea() const { return client_; }
  TImageBox* Img() const { return img_; }
  // The drawing image's picture.
  QImage& Canvas();

  // Made and shown on first use; the client area keeps its size.
  QMenuBar* MenuBar();
  QMenuBar* ExistingMenuBar() const { return menuBar_; }

  QSize ClientSize() const;
  void SetClientSize(const QSize& size);

  // The form colour: new client area is filled with it.
  QColor Color() const { return color_; }
  // Clears the drawing image to the colour over the whole client area.
  void SetColor(const QColor& color);

  // The font of the last text drawn on the drawing image.
  const QFont& CanvasFont() const { return canvasFont_; }
  void SetCanvasFont(const QFont& font) { canvasFont_ = font; }

  int BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(int style);

 signals:
  // After the drawing image has followed a new client size.
  void ClientResized();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Arrange();
  void FitImageToClient();
  int MenuHeight() const;

  QWidget* client_;
  TImageBox* img_;
  QMenuBar* menuBar_ = nullptr;
  QColor color_;
  QFont canvasFont_;
  int borderStyle_ = bsSizeable;
};

}  // namespace yura

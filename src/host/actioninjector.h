// GUI actions played into a running script for the tests: clicks, typing,
// keys, dropped files and the close box, read from the file named by
// YURAHOSI_INJECT. Ordinary scripts cannot reach it.
//
// One action per line (UTF-8), run one after another once the script is idle:
//   click NAME           a left click in the middle of the part (a menu item: chosen)
//   press NAME           a left button press alone
//   type NAME TEXT       the characters of TEXT typed into the part
//   key NAME CODE        a key press and release by virtual-key code
//   drop NAME PATH...    the files dropped on the part (paths separated by "|")
//   wait MILLISECONDS    a pause before the next action
//   close                the main window's close box
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

class QWidget;

namespace yura {

class TfrmYura;
struct TObjNode;

class TActionInjector final : public QObject {
  Q_OBJECT
 public:
  TActionInjector(TfrmYura& window, const std::string& path);

  // Plays the actions; `finished` runs after the last one.
  void Start(std::function<void()> finished);
  bool Playing() const { return playing_; }

 private:
  void RunNext();
  void Run(const QString& action, const QString& name, const QString& rest);
  const TObjNode* Part(const QString& name) const;
  QWidget* PartWidget(const QString& name) const;

  TfrmYura& window_;
  QStringList actions_;
  int next_ = 0;
  bool playing_ = false;
  std::function<void()> finished_;
};

}  // namespace yura

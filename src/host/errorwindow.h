// The error window: the whole error log, and the choice of how to go on.
#pragma once

#include <QDialog>

#include "core/host.h"

class QPlainTextEdit;

namespace yura {

class TfrmError final : public QDialog {
  Q_OBJECT
 public:
  TfrmError(QWidget* owner, const QString& log, bool offerDebug);
  // Shows the window modally; closing it any other way counts as 終了.
  TErrorWindowChoice Choose();

 private:
  TErrorWindowChoice choice_ = TErrorWindowChoice::Stop;
};

}  // namespace yura
